// Drawing and blending uncompressed 24-bit BMP files onto a canvas.
#pragma once

#include "raster/canvas.h"

constexpr uint32_t kBmpHeaderSize = 54;

uint32_t ReadBmpHeader(uint8_t (&header)[kBmpHeaderSize], const char* file_name);
void DrawBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                 int32_t y);
void BlendBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                  int32_t y);
