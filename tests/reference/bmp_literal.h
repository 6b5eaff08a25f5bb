// The BMP blitters written out step by step, one PutPixel per stored pixel
// with no fast path: the reference the tests compare DrawBmpFile and
// BlendBmpFile with, and the baseline of their benchmarks. They read the
// same bytes into the same buffers and draw the same complete rows.
#pragma once

#include <cstdint>

#include "raster/canvas.h"

namespace literal {

void DrawBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                 int32_t y);
void BlendBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                  int32_t y);

// The drawing steps alone, on a file already in memory.
void draw_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas, int32_t x,
                    int32_t y);
void blend_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas,
                     int32_t x, int32_t y);

}  // namespace literal
