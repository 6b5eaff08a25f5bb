// The pictures that a failing pixel comparison leaves behind: three PNG
// files named in the message, the difference red where the pictures differ.
#include "support/picture_diff.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace {

// The path that follows a label such as "actual: " in a failure message.
std::string path_after(const std::string& message, const std::string& label) {
  size_t at = message.find("\n  " + label + ": ");
  if (at == std::string::npos) return "";
  at += label.size() + 5;
  return message.substr(at, message.find('\n', at) - at);
}

TEST(PictureComparison, AMismatchWritesThreePngFilesNamedInTheMessage) {
  Picture expected{3, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x000000}};
  Picture actual = expected;
  actual.pixels[4] = 0x123456;  // pixel (1, 1)
  EXPECT_TRUE(pictures_match("e", "a", expected, expected));

  testing::AssertionResult result = pictures_match("e", "a", expected, actual);
  ASSERT_FALSE(result);
  std::string message = result.message();
  EXPECT_NE(message.find("1 pixels differ, first at (1, 1): expected 0xD0E0F0, actual 0x123456"),
            std::string::npos)
      << message;
  for (const char* label : {"expected", "actual", "difference"}) {
    std::string path = path_after(message, label);
    ASSERT_NE(path.find(picture_folder()), std::string::npos) << message;
    EXPECT_EQ(read_file_bytes(path).substr(0, 8), "\x89PNG\r\n\x1A\n") << path;
    std::remove(path.c_str());
  }
  std::vector<uint8_t> difference = difference_rgb(expected, actual);
  for (size_t pixel = 0; pixel < 6; ++pixel) {
    bool red = difference[pixel * 3] == 255 && difference[pixel * 3 + 1] == 0;
    EXPECT_EQ(red, pixel == 4) << pixel;
  }
}

// Equal cells at different depths or sizes are different pictures.
TEST(PictureComparison, DepthAndSizeArePartOfThePicture) {
  Picture wide{2, 1, {0x1F, 0x1F}};
  Picture sixteen = wide;
  sixteen.bits_per_pixel = 16;
  Picture tall{1, 2, {0x1F, 0x1F}};
  for (const Picture* other : {&sixteen, &tall}) {
    testing::AssertionResult result = pictures_match("e", "a", wide, *other);
    EXPECT_FALSE(result);
    for (const char* label : {"expected", "actual", "difference"})
      std::remove(path_after(result.message(), label).c_str());
  }
}

}  // namespace
