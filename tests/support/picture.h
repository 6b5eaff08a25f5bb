// A picture as the pixel tests compare it: cells in a canvas's own format
// (0x00RRGGBB at 32 bits per pixel, the 5-5-5 layout at 16), top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  int bits_per_pixel = 32;

  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Rows first_row .. first_row + count − 1 of a picture.
inline Picture picture_rows(const Picture& picture, int first_row, int count) {
  auto begin = picture.pixels.begin() + static_cast<std::ptrdiff_t>(first_row) * picture.width;
  return {picture.width, count,
          std::vector<uint32_t>(begin, begin + static_cast<std::ptrdiff_t>(count) * picture.width),
          picture.bits_per_pixel};
}
