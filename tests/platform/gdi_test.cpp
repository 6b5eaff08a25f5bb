// GDI in memory: DIB sections, selection, blits and whole-bitmap transfers.
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

uint32_t source_value(int x, int y) { return 0x010000u * (x + 1) + 0x000100u * (y + 1) + 0x42; }
constexpr uint32_t kUntouched = 0x00ABCDEF;

TEST(MemoryDc, StartsWithAOneByOneBitmapThatSelectingReturns) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ initial = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(initial, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  MemoryCanvas canvas(8, 8);
  HBITMAP mine = canvas.bitmap;
  SelectObject(canvas.dc, canvas.previous);  // free it for this DC
  EXPECT_EQ(SelectObject(dc, mine), initial);
  EXPECT_EQ(SelectObject(canvas.dc, mine), nullptr);  // one DC at a time
  EXPECT_EQ(SelectObject(dc, initial), mine);
  SelectObject(canvas.dc, mine);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(DibSection, IsZeroFilledAndKeepsItsOrientation) {
  for (bool bottom_up : {true, false}) {
    MemoryCanvas canvas(5, 3, bottom_up);
    ASSERT_NE(canvas.bits, nullptr);
    for (uint32_t pixel : canvas.snapshot()) EXPECT_EQ(pixel, 0u);
    BITMAP info{};
    GetObjectA(canvas.bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmBits, canvas.bits);
  }
}

TEST(DibSection, RefusesFormatsAndSizesItCannotHold) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 0;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biWidth = -4;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  info.bmiHeader.biWidth = 0x7FFFFFFF;  // more bytes than memory can hold
  info.bmiHeader.biHeight = 0x7FFFFFFF;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(BitmapBits, SetPutsTheFirstRowAtTheTopOfABottomUpDib) {
  MemoryCanvas canvas(3, 4, true);
  std::vector<uint32_t> rows(12);
  for (int i = 0; i < 12; ++i) rows[i] = source_value(i % 3, i / 3);
  ASSERT_EQ(SetBitmapBits(canvas.bitmap, 48, rows.data()), 48);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(canvas.at(x, y), source_value(x, y));
      EXPECT_EQ(canvas.bits[(3 - y) * 3 + x], source_value(x, y));  // bottom row first in memory
    }
  std::vector<uint32_t> back(12, 0);
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, 48, back.data()), 48);
  EXPECT_EQ(back, rows);
}

TEST(BitmapBits, TransfersAreClippedToTheBitmapSize) {
  MemoryCanvas canvas(2, 2, true);
  std::vector<uint32_t> big(10, 0x111111);
  EXPECT_EQ(SetBitmapBits(canvas.bitmap, 40, big.data()), 16);
  std::vector<uint32_t> out(10, kUntouched);
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, 40, out.data()), 16);
  EXPECT_EQ(out[3], 0x111111u);
  EXPECT_EQ(out[4], kUntouched);
  // A count that ends inside a row moves the bytes up to it.
  std::fill(out.begin(), out.end(), kUntouched);
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, 12, out.data()), 12);
  EXPECT_EQ(out[2], 0x111111u);
  EXPECT_EQ(out[3], kUntouched);
  std::vector<uint32_t> three = {1, 2, 3};
  EXPECT_EQ(SetBitmapBits(canvas.bitmap, 12, three.data()), 12);
  EXPECT_EQ(canvas.at(0, 1), 3u);
  EXPECT_EQ(canvas.at(1, 1), 0x111111u);
}

// Rows copied in 128-byte blocks and a tail: widths on either side of a
// block, counts that stop inside a block or a row, both orientations.
TEST(BitmapBits, WideRowsAndPartialCountsMoveExactlyTheirBytes) {
  for (int width : {31, 32, 33, 64, 100, 1024})
    for (bool bottom_up : {true, false}) {
      const int height = 5;
      MemoryCanvas canvas(width, height, bottom_up);
      std::vector<uint32_t> page(size_t(width) * height);
      for (size_t i = 0; i < page.size(); ++i)
        page[i] = source_value(int(i) % width, int(i) / width);
      for (LONG count : {LONG(width * 4 * height), LONG(width * 4 * 2 + 36), LONG(width * 4 - 4)}) {
        std::fill(canvas.bits, canvas.bits + page.size(), kUntouched);
        ASSERT_EQ(SetBitmapBits(canvas.bitmap, DWORD(count), page.data()), count);
        for (int y = 0; y < height; ++y)
          for (int x = 0; x < width; ++x) {
            bool moved = (y * width + x) * 4 < count;
            ASSERT_EQ(canvas.at(x, y), moved ? source_value(x, y) : kUntouched)
                << width << " wide, " << count << " bytes, at " << x << ", " << y;
          }
        std::vector<uint32_t> out(page.size() + 1, 0);
        ASSERT_EQ(GetBitmapBits(canvas.bitmap, count, out.data()), count);
        for (size_t i = 0; i < out.size(); ++i)
          ASSERT_EQ(out[i], LONG(i * 4) < count ? page[i] : 0u) << width << " wide, index " << i;
      }
    }
}

// Every blit of a 4 × 3 source into a 6 × 5 destination, at offsets that
// cross each edge of either bitmap, against the rule: a destination pixel
// changes when it and its source pixel both lie inside their bitmaps. Also
// from a 6 × 3 source, whose rows a blit can take whole, in every pairing of
// orientations.
TEST(BitBlt, ClipsToTheSourceAndTheDestinationAtEveryEdge) {
  struct Case {
    int source_width;
    bool source_bottom_up, destination_bottom_up;
  };
  const Case cases[] = {
      {4, true, false}, {6, true, true}, {6, false, false}, {6, true, false}, {6, false, true}};
  for (const Case& c : cases) {
    MemoryCanvas source(c.source_width, 3, c.source_bottom_up);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < c.source_width; ++x) source.at(x, y) = source_value(x, y);
    MemoryCanvas destination(6, 5, c.destination_bottom_up);
    const int width = c.source_width + 1;
    int failures = 0;
    for (int dx = -5; dx <= 6; ++dx)
      for (int dy = -4; dy <= 5; ++dy)
        for (int sx = -2; sx <= 4; sx += 2)
          for (int sy = -2; sy <= 3; sy += 1) {
            destination.fill(kUntouched);
            ASSERT_TRUE(BitBlt(destination.dc, dx, dy, width, 4, source.dc, sx, sy, SRCCOPY));
            for (int y = 0; y < 5; ++y)
              for (int x = 0; x < 6; ++x) {
                int u = x - dx + sx, v = y - dy + sy;
                bool inside = x >= dx && x < dx + width && y >= dy && y < dy + 4 && u >= 0 &&
                              u < c.source_width && v >= 0 && v < 3;
                uint32_t expected = inside ? source_value(u, v) : kUntouched;
                failures += destination.at(x, y) != expected;
              }
          }
    EXPECT_EQ(failures, 0) << c.source_width << " wide source, bottom-up " << c.source_bottom_up
                           << " into bottom-up " << c.destination_bottom_up;
  }
}

TEST(BitBlt, CopiesOverlappingAreasOfOneBitmapAsIfThroughACopy) {
  const int offsets[][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 3}, {-3, -2}, {3, -1}};
  for (bool bottom_up : {true, false}) {
    for (const auto& offset : offsets) {
      MemoryCanvas canvas(8, 7, bottom_up);
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) canvas.at(x, y) = source_value(x, y);
      std::vector<uint32_t> before = canvas.snapshot();
      ASSERT_TRUE(BitBlt(canvas.dc, 2 + offset[0], 2 + offset[1], 4, 3, canvas.dc, 2, 2, SRCCOPY));
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) {
          int u = x - offset[0], v = y - offset[1];
          bool copied =
              x >= 2 + offset[0] && x < 6 + offset[0] && y >= 2 + offset[1] && y < 5 + offset[1];
          uint32_t expected = copied ? before[v * 8 + u] : before[y * 8 + x];
          EXPECT_EQ(canvas.at(x, y), expected)
              << "offset " << offset[0] << "," << offset[1] << " at " << x << "," << y;
        }
    }
  }
}

// A negative extent runs backwards from the origin pixel, which it includes.
TEST(BitBlt, NegativeExtentsRunBackwardsFromTheOriginPixel) {
  MemoryCanvas source(4, 3), destination(6, 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) source.at(x, y) = source_value(x, y);
  destination.fill(kUntouched);
  ASSERT_TRUE(BitBlt(destination.dc, 5, 5, -3, -2, source.dc, 3, 2, SRCCOPY));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      bool copied = x >= 3 && x < 6 && y >= 4 && y < 6;
      EXPECT_EQ(destination.at(x, y), copied ? source_value(x - 2, y - 3) : kUntouched)
          << x << "," << y;
    }
}

TEST(BitBlt, BetweenBottomUpAndTopDownKeepsPicturesUpright) {
  MemoryCanvas bottom_up(3, 3, true), top_down(3, 3, false);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) bottom_up.at(x, y) = source_value(x, y);
  ASSERT_TRUE(BitBlt(top_down.dc, 0, 0, 3, 3, bottom_up.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(top_down.snapshot(), bottom_up.snapshot());
  EXPECT_EQ(top_down.bits[0], source_value(0, 0));
}

TEST(Brushes, FillRectUsesSolidAndSystemColourBrushes) {
  MemoryCanvas canvas(4, 4);
  HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
  RECT area{1, 1, 3, 4};
  EXPECT_NE(FillRect(canvas.dc, &area, brush), 0);
  EXPECT_EQ(canvas.at(1, 1), 0x102030u);
  EXPECT_EQ(canvas.at(2, 3), 0x102030u);
  EXPECT_EQ(canvas.at(0, 1), 0u);
  EXPECT_EQ(canvas.at(3, 1), 0u);
  RECT corner{0, 0, 1, 1};
  FillRect(canvas.dc, &corner, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_EQ(canvas.at(0, 0), pixel_of(GetSysColor(COLOR_BTNFACE)));
  DeleteObject(brush);
}

}  // namespace
