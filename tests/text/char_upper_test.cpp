// CharUpperA by the Windows-1252 code page: the Linux layer must give what
// Windows gives, so this runs against both.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

// The capital of each Windows-1252 byte, spelled out from the code page.
unsigned char expected_upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // à..þ, not ÷
  if (c == 0x9A) return 0x8A;                              // š
  if (c == 0x9C) return 0x8C;                              // œ
  if (c == 0x9E) return 0x8E;                              // ž
  if (c == 0xFF) return 0x9F;                              // ÿ
  return c;  // including ß (0xDF), µ (0xB5), ƒ (0x83) and the capitals
}

TEST(CharUpperA, UpperCasesEveryByteByTheAnsiCodePage) {
  char all[256];
  for (int c = 1; c < 256; ++c) all[c - 1] = static_cast<char>(c);
  all[255] = 0;
  EXPECT_EQ(CharUpperA(all), all);
  for (int c = 1; c < 256; ++c)
    EXPECT_EQ(static_cast<unsigned char>(all[c - 1]), expected_upper(static_cast<unsigned char>(c)))
        << "byte 0x" << std::hex << c;
}

TEST(CharUpperA, StopsAtTheFirstZeroByte) {
  char text[] = "ab\0cd";
  CharUpperA(text);
  EXPECT_EQ(std::string(text, 5), std::string("AB\0cd", 5));
}

TEST(CharUpperA, TakesASmallValueAsOneCharacter) {
  auto result = [](unsigned value) {
    return reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(UINT_PTR{value}))) & 0xFF;
  };
  EXPECT_EQ(result('q'), UINT_PTR{'Q'});
  EXPECT_EQ(result(0xE9), UINT_PTR{0xC9});
  EXPECT_EQ(result(0xFF), UINT_PTR{0x9F});
  EXPECT_EQ(result('7'), UINT_PTR{'7'});
}

}  // namespace
