// Straight-edged primitives: lines, quarter arcs, gradient and blended
// rectangles, all defined pixel by pixel through PutPixel.
#pragma once

#include "raster/canvas.h"

void DrawLine(const Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t colour);
void DrawQuarterArc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius_x,
                    int32_t radius_y, uint32_t colour);
void FillGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t base_colour);
void FillBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t colour, uint32_t mode);
