// Drawing and blending uncompressed 24-bit BMP files onto a canvas.
//
// The image lands with its top-left pixel at (x, y + 1), bottom stored row
// first, each pixel packed to the canvas depth and written through the
// canvas's own rule (outside pixels go to pixel (0, 0)). Only the rows whose
// pixels were all read are drawn, where the header places them: a file
// shorter than its header claims draws its bottom rows, and an image larger
// than the blitter's buffer draws the rows that fit. A header that is not 24
// bits per pixel, or has a width or height of 0, draws nothing. The pixel
// data is taken to start at byte 54, uncompressed and stored bottom-up.
#pragma once

#include <cstdint>

#include "raster/canvas.h"

constexpr uint32_t kBmpHeaderSize = 54;
// DrawBmpFile reads into a fixed block of this size, whatever the image.
constexpr uint32_t kBmpDrawBufferSize = 500000;
// BlendBmpFile sizes its block to the image but never beyond this: a header
// may claim 65,535 rows of 196,608 bytes (about 12 GiB), while a 24-bit image
// of the whole 1024 x 768 screen canvas takes 2.4 MB.
constexpr uint64_t kBmpBlendBufferLimit = uint64_t{4} << 20;

uint32_t ReadBmpHeader(uint8_t (&header)[kBmpHeaderSize], const char* file_name);
void DrawBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                 int32_t y);
void BlendBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                  int32_t y);

// What the blitters do once the file is in memory: draw (copy) or blend (the
// average of BlendPixel) the complete rows among the first byte_count bytes
// of a BMP file. The file routines read and call these; the benchmarks time
// them apart from the file read.
void draw_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas, int32_t x,
                    int32_t y);
void blend_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas,
                     int32_t x, int32_t y);
