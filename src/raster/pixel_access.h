// Inline pixel access for the rasterizer's fast paths. These give exactly
// what PutPixel and GetPixel give, without a call per pixel; the fast paths
// use them only where the result is the same as the literal per-pixel rule.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/canvas.h"

namespace raster {

// True when every pixel of the rectangle lies on the canvas (no redirect).
inline bool rect_inside(const Canvas& canvas, int64_t left, int64_t top, int64_t width,
                        int64_t height) {
  return left >= 0 && top >= 0 && width >= 0 && height >= 0 &&
         left + width <= static_cast<int64_t>(canvas.Width) &&
         top + height <= static_cast<int64_t>(canvas.Height);
}

template <typename Cell>
inline Cell* row_of(const Canvas& canvas, uint32_t y) {
  return static_cast<Cell*>(canvas.Pixels) + static_cast<size_t>(y) * canvas.Width;
}

// PutPixel with its redirect of outside pixels to cell 0, inlined.
template <typename Cell>
inline void put_cell(const Canvas& canvas, int32_t x, int32_t y, uint32_t colour) {
  auto ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
  size_t i = (ux < canvas.Width && uy < canvas.Height) ? size_t{uy} * canvas.Width + ux : 0;
  static_cast<Cell*>(canvas.Pixels)[i] = static_cast<Cell>(colour);
}

// Combines source and destination components by blend mode: the average,
// the sum, the exclusive or, or (any other mode) the source unchanged.
inline RgbTriple combine_components(const RgbTriple& s, const RgbTriple& d, uint32_t mode) {
  switch (mode) {
    case kBlendAverage:
      return {(s.Red + d.Red) >> 1, (s.Green + d.Green) >> 1, (s.Blue + d.Blue) >> 1};
    case kBlendAdd: return {s.Red + d.Red, s.Green + d.Green, s.Blue + d.Blue};
    case kBlendXor: return {s.Red ^ d.Red, s.Green ^ d.Green, s.Blue ^ d.Blue};
    default: return s;
  }
}

}  // namespace raster
