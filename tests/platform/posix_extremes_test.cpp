// The Linux layer only: coordinates and sizes at the ends of the int range
// draw nothing and overflow nothing (the sanitizer build checks the latter).
#ifndef _WIN32
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

TEST(Extremes, BlitsAndTextFarOutsideTheBitmapChangeNothing) {
  MemoryCanvas canvas(8, 8), source(8, 8);
  source.fill(0xFFFFFF);
  const int values[] = {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX};
  for (int a : values)
    for (int b : values) {
      EXPECT_TRUE(BitBlt(canvas.dc, a, b, b, a, source.dc, b, a, SRCCOPY));
      EXPECT_TRUE(BitBlt(canvas.dc, 0, 0, a, b, source.dc, a, b, SRCCOPY));
      EXPECT_TRUE(TextOutA(canvas.dc, a, b, "far", 3));
    }
  int changed = 0;
  for (uint32_t pixel : canvas.snapshot()) changed += pixel != 0;
  EXPECT_EQ(changed, 0);
}

TEST(Extremes, AnEnormousTextCountDrawsOnlyWhatFits) {
  MemoryCanvas canvas(16, 16);
  std::string text(1 << 20, 'W');
  SetTextColor(canvas.dc, RGB(255, 255, 255));
  EXPECT_TRUE(TextOutA(canvas.dc, 0, 0, text.c_str(), static_cast<int>(text.size())));
}

TEST(Extremes, WindowsOfAbsurdSizesAreClampedNotOverflowed) {
  HWND window = create_test_window(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  ASSERT_NE(window, nullptr);
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_LE(outer.left, outer.right);
  EXPECT_LE(outer.top, outer.bottom);
  DestroyWindow(window);
}

}  // namespace
#endif
