// Text output: fonts sized as Windows reads lfHeight, glyphs in the DC's
// text colour, transparent and opaque backgrounds.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

LOGFONTA lucida(LONG height, BYTE quality) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfQuality = quality;
  font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
  std::strcpy(font.lfFaceName, "Lucida Console");
  return font;
}

// A checkerboard of two colours that text never uses.
void checker(const MemoryCanvas& canvas) {
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x) canvas.at(x, y) = ((x + y) & 1) ? 0x203040 : 0x405060;
}

TEST(Text, TransparentWhiteDraftTextChangesOnlyGlyphPixelsAndOnlyToWhite) {
  MemoryCanvas canvas(120, 30);
  checker(canvas);
  std::vector<uint32_t> before = canvas.snapshot();
  LOGFONTA description = lucida(-10, DRAFT_QUALITY);
  HFONT font = CreateFontIndirectA(&description);
  ASSERT_NE(font, nullptr);
  HGDIOBJ old_font = SelectObject(canvas.dc, font);
  EXPECT_NE(SetBkMode(canvas.dc, TRANSPARENT), 0);
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  ASSERT_TRUE(TextOutA(canvas.dc, 5, 8, "Hello, 42", 9));
  std::vector<uint32_t> after = canvas.snapshot();
  int changed = 0, wrong = 0;
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    ++changed;
    wrong += (after[i] & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(changed, 40);
  EXPECT_EQ(wrong, 0);
  // Nothing lands above the text's top or left of its start.
  for (int x = 0; x < canvas.width; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(canvas.at(x, y), before[y * canvas.width + x]);
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.at(x, y), before[y * canvas.width + x]);
  SelectObject(canvas.dc, old_font);
  DeleteObject(font);
}

TEST(Text, OpaqueTextFillsItsCellsWithTheBackgroundColour) {
  MemoryCanvas canvas(100, 30);
  LOGFONTA description = lucida(-10, DRAFT_QUALITY);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ old_font = SelectObject(canvas.dc, font);
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(255, 0, 0));
  SetTextColor(canvas.dc, RGB(0, 255, 0));
  ASSERT_TRUE(TextOutA(canvas.dc, 10, 5, "Wg", 2));
  SIZE extent{};
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "Wg", 2, &extent));
  ASSERT_GT(extent.cx, 0);
  int red = 0, green = 0, other = 0;
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x) {
      uint32_t pixel = canvas.at(x, y) & 0xFFFFFF;
      bool inside = x >= 10 && x < 10 + extent.cx && y >= 5 && y < 5 + extent.cy;
      if (!inside) {
        other += pixel != 0;
        continue;
      }
      red += pixel == 0xFF0000;
      green += pixel == 0x00FF00;
      other += pixel != 0xFF0000 && pixel != 0x00FF00;
    }
  EXPECT_GT(red, 0);
  EXPECT_GT(green, 10);
  EXPECT_EQ(other, 0);
  SelectObject(canvas.dc, old_font);
  DeleteObject(font);
}

TEST(Text, HeightIsReadAsCharacterHeightWhenNegativeAndCellHeightWhenPositive) {
  if (running_under_wine()) GTEST_SKIP() << "Wine gives a cell height of 13 as 12";
  MemoryCanvas canvas(4, 4);
  for (LONG height : {-10, -16, 20, 13}) {
    LOGFONTA description = lucida(height, DRAFT_QUALITY);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old_font = SelectObject(canvas.dc, font);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &metrics));
    if (height < 0)
      EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, -height);
    else
      EXPECT_EQ(metrics.tmHeight, height);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
    SelectObject(canvas.dc, old_font);
    DeleteObject(font);
  }
}

// Under Wine the test prefix maps "Lucida Console" to Liberation Mono.
TEST(Text, MonospaceFaceGivesEveryCharacterTheSameAdvance) {
  MemoryCanvas canvas(4, 4);
  LOGFONTA description = lucida(-10, DRAFT_QUALITY);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ old_font = SelectObject(canvas.dc, font);
  SIZE narrow{}, wide{};
  GetTextExtentPoint32A(canvas.dc, "iiii", 4, &narrow);
  GetTextExtentPoint32A(canvas.dc, "WWWW", 4, &wide);
  EXPECT_EQ(narrow.cx, wide.cx);
  EXPECT_GT(narrow.cx, 0);
  SelectObject(canvas.dc, old_font);
  DeleteObject(font);
}

// A negative count fails, draws nothing and reads nothing (Windows and Wine
// agree): the text here has no zero byte to stop at.
TEST(Text, NegativeCountFailsWithoutDrawing) {
  MemoryCanvas canvas(80, 20);
  checker(canvas);
  std::vector<uint32_t> before = canvas.snapshot();
  LOGFONTA description = lucida(-10, DRAFT_QUALITY);
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ old_font = SelectObject(canvas.dc, font);
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  const char unterminated[4] = {'A', 'B', 'C', 'D'};
  for (int count : {-1, -2, -100, INT_MIN})
    EXPECT_FALSE(TextOutA(canvas.dc, 2, 2, unterminated, count));
  EXPECT_EQ(canvas.snapshot(), before);
  SelectObject(canvas.dc, old_font);
  DeleteObject(font);
}

TEST(Text, ModeAndColourSettersReturnThePreviousValues) {
  MemoryCanvas canvas(4, 4);
  EXPECT_EQ(SetBkMode(canvas.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(canvas.dc, OPAQUE), TRANSPARENT);
  EXPECT_EQ(SetTextColor(canvas.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(canvas.dc, 0), RGB(1, 2, 3));
}

}  // namespace
