// Line end search and the byte copies of the line routines.
#include <gtest/gtest.h>

#include <string>

#include "text/text_document.h"

namespace {

TEST(LineEndPosition, FindsTheFirstCarriageReturnOrZero) {
  EXPECT_EQ(LineEndPosition("\rabc", 4), 1);
  EXPECT_EQ(LineEndPosition("caption\r\n", 128), 8);
  EXPECT_EQ(LineEndPosition("caption", 128), 8);  // the terminator
  std::string long_caption(128, 'x');
  EXPECT_EQ(LineEndPosition(long_caption.c_str(), 128), -1);
  EXPECT_EQ(LineEndPosition("ab\r", 2), -1);
  EXPECT_EQ(LineEndPosition("\r", 0), 1);
  EXPECT_EQ(LineEndPosition("a\r", 0), -1);
}

TEST(CopyLineAt, CopiesUpToSemicolonCarriageReturnOrZeroAndTerminates) {
  uint32_t index[] = {0, 6};
  std::string target(16, '#');
  EXPECT_EQ(CopyLineAt(1, index, 3, target.data(), "mov ax;more text"), 7);
  EXPECT_EQ(target.substr(0, 8), std::string("mov ax\0#", 8));

  target.assign(16, '#');
  EXPECT_EQ(CopyLineAt(1, index, 3, target.data(), "a\tb\rcd"), 4);
  EXPECT_EQ(target.substr(0, 5), std::string("a\tb\0#", 5));

  target.assign(16, '#');
  EXPECT_EQ(CopyLineAt(1, index, 3, target.data(), ""), 1);
  EXPECT_EQ(target.substr(0, 2), std::string("\0#", 2));
}

TEST(CopyLineAt, StoresAtTheLinesOffsetInTheTarget) {
  uint32_t index[] = {0, 6};
  std::string target(16, '#');
  EXPECT_EQ(CopyLineAt(2, index, 3, target.data(), "xy;z"), 3);
  EXPECT_EQ(target.substr(0, 10), std::string("######xy\0#", 10));
}

TEST(CopyLineAt, RefusesLinesOutOfRangeWithoutStoring) {
  uint32_t index[] = {0, 6};
  std::string target(8, '#');
  for (int32_t n : {0, -1, 3, 4}) {
    EXPECT_EQ(CopyLineAt(n, index, 3, target.data(), "abc"), -1) << n;
    EXPECT_EQ(target, std::string(8, '#'));
  }
}

TEST(CopyBytes, CopiesTheCountAndAlwaysAtLeastOneByte) {
  std::string target(8, '#');
  CopyBytes(target.data(), "abcdefgh", 5);
  EXPECT_EQ(target, "abcde###");
  target.assign(4, '#');
  CopyBytes(target.data(), "xyz", 0);
  EXPECT_EQ(target, "x###");
}

TEST(CopyUntilControl, TurnsTabsIntoSpacesAndStopsAtAControlByte) {
  std::string target(8, '#');
  EXPECT_EQ(CopyUntilControl("a\tb\rzz", target.data()), 3);
  EXPECT_EQ(target.substr(0, 6), std::string("a b\r\0#", 6));

  target.assign(8, '#');
  EXPECT_EQ(CopyUntilControl("ab\x0f", target.data()), 2);
  EXPECT_EQ(target.substr(0, 5), std::string("ab\x0f\0#", 5));
}

TEST(CopyUntilControl, StopsAtZeroWithoutTerminatingAndKeepsHighBytes) {
  std::string target(8, '#');
  EXPECT_EQ(CopyUntilControl("\x10\xE9\x80", target.data()), 3);
  EXPECT_EQ(target, std::string("\x10\xE9\x80#####"));
  target.assign(4, '#');
  EXPECT_EQ(CopyUntilControl("", target.data()), 0);
  EXPECT_EQ(target, "####");
}

}  // namespace
