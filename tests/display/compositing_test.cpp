#include "display/compositing.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/display_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "support/dc_pixels.h"
#include "support/picture_diff.h"

namespace {

constexpr int kWidth = 550;  // narrower and shorter than the 1024 by 768 buffers
constexpr int kHeight = 400;

// A 550 by 400 Surface filled with a pattern, and the same pixels on a
// plain canvas to draw the expected result on.
class CompositingTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { display_test_window(); }

  void SetUp() override {
    target_ = CreateSurface(nullptr, 0, 0, kWidth, kHeight);
    fill_dc(dc(), 0, 0, kWidth, kHeight, 0x000000);
    fill_dc(dc(), 0, 0, 275, 200, 0x204060);
    fill_dc(dc(), 275, 200, 275, 200, 0xF0E0D0);
    expected_picture_ = read_dc_pixels(dc(), 0, 0, kWidth, kHeight);
    expected_ = Canvas{expected_picture_.pixels.data(), kWidth, kHeight, 32};
  }
  void TearDown() override { DestroySurface(target_); }

  HDC dc() const { return SurfaceDC(target_); }

  Surface* target_ = nullptr;
  DcPixels expected_picture_;  // the expected target, drawn on through expected_
  Canvas expected_{};
};

TEST_F(CompositingTest, GradientDiscLandsOnTheTargetAndNothingElseChanges) {
  CompositeGradientDisc(dc(), 200, 100, 50, 0x00007F00);
  DcPixels result = read_dc_pixels(dc(), 0, 0, kWidth, kHeight);
  EXPECT_EQ(result.at(250, 100), 0x007F00u);  // rim
  EXPECT_EQ(result.at(248, 100), 0x008100u);  // second ring inside
  EXPECT_EQ(result.at(200, 100), 0x00FB00u);  // centre
  FillGradientDisc(expected_, 200, 100, 50, 0x00007F00);
  EXPECT_SAME_PICTURE(expected_picture_, result);
}

TEST_F(CompositingTest, BlendRectAveragesWithWhatTheTargetShows) {
  CompositeBlendRect(dc(), 250, 150, 100, 100, 0x00777777, 0);
  DcPixels result = read_dc_pixels(dc(), 0, 0, kWidth, kHeight);
  // Each channel becomes (old + 0x77) >> 1.
  EXPECT_EQ(result.at(250, 150), 0x4B5B6Bu);  // over 0x204060
  EXPECT_EQ(result.at(349, 249), 0xB3ABA3u);  // over 0xF0E0D0
  EXPECT_EQ(result.at(300, 180), 0x3B3B3Bu);  // over black
  EXPECT_EQ(result.at(350, 250), 0xF0E0D0u);  // just outside
  FillBlendRect(expected_, 250, 150, 100, 100, 0x00777777, 0);
  EXPECT_SAME_PICTURE(expected_picture_, result);
}

// The rectangle is drawn at the canvas's origin and that corner of the canvas
// is placed on the target: its top row and left column are the canvas's old
// content, and what the target showed there plays no part.
TEST_F(CompositingTest, GradientRectPlacesTheCanvasCornerOverTheTarget) {
  Canvas page = ScreenCanvas;
  for (int y = 0; y < 101; ++y)
    for (int x = 0; x < 101; ++x) PutPixel(page, x, y, 0x123456);
  CompositeGradientRect(dc(), 10, 150, 100, 100, 0x0000007F);
  DcPixels result = read_dc_pixels(dc(), 0, 0, kWidth, kHeight);
  EXPECT_EQ(result.at(10, 150), 0x123456u);
  EXPECT_EQ(result.at(109, 150), 0x123456u);
  EXPECT_EQ(result.at(10, 249), 0x123456u);
  EXPECT_EQ(result.at(11, 151), 0x0000FCu);   // top drawn row: 127 + 127 × 99 div 100
  EXPECT_EQ(result.at(109, 249), 0x000080u);  // lowest copied row: 127 + 127 × 1 div 100
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      PutPixel(expected_, 10 + x, 150 + y, GetPixel(ScreenCanvas, x, y));
  EXPECT_SAME_PICTURE(expected_picture_, result);
}

}  // namespace
