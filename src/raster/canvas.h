// The pixel layer of the software rasterizer: the Canvas descriptor, colour
// packing at 16 and 32 bits per pixel, and single-pixel access and blending.
// Every primitive ends in PutPixel, whose bounds rule redirects a pixel
// outside the canvas to pixel (0, 0) rather than skipping it.
#pragma once

#include <cstdint>

struct Canvas {
  void* Pixels;          // row 0, column 0; rows follow without gaps
  uint32_t Width;        // pixels per row, also the row pitch
  uint32_t Height;       // number of rows
  int32_t BitsPerPixel;  // 16 or 32
};
static_assert(sizeof(void*) != 4 || sizeof(Canvas) == 16, "Canvas is 16 bytes on 32-bit");

struct RgbTriple {
  uint32_t Red;
  uint32_t Green;
  uint32_t Blue;
};

enum BlendMode : uint32_t {
  kBlendAverage = 0,
  kBlendAdd = 1,
  kBlendXor = 2,
  kBlendCopy = 3,
};

uint32_t PixelIndex(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
void PutPixel(const Canvas& canvas, int32_t x, int32_t y, uint32_t colour);
uint32_t GetPixel(const Canvas& canvas, int32_t x, int32_t y);
uint32_t PackColour(uint32_t red, uint32_t green, uint32_t blue, int32_t bits_per_pixel);
uint32_t ClampPackColour(int32_t red, int32_t green, int32_t blue, int32_t bits_per_pixel);
void UnpackColour(RgbTriple& triple, uint32_t colour, int32_t bits_per_pixel);
uint32_t BlendPixel(const Canvas& canvas, int32_t x, int32_t y, uint32_t colour, uint32_t mode);
