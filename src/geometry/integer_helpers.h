// Small integer routines shared by the rasterizer, the layers and the
// animation player. ScaleDiv decides the exact colour of every gradient.
#pragma once

#include <cstdint>

// Two 32-bit results returned together; each routine says which is which.
struct IntPair {
  int32_t First;
  int32_t Second;
};
struct UintPair {
  uint32_t First;
  uint32_t Second;
};

uint64_t MultiplyWide(uint32_t a, uint32_t b);
UintPair ScaleDiv(uint32_t a, uint32_t b, uint32_t c);          // (a × c div b, a × c mod b)
IntPair ScalePair(int32_t a, int32_t b, int32_t c, int32_t d);  // (a × d ÷ c, b × d ÷ c)
IntPair PointDelta(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int32_t VectorLength(int32_t dx, int32_t dy);
UintPair HalvePair(uint32_t a, uint32_t b);
IntPair QuadrantMirror(int32_t dx, int32_t dy, uint32_t quadrant);
int32_t PointInRect(int32_t px, int32_t py, int32_t left, int32_t top, int32_t width,
                    int32_t height);
