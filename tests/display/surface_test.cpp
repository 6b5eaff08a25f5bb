#include "display/surface.h"

#include <gtest/gtest.h>

#include <cstring>

#include "display/display_window.h"
#include "support/dc_pixels.h"
#include "support/picture_diff.h"

namespace {

class SurfaceTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { display_test_window(); }
};

TEST_F(SurfaceTest, StripSizedSurfaceIsBlackAndDrawableToItsLastRow) {
  Surface* surface = CreateSurface(nullptr, 7, -3, 550, 12600);
  ASSERT_NE(surface, kNoSurface);
  EXPECT_EQ(SurfaceSize(surface), (uint64_t{550} << 32) | 12600u);
  EXPECT_EQ(SurfaceWidth(surface), 550);
  EXPECT_EQ(SurfaceHeight(surface), 12600);
  EXPECT_EQ(surface->OriginX, 7);
  EXPECT_EQ(surface->OriginY, -3);
  const uint32_t info[10] = {40, 550, 12600, 1, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(SurfaceInfoBlock(surface), info, sizeof(info)), 0);

  HDC dc = SurfaceDC(surface);
  fill_dc(dc, 549, 12599, 1, 1, 0xABCDEF);
  DcPixels bottom = read_dc_pixels(dc, 540, 12590, 10, 10);
  EXPECT_EQ(bottom.at(9, 9), 0xABCDEFu);
  EXPECT_EQ(bottom.at(8, 9), 0u);
  EXPECT_SAME_PICTURE((Picture{550, 350, std::vector<uint32_t>(550 * 350, 0)}),
                      read_dc_pixels(dc, 0, 0, 550, 350));
  DestroySurface(surface);
}

TEST_F(SurfaceTest, ScratchHeaderDescribesTheLastSurfaceBottomUp) {
  Surface* surface = CreateSurface(nullptr, 0, 0, 33, 17);
  BITMAPINFOHEADER expected{};
  expected.biSize = 40;
  expected.biWidth = 33;
  expected.biHeight = 17;
  expected.biPlanes = 1;
  expected.biBitCount = 32;
  EXPECT_EQ(std::memcmp(&ScratchDibHeader, &expected, sizeof(expected)), 0);
  BITMAP bitmap{};
  GetObjectA(SurfaceBitmap(surface), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 33);
  EXPECT_EQ(bitmap.bmHeight, 17);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);
  DestroySurface(surface);
}

TEST_F(SurfaceTest, FontIsTenUnitLucidaConsoleAsDescribed) {
  EXPECT_EQ(SurfaceFont.lfHeight, -10);
  EXPECT_EQ(SurfaceFont.lfWeight, 400);
  EXPECT_EQ(SurfaceFont.lfCharSet, 1);
  EXPECT_EQ(SurfaceFont.lfOutPrecision, 3);
  EXPECT_EQ(SurfaceFont.lfClipPrecision, 0);
  EXPECT_EQ(SurfaceFont.lfQuality, 1);
  EXPECT_EQ(SurfaceFont.lfPitchAndFamily, 0x20);
  EXPECT_STREQ(SurfaceFont.lfFaceName, "Lucida Console");

  Surface* surface = CreateSurface(nullptr, 0, 0, 40, 20);
  LOGFONTA selected{};
  GetObjectA(GetCurrentObject(SurfaceDC(surface), OBJ_FONT), sizeof(selected), &selected);
  EXPECT_EQ(selected.lfHeight, -10);
  EXPECT_STREQ(selected.lfFaceName, "Lucida Console");
  DestroySurface(surface);
}

// Text is white and touches only its glyphs: a mid-grey background stays.
TEST_F(SurfaceTest, TextIsWhiteAndTransparent) {
  Surface* surface = CreateSurface(nullptr, 0, 0, 60, 20);
  HDC dc = SurfaceDC(surface);
  fill_dc(dc, 0, 0, 60, 20, 0x404040);
  TextOutA(dc, 1, 1, "HWM", 3);
  DcPixels text = read_dc_pixels(dc, 0, 0, 60, 20);
  int white = 0;
  for (uint32_t pixel : text.pixels) {
    uint32_t red = pixel >> 16, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    EXPECT_TRUE(red == green && green == blue && red >= 0x40) << std::hex << pixel;
    white += pixel == 0xFFFFFF;
  }
  EXPECT_GT(white, 5);
  EXPECT_EQ(text.at(59, 19), 0x404040u);
  DestroySurface(surface);
}

}  // namespace
