#include "raster/lines.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet set_pixels(const CanvasBuffer& buffer) {
  PixelSet pixels;
  buffer.count_pixels([&](int32_t x, int32_t y, uint32_t c) {
    if (c != 0) pixels.insert({x, y});
    return false;
  });
  return pixels;
}

TEST(DrawLine, StepsBackFromTheEndAndSkipsTheStartUnlessLandedOn) {
  CanvasBuffer buffer(32, 32, 32);
  DrawLine(buffer.canvas(), 10, 10, 13, 14, 0xFF);
  EXPECT_EQ(set_pixels(buffer), (PixelSet{{13, 14}, {12, 13}, {11, 12}, {11, 11}, {10, 10}}));

  CanvasBuffer flat(32, 8, 16);
  DrawLine(flat.canvas(), 20, 5, 10, 5, 0x1F);
  PixelSet expected;
  for (int32_t x = 10; x <= 19; ++x) expected.insert({x, 5});
  EXPECT_EQ(set_pixels(flat), expected);

  CanvasBuffer dot(8, 8, 32);
  DrawLine(dot.canvas(), 3, 3, 3, 3, 0xFF);
  EXPECT_TRUE(set_pixels(dot).empty());
}

TEST(DrawLine, HugeDeltasWhoseLengthWrapsDrawNothing) {
  CanvasBuffer buffer(8, 8, 32);
  DrawLine(buffer.canvas(), 0, 0, 40000, 40000, 0xFF);  // sum of squares past 2^31
  EXPECT_TRUE(set_pixels(buffer).empty());
}

TEST(FillGradientRect, BrightensUpwardsFromTheBaseRowAndLeavesRowAndColumnZero) {
  CanvasBuffer buffer(128, 128, 32);
  FillGradientRect(buffer.canvas(), 0, 0, 100, 100, 0x7F);
  EXPECT_EQ(buffer.at(0, 0), 0u);
  for (int32_t i = 0; i <= 100; ++i) {
    EXPECT_EQ(buffer.at(i, 0), 0u);
    EXPECT_EQ(buffer.at(0, i), 0u);
  }
  EXPECT_EQ(buffer.at(1, 100), 0x7Fu);
  EXPECT_EQ(buffer.at(100, 100), 0x7Fu);
  EXPECT_EQ(buffer.at(50, 1), 0xFCu);
  EXPECT_EQ(buffer.at(50, 51), 0xBDu);
  EXPECT_EQ(buffer.at(101, 50), 0u);
  EXPECT_EQ(buffer.at(50, 101), 0u);
}

TEST(FillGradientRect, ComponentsWrapAboveTwoFiftyFive) {
  CanvasBuffer buffer(8, 128, 32);
  FillGradientRect(buffer.canvas(), 0, 0, 4, 100, 200 << 16);
  // Row 100 − i holds 200 + 200 × i div 100: i = 27 gives 254, i = 28 wraps to 0.
  EXPECT_EQ(buffer.at(1, 100 - 27), 254u << 16);
  EXPECT_EQ(buffer.at(1, 100 - 28), 0u);
  EXPECT_EQ(buffer.at(1, 100 - 29), 2u << 16);
}

TEST(FillGradientRect, HeightOneDrawsTheBaseRowAndZeroHeightNothing) {
  CanvasBuffer buffer(16, 16, 16);
  FillGradientRect(buffer.canvas(), 2, 3, 4, 1, PackColour(0, 0, 200, 16));
  EXPECT_EQ(set_pixels(buffer), (PixelSet{{3, 4}, {4, 4}, {5, 4}, {6, 4}}));
  EXPECT_EQ(buffer.at(3, 4), PackColour(0, 0, 200, 16));
  CanvasBuffer empty(16, 16, 32);
  FillGradientRect(empty.canvas(), 2, 3, 4, 0, 0xFF);
  FillGradientRect(empty.canvas(), 2, 3, 4, -5, 0xFF);
  EXPECT_TRUE(set_pixels(empty).empty());
}

// Five rows from y = −1 on a canvas four rows high: rows 3 to 0 take the
// stripes i = 1 to 4 (64 + 64 × i div 5: 76, 89, 102, 115), and the bottom
// stripe, i = 0 in the base colour 64, falls on row 4, off the canvas, and
// is drawn first. Pixel (0, 0) keeps the last stripe that writes it: the
// stray one while the rows leave column 0 alone, row 0's when they cover it.
TEST(FillGradientRect, OneRowTallerThanTheCanvasFromMinusOneLeavesTheRightStripeInPixelZero) {
  CanvasBuffer apart(6, 4, 32);
  FillGradientRect(apart.canvas(), 1, -1, 3, 5, 64);  // columns 2 to 4
  EXPECT_EQ(apart.at(0, 0), 64u);
  EXPECT_EQ(apart.at(1, 0), 0u);
  EXPECT_EQ(apart.at(2, 0), 115u);
  EXPECT_EQ(apart.at(4, 3), 76u);

  CanvasBuffer covering(6, 4, 32);
  FillGradientRect(covering.canvas(), -1, -1, 3, 5, 64);  // columns 0 to 2
  EXPECT_EQ(covering.at(0, 0), 115u);
  EXPECT_EQ(covering.at(0, 3), 76u);
  EXPECT_EQ(covering.at(3, 0), 0u);
}

TEST(FillBlendRect, AveragesTheRectangleAnchoredAtItsCorner) {
  CanvasBuffer buffer(4, 4, 32);
  FillBlendRect(buffer.canvas(), 0, 0, 2, 2, 0xFFFFFF, 0);
  EXPECT_EQ(set_pixels(buffer), (PixelSet{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
  EXPECT_EQ(buffer.at(1, 1), 0x7F7F7Fu);
  FillBlendRect(buffer.canvas(), 0, 0, 2, 2, 0xFFFFFF, 0);
  EXPECT_EQ(buffer.at(1, 1), 0xBFBFBFu);
}

TEST(FillBlendRect, StraysBlendPixelZeroOnceMoreEach) {
  CanvasBuffer buffer(4, 4, 32);
  // Two columns lie outside: pixel (0, 0) is blended for (3, 0) ... in order.
  FillBlendRect(buffer.canvas(), 3, 0, 3, 1, 0xFFFFFF, 0);
  EXPECT_EQ(buffer.at(3, 0), 0x7F7F7Fu);
  EXPECT_EQ(buffer.at(0, 0), 0xBFBFBFu);  // black → 7F → BF
}

TEST(FillBlendRect, EmptyOrNegativeSizesBlendNothing) {
  CanvasBuffer buffer(4, 4, 32);
  FillBlendRect(buffer.canvas(), 1, 1, 0, 3, 0xFFFFFF, 0);
  FillBlendRect(buffer.canvas(), 1, 1, 3, -1, 0xFFFFFF, 0);
  FillBlendRect(buffer.canvas(), 1, 1, -2, -2, 0xFFFFFF, 1);
  EXPECT_TRUE(set_pixels(buffer).empty());
}

TEST(DrawQuarterArc, RunsFromTheRightPointTowardsTheBottom) {
  ensure_angle_table();
  CanvasBuffer buffer(64, 64, 32);
  DrawQuarterArc(buffer.canvas(), 20, 20, 10, 5, 0xFF);
  EXPECT_EQ(buffer.at(30, 20), 0xFFu);
  EXPECT_EQ(buffer.at(20, 25), 0xFFu);
  EXPECT_EQ(buffer.at(10, 20), 0u);
  EXPECT_EQ(buffer.at(20, 15), 0u);
  for (auto [x, y] : set_pixels(buffer)) {
    EXPECT_GE(x, 20);
    EXPECT_GE(y, 20);
  }
}

}  // namespace
