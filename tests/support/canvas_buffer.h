// A canvas over its own zero-filled store, for tests and benchmarks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/canvas.h"
#include "support/picture.h"

class CanvasBuffer {
 public:
  CanvasBuffer(uint32_t width, uint32_t height, int32_t bits_per_pixel)
      : store_((size_t{width} * height * static_cast<uint32_t>(bits_per_pixel) / 8 + 3) / 4 + 1) {
    canvas_ = {store_.data(), width, height, bits_per_pixel};
  }

  const Canvas& canvas() const { return canvas_; }
  uint32_t at(int32_t x, int32_t y) const { return GetPixel(canvas_, x, y); }
  void fill(uint32_t colour) {
    for (uint32_t y = 0; y < canvas_.Height; ++y)
      for (uint32_t x = 0; x < canvas_.Width; ++x)
        PutPixel(canvas_, static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
  }
  // Every cell as it is stored, for comparing whole canvases.
  Picture picture() const {
    size_t cells = size_t{canvas_.Width} * canvas_.Height;
    Picture result{static_cast<int>(canvas_.Width), static_cast<int>(canvas_.Height),
                   std::vector<uint32_t>(cells), canvas_.BitsPerPixel};
    if (canvas_.BitsPerPixel == 32) {
      std::memcpy(result.pixels.data(), store_.data(), cells * 4);
    } else {
      const auto* narrow = reinterpret_cast<const uint16_t*>(store_.data());
      std::copy(narrow, narrow + cells, result.pixels.begin());
    }
    return result;
  }
  // Number of pixels that differ from a colour, outside a given set.
  template <typename Predicate>
  int count_pixels(Predicate predicate) const {
    int n = 0;
    for (uint32_t y = 0; y < canvas_.Height; ++y)
      for (uint32_t x = 0; x < canvas_.Width; ++x)
        n += predicate(static_cast<int32_t>(x), static_cast<int32_t>(y),
                       at(static_cast<int32_t>(x), static_cast<int32_t>(y)))
                 ? 1
                 : 0;
    return n;
  }

 private:
  std::vector<uint32_t> store_;
  Canvas canvas_;
};
