// The fast primitives against their literal per-pixel transcriptions, over
// random sizes, colours, modes and positions, including shapes that straddle
// every canvas edge, where the redirect to pixel (0, 0) decides the result,
// and, every other round, the shapes that sit on the edges exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "raster/discs.h"
#include "raster/lines.h"
#include "raster/literal/raster_literal.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"
#include "support/picture_diff.h"

namespace {

constexpr uint32_t kWidth = 61, kHeight = 47;

// A position and a size along one axis.
struct Extent {
  int32_t position, size;
};

class FastVsLiteral : public testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { ensure_angle_table(); }

  // Two canvases with the same random background.
  void make_pair() {
    fast_ = std::make_unique<CanvasBuffer>(kWidth, kHeight, GetParam());
    slow_ = std::make_unique<CanvasBuffer>(kWidth, kHeight, GetParam());
    for (uint32_t y = 0; y < kHeight; ++y)
      for (uint32_t x = 0; x < kWidth; ++x) {
        uint32_t c = random_();
        PutPixel(fast_->canvas(), x, y, c);
        PutPixel(slow_->canvas(), x, y, c);
      }
  }
  int32_t coordinate(int32_t extent) {
    return static_cast<int32_t>(random_() % (extent + 40)) - 20;
  }
  int32_t size(int32_t limit) { return 1 + static_cast<int32_t>(random_() % limit); }
  // Odd rounds place a shape at random. Even rounds take in turn the 81
  // placements at the edges: position −1, 0 or 1 on each axis, with one row
  // or column fewer than the canvas, as many or one more. Among them are the
  // shapes one row taller than the canvas from −1, and those that leave
  // column 0 alone, where only the stray stripe writes pixel (0, 0).
  Extent extent_at(int round, int axis, uint32_t canvas_extent, int32_t size_limit) {
    if (round % 2 == 1) return {coordinate(int32_t(canvas_extent)), size(size_limit)};
    int edge = (axis == 0 ? round / 2 : round / 18) % 9;
    return {edge % 3 - 1, int32_t(canvas_extent) - 1 + edge / 3};
  }
  // A line coordinate: at random on odd rounds, on even ones next to or on
  // an edge of the canvas.
  int32_t line_coordinate(int round, uint32_t canvas_extent) {
    if (round % 2 == 1) return coordinate(int32_t(canvas_extent));
    const int32_t edges[] = {
        -1, 0, 1, int32_t(canvas_extent) - 2, int32_t(canvas_extent) - 1, int32_t(canvas_extent)};
    return edges[random_() % 6];
  }
  uint32_t colour() {
    switch (random_() % 4) {
      case 0: return random_() & 0x7F7F7F;
      case 1: return random_() & 0xFFFFFF;
      case 2: return random_();  // top bits set: negative as a signed value
      default: return random_() & 0xFFFF;
    }
  }

  std::mt19937 random_{12345};
  std::unique_ptr<CanvasBuffer> fast_, slow_;
};

TEST_P(FastVsLiteral, GradientRects) {
  for (int round = 0; round < 400; ++round) {
    make_pair();
    auto [x, w] = extent_at(round, 0, kWidth, 80);
    auto [y, h] = extent_at(round, 1, kHeight, 60);
    uint32_t c = colour();
    FillGradientRect(fast_->canvas(), x, y, w, h, c);
    literal::FillGradientRect(slow_->canvas(), x, y, w, h, c);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << x << "," << y << " " << w << "x" << h << " " << c;
  }
}

TEST_P(FastVsLiteral, BlendRects) {
  for (int round = 0; round < 400; ++round) {
    make_pair();
    auto [x, w] = extent_at(round, 0, kWidth, 80);
    auto [y, h] = extent_at(round, 1, kHeight, 60);
    uint32_t c = colour(), mode = random_() % 5;
    FillBlendRect(fast_->canvas(), x, y, w, h, c, mode);
    literal::FillBlendRect(slow_->canvas(), x, y, w, h, c, mode);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << x << "," << y << " " << w << "x" << h << " " << c << " mode " << mode;
  }
}

// Ramp stripes run downwards, the other way from a gradient's rows.
TEST_P(FastVsLiteral, RampStripes) {
  for (int round = 0; round < 400; ++round) {
    make_pair();
    auto [x, columns] = extent_at(round, 0, kWidth, 80);
    auto [y, count] = extent_at(round, 1, kHeight, 60);
    ColourRamp ramp{};
    CreateColourRamp(fast_->canvas(), ramp, 0, 0, columns - 1, count, colour());
    DrawColourRamp(fast_->canvas(), ramp, x, y);
    literal::DrawColourRamp(slow_->canvas(), ramp, x, y);
    FreeColourRamp(ramp);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << x << "," << y << " " << columns << "x" << count;
  }
}

TEST_P(FastVsLiteral, GradientDiscs) {
  for (int round = 0; round < 150; ++round) {
    make_pair();
    int32_t x = coordinate(kWidth), y = coordinate(kHeight), r = size(45);
    uint32_t c = colour();
    FillGradientDisc(fast_->canvas(), x, y, r, c);
    literal::FillGradientDisc(slow_->canvas(), x, y, r, c);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << x << "," << y << " r " << r << " " << c;
  }
}

TEST_P(FastVsLiteral, Lines) {
  for (int round = 0; round < 2000; ++round) {
    make_pair();
    int32_t x1 = line_coordinate(round, kWidth), y1 = line_coordinate(round, kHeight);
    int32_t x2 = line_coordinate(round, kWidth), y2 = line_coordinate(round, kHeight);
    uint32_t c = colour();
    DrawLine(fast_->canvas(), x1, y1, x2, y2, c);
    literal::DrawLine(slow_->canvas(), x1, y1, x2, y2, c);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << x1 << "," << y1 << " " << x2 << "," << y2;
  }
}

// Lines wholly on a large canvas take the stepping fast path: long ones of
// every slope, horizontal and vertical ones, ones that end at the canvas's
// corners, checked in batches against the literal version.
TEST_P(FastVsLiteral, LongLinesOnACanvas) {
  constexpr uint32_t kW = 1500, kH = 1100;
  CanvasBuffer fast(kW, kH, GetParam()), slow(kW, kH, GetParam());
  auto inside = [&](uint32_t extent) { return static_cast<int32_t>(random_() % extent); };
  for (int round = 0; round < 600; ++round) {
    int32_t x1 = inside(kW), y1 = inside(kH), x2 = inside(kW), y2 = inside(kH);
    switch (round % 6) {
      case 0: y2 = y1; break;                                              // horizontal
      case 1: x2 = x1; break;                                              // vertical
      case 2: x2 = std::clamp(x1 + (y2 - y1), 0, int32_t(kW) - 1); break;  // near 45 degrees
      case 3: x1 = 0, y1 = 0, x2 = kW - 1, y2 = kH - 1; break;
      default: break;
    }
    uint32_t c = colour();
    DrawLine(fast.canvas(), x1, y1, x2, y2, c);
    literal::DrawLine(slow.canvas(), x1, y1, x2, y2, c);
    if (round % 20 == 19) {
      ASSERT_SAME_PICTURE(slow.picture(), fast.picture())
          << "a line up to " << x1 << "," << y1 << " " << x2 << "," << y2;
    }
  }
  ASSERT_SAME_PICTURE(slow.picture(), fast.picture());
}

TEST_P(FastVsLiteral, LargeDiscsAndWideRects) {
  for (int32_t r : {100, 300, 571, 800}) {
    make_pair();
    FillGradientDisc(fast_->canvas(), 30, 20, r, 0x3F2F1F);
    literal::FillGradientDisc(slow_->canvas(), 30, 20, r, 0x3F2F1F);
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture()) << r;
  }
  make_pair();
  FillGradientRect(fast_->canvas(), -5, -5, 50000, 30, 0x102030);
  literal::FillGradientRect(slow_->canvas(), -5, -5, 50000, 30, 0x102030);
  ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture());
}

INSTANTIATE_TEST_SUITE_P(Depths, FastVsLiteral, testing::Values(16, 32),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
