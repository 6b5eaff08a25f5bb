// Literal transcriptions of the rasterizer's primitives: every pixel through
// PutPixel, every point through PolarPoint, in the defined order. The fast
// primitives must give bit-identical canvases. A library of its own beside
// the rasterizer: the tests, the benchmarks and the Lab's gallery compare
// against it, and the programs' core does not carry it.
#pragma once

#include "raster/canvas.h"
#include "raster/discs.h"

namespace literal {

void DrawLine(const Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t colour);
void DrawQuarterArc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius_x,
                    int32_t radius_y, uint32_t colour);
void FillGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t base_colour);
void FillBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t colour, uint32_t mode);
void FillGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                      uint32_t base_colour);

void DrawColourRamp(const Canvas& canvas, const ColourRamp& ramp, int32_t x, int32_t y);
void DrawRampRings(const Canvas& canvas, const ColourRamp& ramp, int32_t centre_x,
                   int32_t centre_y);
// One byte at a time, first to last.
void BlockCopy(void* destination, const void* source, uint32_t byte_count);

}  // namespace literal
