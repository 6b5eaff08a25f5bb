// The blitters against their per-pixel transcription: random images, some
// cut short, drawn and blended at random positions on and across every edge
// of canvases at both depths, must leave the same pixels.
#include <gtest/gtest.h>

#include <random>

#include "raster/bmp.h"
#include "raster/bmp_test_support.h"
#include "reference/bmp_literal.h"
#include "support/picture_diff.h"
#include "support/temp_dir.h"

namespace {

void put_u32(std::string& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

// A 24-bit BMP of random pixels; the fill bytes are random too, since the
// blitters must skip them whatever they hold.
std::string random_bmp(uint32_t width, uint32_t height, std::mt19937& random) {
  uint32_t stride = (width * 3 + 3) / 4 * 4;
  std::string bytes(kBmpHeaderSize + size_t{height} * stride, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  put_u32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  put_u32(bytes, 10, kBmpHeaderSize);
  put_u32(bytes, 14, 40);
  put_u32(bytes, 18, width);
  put_u32(bytes, 22, height);
  put_u32(bytes, 26, 1 | 24 << 16);
  for (size_t i = kBmpHeaderSize; i < bytes.size(); ++i) bytes[i] = static_cast<char>(random());
  return bytes;
}

int32_t between(std::mt19937& random, int32_t low, int32_t high) {
  return std::uniform_int_distribution<int32_t>(low, high)(random);
}

// A position whose image rows (y + 1 .. y + height) and columns lie on,
// across or beyond any edge, now and then near the ends of the 32-bit range.
std::pair<int32_t, int32_t> random_position(std::mt19937& random, const Canvas& canvas,
                                            int32_t width, int32_t height) {
  int32_t canvas_width = int32_t(canvas.Width), canvas_height = int32_t(canvas.Height);
  switch (between(random, 0, 7)) {
    case 0: return {INT32_MAX - between(random, 0, 3), INT32_MIN + between(random, 0, 2)};
    case 1:
    case 2:
      if (width <= canvas_width && height <= canvas_height)
        return {between(random, 0, canvas_width - width),
                between(random, -1, canvas_height - height - 1)};
      [[fallthrough]];
    default:
      return {between(random, -width - 2, canvas_width + 1),
              between(random, -height - 3, canvas_height + 1)};
  }
}

// How often images lay wholly on the canvas and across each of its edges.
struct Counts {
  int inside = 0;
  int across[4] = {};  // left, right, top, bottom
};

void count_placement(Counts& counts, const Canvas& canvas, int64_t x, int64_t y, int64_t width,
                     int64_t height) {
  int64_t top = y + 1, bottom = y + height;  // image rows
  auto crosses = [](int64_t first, int64_t last, int64_t edge) {
    return first < edge && last >= edge;
  };
  bool rows_meet = top < int64_t{canvas.Height} && bottom >= 0;
  bool columns_meet = x < int64_t{canvas.Width} && x + width > 0;
  counts.across[0] += rows_meet && crosses(x, x + width - 1, 0);
  counts.across[1] += rows_meet && crosses(x, x + width - 1, canvas.Width);
  counts.across[2] += columns_meet && crosses(top, bottom, 0);
  counts.across[3] += columns_meet && crosses(top, bottom, canvas.Height);
  counts.inside += x >= 0 && top >= 0 && x + width <= canvas.Width && bottom < canvas.Height;
}

TEST(BmpLiteralMatch, FastBlittersLeaveTheSamePixelsAsTheLiteralOnes) {
  TempDir dir;
  std::string path = dir.file("random.bmp");
  std::mt19937 random(20240601);
  Counts counts;
  for (int round = 0; round < 600; ++round) {
    auto width = static_cast<uint32_t>(between(random, 1, 23));
    auto height = static_cast<uint32_t>(between(random, 1, 19));
    std::string file = random_bmp(width, height, random);
    if (between(random, 0, 3) == 0) file.resize(between(random, 0, int32_t(file.size())));
    write_file_bytes(path, file);
    int32_t depth = between(random, 0, 1) ? 32 : 16;
    CanvasBuffer fast(between(random, 1, 40), between(random, 1, 32), depth);
    CanvasBuffer reference(fast.canvas().Width, fast.canvas().Height, depth);
    auto seed = static_cast<uint32_t>(random());
    fill_random(fast, seed);
    fill_random(reference, seed);
    auto [x, y] = random_position(random, fast.canvas(), int32_t(width), int32_t(height));
    count_placement(counts, fast.canvas(), x, y, width, height);
    if (between(random, 0, 1)) {
      DrawBmpFile(path.c_str(), fast.canvas(), 0, x, y);
      literal::DrawBmpFile(path.c_str(), reference.canvas(), 0, x, y);
    } else {
      BlendBmpFile(path.c_str(), fast.canvas(), 0, x, y);
      literal::BlendBmpFile(path.c_str(), reference.canvas(), 0, x, y);
    }
    ASSERT_SAME_PICTURE(reference.picture(), fast.picture())
        << "round " << round << ": " << width << " x " << height << " (" << file.size()
        << " bytes) at (" << x << ", " << y << ") on " << fast.canvas().Width << " x "
        << fast.canvas().Height << " at depth " << depth;
  }
  EXPECT_GT(counts.inside, 60);
  for (int edge = 0; edge < 4; ++edge) EXPECT_GT(counts.across[edge], 50) << "edge " << edge;
}

}  // namespace
