// Captioned layers: both bands pixel by pixel against the gradient drawn by
// the literal rasterizer, the caption's white pixels in the box at a tenth
// of the width and height, and the band a draw copies.
#include "layers/captioned_layer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "display/graphics_startup.h"
#include "layers/layer_test_window.h"
#include "raster/literal/raster_literal.h"
#include "support/picture_diff.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBase = 0x40201F;  // never reaches white, even doubled

class CaptionedLayerTest : public testing::Test {
 protected:
  void SetUp() override { reset_layers(); }
  void TearDown() override { reset_layers(); }

  HWND window() const { return layer_test_window(); }

  // The two looks that creation at (x, y) renders, on a copy of the canvas.
  static void expected_bands(int x, int y, int width, int height, Picture& band0, Picture& band1) {
    std::vector<uint32_t> page = canvas_snapshot();
    Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
    literal::FillGradientRect(canvas, x, y, width, height, kBase);
    band0 = page_picture(page, x + 1, y + 1, width, height);
    literal::FillGradientRect(canvas, x + 1, y + 1, width, height, kBase);
    literal::FillBlendRect(canvas, x + 1, y + 1, width, height, 0x7F7F7F, 0);
    band1 = page_picture(page, x + 1, y + 1, width, height);
  }

  // Every pixel of a band that differs from the expected one is the
  // caption's: white, inside the text's box at (width / 10, height / 10).
  static void expect_band_with_caption(const Layer& layer, int band, const Picture& expected,
                                       const char* text, int length) {
    int top = band * layer.Height;
    DcPixels actual = read_dc_pixels(layer.ImageDC, 0, top, layer.Width, layer.Height);
    SIZE extent{};
    GetTextExtentPoint32A(layer.ImageDC, text, length, &extent);
    int left = layer.Width / 10, text_top = layer.Height / 10;
    int changed = 0;
    for (int y = 0; y < layer.Height; ++y)
      for (int x = 0; x < layer.Width; ++x) {
        if (actual.at(x, y) == expected.at(x, y)) continue;
        ++changed;
        EXPECT_TRUE(x >= left && x < left + extent.cx && y >= text_top && y < text_top + extent.cy)
            << "band " << band << " pixel " << x << "," << y;
      }
    PixelBox white = colour_box(layer.ImageDC, 0, top, layer.Width, layer.Height, kWhite);
    ASSERT_FALSE(white.empty()) << "band " << band;
    EXPECT_GE(white.left, left);
    EXPECT_LE(white.left, left + 2);
    EXPECT_GE(white.top, top + text_top);
    EXPECT_LT(white.right, left + extent.cx);
    EXPECT_LT(white.bottom, top + text_top + extent.cy);
    EXPECT_GT(changed, 10);
  }
};

// Creation renders on the screen canvas only: the greyed look, drawn last,
// stays there (without its caption, which goes into the image alone), and
// the back buffer is left as it was.
TEST_F(CaptionedLayerTest, CreationLeavesTheGreyedLookOnTheCanvasAndTheBackBufferAlone) {
  Picture band0, band1;
  expected_bands(10, 20, 100, 40, band0, band1);
  fill_dc(BackDC, 0, 0, 200, 200, 0x010203);
  DcPixels back_before = read_dc_pixels(BackDC, 0, 0, 200, 200);
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, kBase, nullptr), 0);
  EXPECT_SAME_PICTURE(band1, page_picture(canvas_snapshot(), 11, 21, 100, 40));
  EXPECT_SAME_PICTURE(back_before, read_dc_pixels(BackDC, 0, 0, 200, 200));
  EXPECT_EQ(SurfaceSize(GetLayer(0)->Image), (uint64_t{100} << 32) | 120u);  // three bands
}

TEST_F(CaptionedLayerTest, BandsAreTheGradientAndItsGreyedShiftWithTheCaptionInBoth) {
  for (auto [x, y, width, height] : {std::array{10, 20, 100, 40}, std::array{200, 300, 157, 63}}) {
    Picture band0, band1;
    expected_bands(x, y, width, height, band0, band1);
    int32_t index = CreateCaptionedLayer(window(), x, y, width, height, kBase, nullptr);
    ASSERT_GE(index, 0);
    const Layer* layer = GetLayer(index);
    expect_band_with_caption(*layer, 0, band0, "Layer", 5);
    expect_band_with_caption(*layer, 1, band1, "Layer", 5);
    // Spot values: band 0's bottom row is the base; band 1's top-left pixel
    // is the first gradient's top row averaged with grey, and its bottom
    // right the second gradient's second-lowest row averaged with grey.
    DcPixels image = read_dc_pixels(layer->ImageDC, 0, 0, width, 2 * height);
    EXPECT_EQ(image.at(width - 1, height - 1), kBase);
    EXPECT_EQ(image.at(width - 1, 2 * height - 1), 0x604F4Fu);
  }
}

TEST_F(CaptionedLayerTest, CaptionEndsAtItsFirstCarriageReturn) {
  static const char caption[] = "Abcd\rmore text after it";
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 200, 40, kBase, caption), 0);
  const Layer* layer = GetLayer(0);
  EXPECT_EQ(layer->Caption, caption);
  EXPECT_EQ(layer->CaptionLength, 4);
  Picture band0, band1;
  reset_layers();
  expected_bands(10, 20, 200, 40, band0, band1);
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 200, 40, kBase, caption), 0);
  expect_band_with_caption(*GetLayer(0), 0, band0, caption, 4);
  expect_band_with_caption(*GetLayer(0), 1, band1, caption, 4);
}

// 128 bytes with no carriage return and no zero byte, on a block of exactly
// that size: the length is -2, and nothing past the block is read.
TEST_F(CaptionedLayerTest, UnterminatedCaptionDrawsNoTextAndReadsNothingMore) {
  auto caption = std::make_unique<char[]>(128);
  std::memset(caption.get(), 'W', 128);
  Picture band0, band1;
  expected_bands(10, 20, 100, 40, band0, band1);
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, kBase, caption.get()), 0);
  const Layer* layer = GetLayer(0);
  EXPECT_EQ(layer->CaptionLength, -2);
  EXPECT_SAME_PICTURE(band0, read_dc_pixels(layer->ImageDC, 0, 0, 100, 40));
  EXPECT_SAME_PICTURE(band1, read_dc_pixels(layer->ImageDC, 0, 40, 100, 40));
}

TEST_F(CaptionedLayerTest, DrawCopiesTheSelectedBandOnlyForTheSelectedLayer) {
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, kBase, nullptr), 0);
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 100, 100, 40, kBase, nullptr), 1);
  Layer* layer = GetLayer(0);
  DcPixels normal = read_dc_pixels(layer->ImageDC, 0, 0, 100, 40);
  DcPixels greyed = read_dc_pixels(layer->ImageDC, 0, 40, 100, 40);
  SelectedLayer = 0;
  DrawLayer(0);
  EXPECT_EQ(layer->State, 1);
  EXPECT_SAME_PICTURE(greyed, read_dc_pixels(BackDC, 11, 21, 100, 40));
  SelectedLayer = 1;
  DrawLayer(0);
  EXPECT_EQ(layer->State, 0);
  EXPECT_SAME_PICTURE(normal, read_dc_pixels(BackDC, 11, 21, 100, 40));
  // Nothing outside the layer's rectangle changes.
  fill_dc(BackDC, 0, 0, 200, 200, 0x010203);
  DrawLayer(0);
  DcPixels around = read_dc_pixels(BackDC, 0, 0, 200, 200);
  EXPECT_EQ(around.at(10, 21), 0x010203u);
  EXPECT_EQ(around.at(11, 20), 0x010203u);
  EXPECT_EQ(around.at(111, 60), 0x010203u);
  EXPECT_EQ(around.at(110, 61), 0x010203u);
  EXPECT_EQ(around.at(110, 60), normal.at(99, 39));
}

TEST_F(CaptionedLayerTest, SizesBelowOneOrTooTallForThreeBandsAreRefused) {
  const std::array<int32_t, 2> sizes[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {10, 0x2AAAAAAB}};
  for (auto [width, height] : sizes)
    EXPECT_EQ(CreateCaptionedLayer(window(), 0, 0, width, height, kBase, nullptr), -1);
  EXPECT_EQ(LayerCount(), 0u);
}

}  // namespace
