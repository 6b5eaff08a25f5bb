// Draws rasterizer primitives onto any device context: the primitive is drawn
// on the screen canvas and moved through the work buffer, as whole 1024 by
// 768 bitmaps, onto the target.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Draws the gradient rectangle at the canvas's origin and places the canvas's
// top-left width by height area at (x, y) of the target.
void CompositeGradientRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height,
                           uint32_t colour);
// Draws a gradient disc over the target's top-left 1024 by 768 area.
void CompositeGradientDisc(HDC target, int32_t x, int32_t y, int32_t radius, uint32_t colour);
// Blends a rectangle into the target's top-left 1024 by 768 area.
void CompositeBlendRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height,
                        uint32_t colour, uint32_t mode);
