// Accounting for pixels that stray off a canvas. PutPixel sends every such
// pixel to cell 0, so a shape that lies mostly off the canvas has a cheap
// result: its on-canvas pixels, plus what its many redirected writes leave in
// pixel (0, 0). These helpers find the on-canvas part of a run of coordinates
// and repeat a blend without visiting each redirected pixel.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "raster/canvas.h"

namespace raster {

// Coordinates first .. first + count − 1 of a run, taken modulo 2^32, that lie
// below a limit (a canvas width or height).
struct Span {
  uint32_t first;
  uint32_t count;
};
struct Spans {
  Span span[2];
  int size = 0;

  uint64_t total() const {
    uint64_t n = 0;
    for (int i = 0; i < size; ++i) n += span[i].count;
    return n;
  }
};

// The part of the run below the limit: at most two spans, one before the
// run wraps past 2^32 and one after. count may be up to 2^32.
inline Spans spans_below(uint32_t first, uint64_t count, uint32_t limit) {
  constexpr uint64_t kWrap = uint64_t{1} << 32;
  Spans result;
  if (count == 0) return result;
  uint64_t end = uint64_t{first} + count;  // one past the last, unwrapped
  uint64_t before_wrap = end < kWrap ? end : kWrap;
  if (first < limit) {
    uint64_t stop = before_wrap < limit ? before_wrap : limit;
    result.span[result.size++] = {first, static_cast<uint32_t>(stop - first)};
  }
  if (end > kWrap && limit > 0) {
    uint64_t after = end - kWrap;
    result.span[result.size++] = {0, static_cast<uint32_t>(after < limit ? after : limit)};
  }
  return result;
}

inline bool on_canvas(const Canvas& canvas, uint32_t x, uint32_t y) {
  return x < canvas.Width && y < canvas.Height;
}

// True when PutPixel stores anything at this depth.
inline bool stores_pixels(const Canvas& canvas) {
  return canvas.BitsPerPixel == 16 || canvas.BitsPerPixel == 32;
}

// x + offset with the 32-bit wrap that canvas coordinates follow.
inline int32_t wrap_add(int32_t x, int32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(x) + static_cast<uint32_t>(offset));
}
inline int32_t wrap_sub(int32_t x, int32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(x) - static_cast<uint32_t>(offset));
}

// step applied `times` times to value. A blend with a fixed colour has few
// states (an average settles, an exclusive or alternates, a sum cycles with a
// period dividing 256), so the sequence is followed until it repeats and the
// rest is taken from its cycle.
template <typename Step>
uint32_t apply_repeatedly(uint32_t value, uint64_t times, Step step) {
  std::vector<uint32_t> sequence;
  std::unordered_map<uint32_t, uint64_t> first_seen;
  for (uint64_t n = 0; n < times; ++n) {
    auto [where, fresh] = first_seen.emplace(value, n);
    if (!fresh) {
      uint64_t start = where->second, period = n - start;
      return sequence[start + (times - start) % period];
    }
    sequence.push_back(value);
    value = step(value);
  }
  return value;
}

}  // namespace raster
