// The primitives on a 16-bit canvas, where colours pass through the 5-5-5
// layout with a six-bit blue reading.
#include <gtest/gtest.h>

#include "raster/discs.h"
#include "raster/lines.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

TEST(SixteenBit, GradientRectStepsFromTheTruncatedBase) {
  CanvasBuffer buffer(16, 16, 16);
  uint32_t base = PackColour(100, 60, 20, 16);  // unpacks as 96, 56, 16
  FillGradientRect(buffer.canvas(), 0, 0, 4, 10, base);
  EXPECT_EQ(buffer.at(1, 10), base);
  // Row 1 is i = 9: 96 + 86, 56 + 50, 16 + 14, each then truncated to 5 bits.
  EXPECT_EQ(buffer.at(4, 1), PackColour(182, 106, 30, 16));
  EXPECT_EQ(buffer.at(5, 1), 0u);
}

TEST(SixteenBit, DiscBrightensTowardsTheCentre) {
  ensure_angle_table();
  CanvasBuffer buffer(40, 40, 16);
  uint32_t base = PackColour(0, 0, 120, 16);
  FillGradientDisc(buffer.canvas(), 20, 20, 10, base);
  EXPECT_EQ(buffer.at(30, 20), base);
  EXPECT_EQ(buffer.at(28, 20), PackColour(0, 0, 120 + 12, 16));  // 120 × 1 div 10
  EXPECT_EQ(buffer.at(20, 20), PackColour(0, 0, 120 + 108, 16));
}

TEST(SixteenBit, BlendAveragesInFiveBitSteps) {
  CanvasBuffer buffer(4, 4, 16);
  buffer.fill(PackColour(255, 255, 255, 16));  // 0xFFDF
  FillBlendRect(buffer.canvas(), 1, 1, 2, 2, 0, kBlendAverage);
  EXPECT_EQ(buffer.at(1, 1), PackColour(124, 124, 124, 16));
  EXPECT_EQ(buffer.at(0, 0), 0xFFDFu);
  FillBlendRect(buffer.canvas(), 1, 1, 1, 1, 0xFFDF, kBlendXor);
  EXPECT_EQ(buffer.at(1, 1), PackColour(248 ^ 120, 248 ^ 120, 248 ^ 120, 16));
}

TEST(SixteenBit, LineStoresTheLowSixteenBits) {
  CanvasBuffer buffer(8, 8, 16);
  DrawLine(buffer.canvas(), 0, 0, 3, 3, 0xABCD1234);
  EXPECT_EQ(buffer.at(3, 3), 0x1234u);
  EXPECT_EQ(buffer.at(1, 1), 0x1234u);
  EXPECT_EQ(buffer.at(0, 0), 0x1234u);  // n = 4: step 1 truncates onto the start
}

}  // namespace
