#include "raster/canvas.h"

#include <gtest/gtest.h>

#include "support/canvas_buffer.h"

namespace {

TEST(PixelIndex, OutsidePixelsRedirectToCellZero) {
  EXPECT_EQ(PixelIndex(1023, 767, 1024, 768), 786431u);
  EXPECT_EQ(PixelIndex(1024, 0, 1024, 768), 0u);
  EXPECT_EQ(PixelIndex(0, 768, 1024, 768), 0u);
  EXPECT_EQ(PixelIndex(static_cast<uint32_t>(-1), 5, 1024, 768), 0u);
  EXPECT_EQ(PixelIndex(3, 2, 10, 5), 23u);
}

TEST(PutPixel, StraysChangeOnlyPixelZeroAtBothDepths) {
  for (int32_t depth : {16, 32}) {
    CanvasBuffer buffer(8, 4, depth);
    PutPixel(buffer.canvas(), -1, -1, 0x1234);
    PutPixel(buffer.canvas(), 8, 4, 0x5678);
    EXPECT_EQ(buffer.at(0, 0), 0x5678u) << depth;
    EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 1);
    PutPixel(buffer.canvas(), 7, 3, 0xABCDEF);
    EXPECT_EQ(buffer.at(7, 3), depth == 32 ? 0xABCDEFu : 0xCDEFu);
    EXPECT_EQ(buffer.at(100, 100), buffer.at(0, 0));
  }
}

TEST(PutPixel, OtherDepthsStoreAndReadNothing) {
  uint32_t cell = 0x55;
  Canvas canvas{&cell, 1, 1, 24};
  PutPixel(canvas, 0, 0, 0xFFFFFF);
  EXPECT_EQ(cell, 0x55u);
  EXPECT_EQ(GetPixel(canvas, 0, 0), 0u);
}

TEST(PackColour, KeepsLowEightBitsAndUsesFiveBitGreenAtSixteen) {
  EXPECT_EQ(PackColour(255, 255, 255, 32), 0xFFFFFFu);
  EXPECT_EQ(PackColour(255, 255, 255, 16), 0xFFDFu);
  EXPECT_EQ(PackColour(0x1FF, 0, 0, 32), 0xFF0000u);
  EXPECT_EQ(PackColour(256, 300, 0, 32), 0x002C00u);
  EXPECT_EQ(PackColour(0x30, 0x20, 0x10, 16), 0x3102u);
}

TEST(ClampPackColour, LimitsAre31And31And63AtEveryDepth) {
  EXPECT_EQ(ClampPackColour(100, -5, 200, 32), 0x1F003Fu);
  EXPECT_EQ(ClampPackColour(1000, 1000, 1000, 32), 0x1F1F3Fu);
  EXPECT_EQ(ClampPackColour(1000, 1000, 1000, 16), 0x18C7u);
}

TEST(UnpackColour, SixteenBitReadsBlueFromSixBitsAndRedUnmasked) {
  RgbTriple t;
  UnpackColour(t, 0xFFDF, 16);
  EXPECT_EQ(t.Red, 248u);
  EXPECT_EQ(t.Green, 248u);
  EXPECT_EQ(t.Blue, 248u);
  UnpackColour(t, 0x0020, 16);
  EXPECT_EQ(t.Blue, 256u);
  UnpackColour(t, 0x12345678, 16);
  EXPECT_EQ(t.Red, (0x12345678u >> 11) * 8);
  RgbTriple other;
  UnpackColour(other, 0x12345678, 24);
  EXPECT_EQ(other.Red, t.Red);
  EXPECT_EQ(other.Green, t.Green);
  EXPECT_EQ(other.Blue, t.Blue);
  UnpackColour(t, PackColour(200, 100, 50, 16), 16);
  EXPECT_EQ(t.Red, 200u);
  EXPECT_EQ(t.Green, 96u);
  EXPECT_EQ(t.Blue, 48u);
  UnpackColour(t, 0xFF123456, 32);
  EXPECT_EQ(t.Red, 0x12u);
  EXPECT_EQ(t.Blue, 0x56u);
}

TEST(BlendPixel, ModesAverageAddXorAndCopyWithoutWriting) {
  CanvasBuffer buffer(2, 1, 32);
  const Canvas& canvas = buffer.canvas();
  EXPECT_EQ(BlendPixel(canvas, 0, 0, 0xFFFFFF, 0), 0x7F7F7Fu);
  PutPixel(canvas, 0, 0, 0x808080);
  EXPECT_EQ(BlendPixel(canvas, 0, 0, 0x808080, 1), 0x000000u);
  PutPixel(canvas, 0, 0, 0x0F0F0F);
  EXPECT_EQ(BlendPixel(canvas, 0, 0, 0xFF00FF, 2), 0xF00FF0u);
  EXPECT_EQ(BlendPixel(canvas, 0, 0, 0xFF123456, 3), 0x123456u);
  EXPECT_EQ(BlendPixel(canvas, 0, 0, 0xFF123456, 7), 0x123456u);
  EXPECT_EQ(buffer.at(0, 0), 0x0F0F0Fu);
}

TEST(BlendPixel, SixteenBitAddWrapsTheSixBitBlue) {
  CanvasBuffer buffer(1, 1, 16);
  PutPixel(buffer.canvas(), 0, 0, 0x001F);  // blue 248
  // 248 + 248 = 496 keeps its low 8 bits (240) before the division by 8.
  EXPECT_EQ(BlendPixel(buffer.canvas(), 0, 0, 0x001F, 1), 240u / 8);
}

}  // namespace
