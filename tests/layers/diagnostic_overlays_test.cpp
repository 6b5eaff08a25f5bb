// The formatting routines and the two overlays. What an overlay prints is
// compared with the same texts drawn by TextOutA at the expected places, so
// the check holds for any font.
#include "layers/diagnostic_overlays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "display/graphics_startup.h"
#include "layers/captioned_layer.h"
#include "layers/layer_test_window.h"
#include "layers/text_view.h"
#include "support/picture_diff.h"

namespace {

struct Text {
  int x, y;
  std::string text;
};

class DiagnosticOverlaysTest : public testing::Test {
 protected:
  void SetUp() override { reset_layers(); }
  void TearDown() override { reset_layers(); }

  HWND window() const { return layer_test_window(); }

  // Back-buffer pixels after a drawing on a black area.
  static DcPixels drawn(const std::function<void()>& draw) {
    fill_dc(BackDC, 0, 0, 400, 300, 0);
    draw();
    return read_dc_pixels(BackDC, 0, 0, 400, 300);
  }
  static DcPixels texts(const std::vector<Text>& expected) {
    return drawn([&] {
      for (const Text& t : expected)
        TextOutA(BackDC, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
    });
  }
};

TEST_F(DiagnosticOverlaysTest, FormatHex8GivesEightUpperCaseDigits) {
  char buffer[12];
  std::memset(buffer, '#', sizeof(buffer));
  FormatHex8(0x1A2B, buffer);
  EXPECT_STREQ(buffer, "00001A2B");
  EXPECT_EQ(buffer[9], '#');  // nothing beyond the zero byte
  FormatHex8(0, buffer);
  EXPECT_STREQ(buffer, "00000000");
  FormatHex8(0xFEDCBA98, buffer);
  EXPECT_STREQ(buffer, "FEDCBA98");
}

TEST_F(DiagnosticOverlaysTest, FormatDecimalIsUnsignedWithoutLeadingZeros) {
  char buffer[12];
  EXPECT_EQ(FormatDecimal(4294967295u, buffer), 10);
  EXPECT_STREQ(buffer, "4294967295");
  EXPECT_EQ(FormatDecimal(0, buffer), 1);
  EXPECT_STREQ(buffer, "0");
  EXPECT_EQ(FormatDecimal(1000, buffer), 4);
  EXPECT_STREQ(buffer, "1000");
}

TEST_F(DiagnosticOverlaysTest, FpsHistoryShiftsInTheNewValueAndPrintsTenRows) {
  uint32_t history[10];
  for (uint32_t i = 0; i < 10; ++i) history[i] = i + 1;
  DcPixels actual = drawn([&] { DrawFpsHistory(BackDC, history, 11); });
  // Green on the back buffer, with no background fill.
  EXPECT_FALSE(colour_box(BackDC, 0, 0, 400, 300, 0x00FF00).empty());
  for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(history[i], i + 2);
  std::vector<Text> rows;
  for (int k = 0; k < 10; ++k) {
    rows.push_back({155, 100 + 15 * k, std::to_string(k + 2)});
    rows.push_back({125, 100 + 15 * k, "FPS:"});
  }
  EXPECT_SAME_PICTURE(texts(rows), actual);
  EXPECT_NE(actual.pixels, texts({}).pixels);
  DrawFpsHistory(BackDC, nullptr, 5);  // no history: nothing
}

TEST_F(DiagnosticOverlaysTest, LayerInfoPrintsAddressKindAndPlaceUnsigned) {
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, 0x7F), 0);
  ASSERT_EQ(CreateCaptionedLayer(window(), -2, 5, 30, 20, 0x7F, nullptr), 1);
  for (int32_t index : {0, 1}) {
    const Layer* layer = GetLayer(index);
    char address[9];
    FormatHex8(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(layer)), address);
    std::string kind(reinterpret_cast<const char*>(&layer->Kind), 4);
    std::vector<Text> expected =
        index == 0
            ? std::vector<Text>{{110, 40, "0"}, {110, 55, "1"}, {110, 70, "301"}, {110, 85, "420"}}
            : std::vector<Text>{
                  {110, 40, "4294967295"}, {110, 55, "6"}, {110, 70, "30"}, {110, 85, "20"}};
    expected.push_back({10, 25, address});
    expected.push_back({110, 25, kind});
    EXPECT_SAME_PICTURE(texts(expected), drawn([&] { DrawLayerInfo(index, 10, 25); })) << index;
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&GetLayer(1)->Kind), 4), "FFFF");
  // No such layer, or an empty table: nothing.
  EXPECT_SAME_PICTURE(texts({}), drawn([] { DrawLayerInfo(2, 10, 25); }));
  EXPECT_SAME_PICTURE(texts({}), drawn([] { DrawLayerInfo(-1, 10, 25); }));
  forget_layers();
  EXPECT_SAME_PICTURE(texts({}), drawn([] { DrawLayerInfo(0, 10, 25); }));
}

}  // namespace
