#include "raster/discs.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

class DiscTest : public testing::Test {
 protected:
  void SetUp() override { ensure_angle_table(); }
};

TEST_F(DiscTest, GreenDiscRimRingsAndCentre) {
  CanvasBuffer buffer(256, 256, 32);
  FillGradientDisc(buffer.canvas(), 100, 100, 50, 0x7F00);
  for (auto [x, y] : {std::pair{150, 100}, {50, 100}, {100, 150}, {100, 50}})
    EXPECT_EQ(buffer.at(x, y), 0x7F00u) << x << "," << y;
  EXPECT_EQ(buffer.at(149, 100), 0x7F00u);  // ring 49 shares the base colour
  EXPECT_EQ(buffer.at(148, 100), 0x8100u);  // ring 48: 127 + 127 × 1 div 50
  EXPECT_EQ(buffer.at(100, 100), 0xFB00u);  // centre: 127 + 127 × 49 div 50
  EXPECT_EQ(buffer.at(151, 100), 0u);
  EXPECT_EQ(buffer.at(0, 0), 0u);
}

TEST_F(DiscTest, RedDiscKeepsGreenAndBlueZeroEverywhere) {
  CanvasBuffer buffer(128, 128, 32);
  FillGradientDisc(buffer.canvas(), 60, 60, 50, 0x7F0000);
  EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return (c & 0xFFFF) != 0; }), 0);
  EXPECT_EQ(buffer.at(60, 60), 0xFB0000u);
}

TEST_F(DiscTest, TransparentColoursAndDegenerateRadiiDrawNothing) {
  CanvasBuffer buffer(32, 32, 32);
  FillGradientDisc(buffer.canvas(), 16, 16, 10, 0);
  FillGradientDisc(buffer.canvas(), 16, 16, 0, 0x7F);
  FillGradientDisc(buffer.canvas(), 16, 16, -3, 0x7F);
  EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 0);
}

TEST_F(DiscTest, RadiusOneDrawsRimInCallerColourAndCentreInBase) {
  CanvasBuffer buffer(8, 8, 32);
  FillGradientDisc(buffer.canvas(), 4, 4, 1, 0xFF00007F);  // negative: rim not drawn
  EXPECT_EQ(buffer.at(5, 4), 0u);
  EXPECT_EQ(buffer.at(4, 4), 0x7Fu);
  FillGradientDisc(buffer.canvas(), 4, 4, 1, 0x7F);
  EXPECT_EQ(buffer.at(5, 4), 0x7Fu);
  EXPECT_EQ(buffer.at(4, 3), 0x7Fu);
}

TEST_F(DiscTest, RampEntriesStripesAndRings) {
  CanvasBuffer buffer(32, 32, 32);
  ColourRamp ramp;
  CreateColourRamp(buffer.canvas(), ramp, 7, 8, 4, 3, 100);
  ASSERT_NE(ramp.Entries, nullptr);
  EXPECT_EQ(ramp.Entries[0], 200u);
  EXPECT_EQ(ramp.Entries[1], 166u);
  EXPECT_EQ(ramp.Entries[2], 133u);
  EXPECT_EQ(ramp.X, 7);
  EXPECT_EQ(ramp.Span, 4);
  DrawColourRamp(buffer.canvas(), ramp, 2, 3);
  for (int32_t x = 2; x <= 6; ++x) {
    EXPECT_EQ(buffer.at(x, 4), 133u);
    EXPECT_EQ(buffer.at(x, 5), 166u);
    EXPECT_EQ(buffer.at(x, 6), 200u);
  }
  EXPECT_EQ(buffer.at(7, 4), 0u);
  EXPECT_EQ(buffer.at(2, 7), 0u);

  CanvasBuffer rings(32, 32, 32);
  DrawRampRings(rings.canvas(), ramp, 16, 16);
  EXPECT_EQ(rings.at(19, 16), 133u);
  EXPECT_EQ(rings.at(18, 16), 133u);
  EXPECT_EQ(rings.at(17, 16), 166u);
  EXPECT_EQ(rings.at(16, 13), 133u);
  FreeColourRamp(ramp);
}

TEST_F(DiscTest, SquareRampPaintsCountRowsOfCountPlusOnePixels) {
  CanvasBuffer buffer(16, 16, 16);
  ColourRamp ramp;
  CreateSquareRamp(buffer.canvas(), ramp, 0, 0, 4, PackColour(40, 40, 40, 16));
  DrawColourRamp(buffer.canvas(), ramp, 1, 1);
  EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 20);
  FreeColourRamp(ramp);
}

TEST_F(DiscTest, EmptyRampHoldsNoBlockAndDrawsNothing) {
  CanvasBuffer buffer(8, 8, 32);
  ColourRamp ramp;
  CreateColourRamp(buffer.canvas(), ramp, 0, 0, 3, 0, 0x7F);
  EXPECT_EQ(ramp.Entries, nullptr);
  DrawColourRamp(buffer.canvas(), ramp, 0, 0);
  DrawRampRings(buffer.canvas(), ramp, 4, 4);
  FreeColourRamp(ramp);
  EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 0);
}

TEST_F(DiscTest, ArcPairDrawsUpperRightQuarterAndItsMirrorThenSignalsDone) {
  CanvasBuffer buffer(64, 64, 32);
  ArcCanvas = buffer.canvas();
  ArcCentreX = 30;
  ArcCentreY = 30;
  ArcRadiusX = 10;
  ArcRadiusY = 6;
  ArcColour = 0xABCDEF;
  ArcDone = 0;
  DrawArcPair(0);
  EXPECT_EQ(ArcDone, 1u);
  EXPECT_EQ(buffer.at(40, 30), 0xABCDEFu);
  EXPECT_EQ(buffer.at(20, 30), 0xABCDEFu);
  EXPECT_EQ(buffer.at(31, 24), 0xABCDEFu);
  EXPECT_EQ(buffer.at(29, 36), 0xABCDEFu);
  // Only the quarter right of and above the centre, and its mirror image.
  EXPECT_EQ(buffer.count_pixels([](int32_t x, int32_t y, uint32_t c) {
    return c != 0 && !((x >= 30 && y <= 30) || (x <= 30 && y >= 30));
  }),
            0);
  ArcCanvas = {nullptr, 0, 0, 0};
  DrawArcPair(0);  // the start-up state: depth 0 stores nothing
}

TEST(BlockCopy, CopiesUnitsThenBytesAndShortCountsBytewise) {
  const char source[16] = "ABCDEFGHIJKLMNO";
  for (uint32_t n : {0u, 3u, 8u, 13u, 16u}) {
    char destination[17];
    std::memset(destination, '.', sizeof(destination));
    BlockCopy(destination, source, n);
    EXPECT_EQ(std::memcmp(destination, source, n), 0) << n;
    EXPECT_EQ(destination[n], '.') << n;
  }
}

}  // namespace
