// Panels, and every kind's behaviour when its Surface cannot be made.
#include "layers/panel_layer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "display/graphics_startup.h"
#include "layers/captioned_layer.h"
#include "layers/frame_layer.h"
#include "layers/layer_test_window.h"
#include "layers/layer_window.h"
#include "layers/text_view.h"
#include "raster/literal/raster_literal.h"
#include "support/picture_diff.h"
#include "text/text_document.h"

namespace {

class PanelLayerTest : public testing::Test {
 protected:
  void SetUp() override { reset_layers(); }
  void TearDown() override { reset_layers(); }

  HWND window() const { return layer_test_window(); }
};

// The gradient is drawn at (X, Y) and cut from there: the band's top row and
// left column are what the canvas held before. The panel is drawn and hit
// at (1, 1), 20 pixels wide.
TEST_F(PanelLayerTest, PanelIsATwentyPixelGradientCutOnePixelUpAndLeft) {
  Canvas page = ScreenCanvas;
  for (int y = 0; y <= 201; ++y)
    for (int x = 0; x <= 21; ++x) PutPixel(page, x, y, 0x123456);
  std::vector<uint32_t> expected_page = canvas_snapshot();
  Canvas expected{expected_page.data(), kBufferWidth, kBufferHeight, 32};
  literal::FillGradientRect(expected, 1, 1, 20, 200, 0x00007F);

  ASSERT_EQ(CreatePanelLayer(window(), 0, 0, 200, 0x00007F), 0);
  const Layer* layer = GetLayer(0);
  EXPECT_EQ(SurfaceSize(layer->Image), (uint64_t{20} << 32) | 600u);
  DcPixels image = read_dc_pixels(layer->ImageDC, 0, 0, 20, 600);
  Picture band0 = picture_rows(image, 0, 200);
  EXPECT_SAME_PICTURE(page_picture(expected_page, 1, 1, 20, 200), band0);
  EXPECT_EQ(image.at(0, 0), 0x123456u);
  EXPECT_EQ(image.at(19, 199), 0x00007Fu);  // the bottom row is the base
  EXPECT_EQ(image.at(1, 1), 0x0000FDu);     // the top drawn row: 127 + 127 × 199 div 200
  EXPECT_EQ(image.at(5, 250), 0u);          // bands 1 and 2 stay black

  // Drawn the same whether selected or not.
  for (int32_t selected : {-1, 0}) {
    SelectedLayer = selected;
    fill_dc(BackDC, 0, 0, 40, 240, 0);
    DrawLayer(0);
    EXPECT_SAME_PICTURE(band0, read_dc_pixels(BackDC, 1, 1, 20, 200));
    EXPECT_EQ(read_dc_pixels(BackDC, 21, 1, 1, 1).at(0, 0), 0u);
  }
  for (auto [x, y, hit] : {std::tuple{1, 1, true},
                           {21, 201, true},
                           {22, 100, false},
                           {10, 202, false},
                           {0, 0, false}}) {
    SelectedLayer = -1;
    SetMousePosition(MAKELPARAM(x, y));
    EXPECT_EQ(HitTestLayer(window(), 0), hit ? 0 : -1) << x << "," << y;
  }
}

TEST_F(PanelLayerTest, HeightsBelowOneOrTooTallForThreeBandsAreRefused) {
  for (int32_t height : {0, -1, INT32_MIN, 0x2AAAAAAB})
    EXPECT_EQ(CreatePanelLayer(window(), 0, 0, height, 0x7F), -1);
  EXPECT_EQ(LayerCount(), 0u);
}

// A Surface that can't be made is the -1 of CreateSurface: the layer exists
// without an image, nothing reads through it, and its draws copy nothing.
TEST_F(PanelLayerTest, EveryKindWithoutASurfaceKeepsNoImageAndDrawsNothing) {
  HDC unusable = CreateCompatibleDC(nullptr);
  DeleteDC(unusable);
  HDC window_dc = WindowDC;
  WindowDC = unusable;  // no memory DC can be made compatible with it
  static const char caption[] = "none";
  EXPECT_EQ(CreateCaptionedLayer(window(), 10, 10, 50, 30, 0x7F, caption), 0);
  EXPECT_EQ(CreateFrameLayer(window(), 70, 10, 50, 30, RenderDiscFrames, 2), 1);
  EXPECT_EQ(CreatePanelLayer(window(), 130, 10, 30, 0x7F), 2);
  EXPECT_EQ(CreateTextView(window(), 160, 10, 100, 80, 0x7F), 3);
  WindowDC = window_dc;

  for (int32_t i = 0; i < 4; ++i) {
    const Layer* layer = GetLayer(i);
    EXPECT_EQ(layer->Image, nullptr) << i;
    EXPECT_EQ(layer->ImageDC, nullptr) << i;
    EXPECT_EQ(layer->ImageBitmap, nullptr) << i;
  }
  EXPECT_EQ(GetLayer(3)->Background, nullptr);
  EXPECT_EQ(GetLayer(3)->ShadeSurface, nullptr);

  fill_dc(BackDC, 0, 0, 300, 120, 0x010203);
  DcPixels before = read_dc_pixels(BackDC, 0, 0, 300, 120);
  TextDocument document{};
  document.LineLimit = 0;  // not shown: only attached
  AttachTextDocument(GetLayer(3), &document);
  for (uint32_t key : {0u, 38u, 39u}) {
    LastKey = key;
    for (int32_t i = 0; i < 4; ++i) {
      SelectedLayer = i;
      DrawLayer(i);
    }
  }
  LastKey = 0;
  EXPECT_SAME_PICTURE(before, read_dc_pixels(BackDC, 0, 0, 300, 120));
  EXPECT_EQ(GetLayer(1)->FramesReady, 0u);
}

}  // namespace
