// wsprintfA with the conversions the system formats with; integers are
// 32-bit whatever the size prefix, as in Win32.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform_helpers.h"

namespace {

TEST(Wsprintf, FormatsUnsignedSignedHexAndStringsWithWin32Widths) {
  char buffer[1024];
  EXPECT_EQ(wsprintfA(buffer, "%lu", static_cast<DWORD>(4294967295u)), 10);
  EXPECT_STREQ(buffer, "4294967295");
  EXPECT_EQ(wsprintfA(buffer, "%lu", static_cast<DWORD>(0)), 1);
  EXPECT_STREQ(buffer, "0");
  wsprintfA(buffer, "%d|%i|%u", -5, 12, static_cast<UINT>(-1));
  EXPECT_STREQ(buffer, "-5|12|4294967295");
  wsprintfA(buffer, "%08X|%x|%#x|%lX", 0xBEEFu, 255u, 255u, static_cast<DWORD>(0x12345678));
  EXPECT_STREQ(buffer, "0000BEEF|ff|0xff|12345678");
  wsprintfA(buffer, "[%5s][%-5s][%.2s][%c]", "ab", "cd", "efgh", 'z');
  EXPECT_STREQ(buffer, "[   ab][cd   ][ef][z]");
  wsprintfA(buffer, "%5d|%-4d|%05d|100%%", 42, 7, -42);
  EXPECT_STREQ(buffer, "   42|7   |-0042|100%");
}

}  // namespace
