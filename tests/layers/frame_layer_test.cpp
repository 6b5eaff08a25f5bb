// Frame animations: the frame sequence while selected, RenderDiscFrames'
// frames against the literal rasterizer, and the notice of a layer that
// never becomes ready.
#include "layers/frame_layer.h"

#include <gtest/gtest.h>

#include <array>

#include "display/graphics_startup.h"
#include "layers/captioned_layer.h"
#include "layers/layer_test_window.h"
#include "layers/panel_layer.h"
#include "layers/text_view.h"
#include "raster/literal/raster_literal.h"
#include "support/picture_diff.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
// One colour per frame of the test procedure's strips.
constexpr uint32_t kFrameColours[] = {0x100000, 0x002000, 0x000030};

int32_t painted_layer = -1;
int procedure_calls = 0;

// Paints frame k of the layer under test in colour k and marks it ready.
uint32_t paint_frames(uint32_t) {
  ++procedure_calls;
  Layer* layer = GetLayer(painted_layer);
  for (int32_t k = 0; k < layer->FrameCount; ++k)
    fill_dc(layer->ImageDC, 0, k * layer->Height, layer->Width, layer->Height, kFrameColours[k]);
  layer->FramesReady = 1;
  return 0;
}

// A procedure that never manages to render.
uint32_t never_ready(uint32_t) {
  ++procedure_calls;
  return 0;
}

class FrameLayerTest : public testing::Test {
 protected:
  void SetUp() override {
    reset_layers();
    procedure_calls = 0;
  }
  void TearDown() override { reset_layers(); }

  HWND window() const { return layer_test_window(); }

  static uint32_t shown_at(const Layer& layer) {
    return read_dc_pixels(BackDC, layer.X + 5, layer.Y + 5, 1, 1).at(0, 0);
  }
};

TEST_F(FrameLayerTest, StoresXUnchangedYPlusOneAndAStripOfFrames) {
  ASSERT_EQ(CreateFrameLayer(window(), 10, 20, 100, 100, paint_frames, 3), 0);
  const Layer* layer = GetLayer(0);
  EXPECT_EQ(layer->Kind, 0x0F00u);
  EXPECT_EQ(layer->X, 10);
  EXPECT_EQ(layer->Y, 21);
  EXPECT_EQ(layer->FrameProc, paint_frames);
  EXPECT_EQ(layer->FrameCount, 3);
  EXPECT_EQ(layer->FramesReady, 0u);
  EXPECT_EQ(layer->Frame, 0);
  EXPECT_EQ(SurfaceSize(layer->Image), (uint64_t{100} << 32) | 300u);
  EXPECT_EQ(procedure_calls, 0);  // nothing is rendered before the first draw
}

TEST_F(FrameLayerTest, EachDrawWhileSelectedAdvancesOneFrameAndDropsTheSelection) {
  painted_layer = CreateFrameLayer(window(), 10, 20, 100, 100, paint_frames, 3);
  ASSERT_EQ(painted_layer, 0);
  Layer* layer = GetLayer(0);
  for (int32_t expected : {1, 2, 0, 1}) {
    SelectedLayer = 0;
    DrawLayer(0);
    EXPECT_EQ(layer->Frame, expected);
    EXPECT_EQ(SelectedLayer, -1);
    EXPECT_EQ(shown_at(*layer), kFrameColours[expected]);
  }
  EXPECT_EQ(procedure_calls, 1);
  // Not selected: the same frame at every draw.
  for (int i = 0; i < 3; ++i) {
    DrawLayer(0);
    EXPECT_EQ(layer->Frame, 1);
    EXPECT_EQ(shown_at(*layer), kFrameColours[1]);
  }
}

// Frame 0 is the canvas under the layer with the disc; the band at row 100
// is frame 0 shifted 30 right, its first column repeated in columns 21 to
// 29, and black in columns 0 to 20; the third frame stays black.
TEST_F(FrameLayerTest, RenderDiscFramesFillsFrameZeroAndTheBandAtRowHundred) {
  ASSERT_EQ(FrameLayerIndex, 0);
  ASSERT_EQ(CreateFrameLayer(window(), 10, 20, 100, 100, RenderDiscFrames, 3), 0);
  std::vector<uint32_t> page = canvas_snapshot();
  Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
  literal::FillGradientDisc(canvas, 60, 71, 50, 0x7F7F7F);
  Picture frame0 = page_picture(page, 10, 21, 100, 100);
  EXPECT_EQ(frame0.at(50, 50), 0xFBFBFBu);  // the disc's centre
  Picture shifted{100, 100, std::vector<uint32_t>(100 * 100)};
  for (int y = 0; y < 100; ++y)
    for (int x = 21; x < 100; ++x) shifted.pixels[y * 100 + x] = frame0.at(x < 30 ? 0 : x - 30, y);

  DrawLayer(0);
  const Layer* layer = GetLayer(0);
  EXPECT_EQ(layer->FramesReady, 1u);
  DcPixels image = read_dc_pixels(layer->ImageDC, 0, 0, 100, 300);
  EXPECT_SAME_PICTURE(frame0, picture_rows(image, 0, 100));
  EXPECT_SAME_PICTURE(shifted, picture_rows(image, 100, 100));
  EXPECT_SAME_PICTURE((Picture{100, 100, std::vector<uint32_t>(100 * 100)}),
                      picture_rows(image, 200, 100));
  // Ready and not selected: frame 0 is shown.
  EXPECT_SAME_PICTURE(frame0, read_dc_pixels(BackDC, 10, 21, 100, 100));
}

// A panel or a text view as layer 0 leaves word 10 unused, so the procedure
// does its whole work on it: the disc, band 0 and its copies, word 10 set.
TEST_F(FrameLayerTest, RenderDiscFramesOnAPanelOrATextViewDrawsAndMarksIt) {
  for (bool panel : {true, false}) {
    SCOPED_TRACE(panel ? "panel" : "text view");
    reset_layers();
    ASSERT_EQ(panel ? CreatePanelLayer(window(), 9, 20, 150, 0x7F)
                    : CreateTextView(window(), 10, 20, 100, 150, 0x7F),
              0);
    const Layer* layer = GetLayer(0);
    const int width = layer->Width, height = layer->Height;
    std::vector<uint32_t> page = canvas_snapshot();
    Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
    literal::FillGradientDisc(canvas, 60, 71, 50, 0x7F7F7F);
    std::vector<uint32_t> frame0 = page_rect(page, 10, 21, width, height);

    EXPECT_EQ(RenderDiscFrames(0), 0u);
    EXPECT_EQ(canvas_snapshot(), page);
    EXPECT_EQ(layer->FramesReady, 1u);
    int image_width = panel ? 20 : width - 1;  // the Surface's own width
    DcPixels image = read_dc_pixels(layer->ImageDC, 0, 0, image_width, 100 + height);
    // From row 100 the copies of frame 0 lie over it from column 21 on,
    // beyond a panel's 20 columns.
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < image_width; ++x) {
        bool copied = y >= 100 && x > 20;
        uint32_t want =
            copied ? frame0[(y - 100) * width + (x < 30 ? 0 : x - 30)] : frame0[y * width + x];
        ASSERT_EQ(image.at(x, y), want) << x << "," << y;
      }
  }
}

TEST_F(FrameLayerTest, AFrameAnimationThatIsNotLayerZeroShowsFrameNotReady) {
  static const char caption[] = "Zero";
  ASSERT_EQ(CreateCaptionedLayer(window(), 0, 0, 50, 30, 0x7F, caption), 0);
  ASSERT_EQ(CreateFrameLayer(window(), 100, 200, 200, 40, RenderDiscFrames, 2), 1);
  const Layer* layer = GetLayer(1);
  for (int draw = 0; draw < 2; ++draw) {
    DrawLayer(1);
    EXPECT_EQ(layer->FramesReady, 0u);
  }
  // The notice is written into band 0 of the image and shown from there.
  PixelBox text = colour_box(layer->ImageDC, 0, 0, 200, 80, kWhite);
  ASSERT_FALSE(text.empty());
  SIZE extent{};
  GetTextExtentPoint32A(layer->ImageDC, "Frame Not Ready.", 16, &extent);
  EXPECT_LE(text.left, 2);
  EXPECT_LT(text.right, extent.cx);
  EXPECT_GT(text.right, extent.cx - 10);
  EXPECT_LT(text.bottom, extent.cy);
  EXPECT_SAME_PICTURE(read_dc_pixels(layer->ImageDC, 0, 0, 200, 40),
                      read_dc_pixels(BackDC, 100, 201, 200, 40));
  // Layer 0 is no frame animation: it is left as it was.
  EXPECT_EQ(GetLayer(0)->Caption, caption);
  EXPECT_EQ(GetLayer(0)->CaptionLength, 4);
}

TEST_F(FrameLayerTest, AProcedureThatNeverRendersIsAskedAtEveryDraw) {
  ASSERT_EQ(CreateFrameLayer(window(), 0, 0, 150, 30, never_ready, 2), 0);
  for (int draw = 1; draw <= 3; ++draw) {
    SelectedLayer = 0;
    DrawLayer(0);
    EXPECT_EQ(procedure_calls, draw);
    EXPECT_EQ(SelectedLayer, 0);  // only a ready animation drops the selection
  }
}

TEST_F(FrameLayerTest, RenderDiscFramesWithoutLayerZeroTouchesNothing) {
  DcPixels before = read_dc_pixels(BackDC, 0, 0, 200, 200);
  EXPECT_EQ(RenderDiscFrames(0), 0u);
  // A frame animation left in slot 0 by ClearLayers is no layer any more.
  ASSERT_EQ(CreateFrameLayer(window(), 10, 20, 100, 100, nullptr, 2), 0);
  forget_layers();
  RenderDiscFrames(0);
  EXPECT_EQ(GetLayer(0)->FramesReady, 0u);
  EXPECT_SAME_PICTURE(before, read_dc_pixels(BackDC, 0, 0, 200, 200));
}

TEST_F(FrameLayerTest, SizesAndFrameCountsBelowOneOrOverflowingAreRefused) {
  const std::array<int32_t, 3> cases[] = {
      {0, 10, 3}, {10, 0, 3}, {10, 10, 0}, {10, 10, -1}, {10, 0x10000, 0x8000}, {-1, 10, 1}};
  for (auto [width, height, frames] : cases)
    EXPECT_EQ(CreateFrameLayer(window(), 0, 0, width, height, nullptr, frames), -1);
  EXPECT_EQ(LayerCount(), 0u);
}

}  // namespace
