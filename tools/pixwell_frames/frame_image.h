// One frame as the tool keeps it: 8-bit RGB rows, top row first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width × height × 3 bytes

  uint32_t pixel(int x, int y) const;  // 0x00RRGGBB
};

// Writes the frame as a PNG; returns false when the file can't be written.
bool write_png(const FrameImage& image, const std::string& path);
// Reads a PNG as RGB; returns false when it can't be read.
bool read_png(const std::string& path, FrameImage& image);
