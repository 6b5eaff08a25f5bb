// What the BMP and tools pages say when a call does nothing: the reason is
// named, and a failure is never told as a success.
#include <gtest/gtest.h>

#include <cstring>

#include "app/lab_page_bmp.h"
#include "app/lab_page_tools.h"

namespace {

struct Header {
  uint8_t Bytes[kBmpHeaderSize] = {'B', 'M'};
  Header(uint16_t width, uint16_t height, uint16_t bits) {
    std::memcpy(Bytes + 18, &width, 2);
    std::memcpy(Bytes + 22, &height, 2);
    std::memcpy(Bytes + 28, &bits, 2);
  }
};

bool says(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

TEST(LabBmpPage, ARefusedFileIsNamedWithTheReason) {
  const uint64_t whole = kBmpHeaderSize + 4 * 4;  // 2 x 2 pixels, padded rows
  EXPECT_EQ(BmpRefusal(Header(2, 2, 24).Bytes, true, whole, "a.bmp"), "");
  EXPECT_TRUE(says(BmpRefusal(Header(2, 2, 8).Bytes, true, whole, "a.bmp"), "8 bits per pixel"));
  EXPECT_TRUE(says(BmpRefusal(Header(0, 2, 24).Bytes, true, whole, "a.bmp"), "width or height"));
  EXPECT_TRUE(says(BmpRefusal(Header(2, 0, 24).Bytes, true, whole, "a.bmp"), "width or height"));
  EXPECT_TRUE(says(BmpRefusal(Header(2, 2, 24).Bytes, true, 20, "a.bmp"), "shorter than"));
  EXPECT_TRUE(
      says(BmpRefusal(Header(2, 2, 24).Bytes, true, kBmpHeaderSize + 5, "a.bmp"), "first row"));
  std::string missing = BmpRefusal(Header(2, 2, 24).Bytes, false, 0, "gone.bmp");
  EXPECT_TRUE(says(missing, "Cannot draw gone.bmp: no such file"));
}

TEST(LabToolsPage, AFailedLaunchIsNeverToldAsStarted) {
  std::string missing = LaunchResultText("LaunchAssembler", SE_ERR_FNF);
  EXPECT_TRUE(says(missing, "missing"));
  EXPECT_FALSE(says(missing, "started"));
  EXPECT_FALSE(says(LaunchResultText("LaunchAssembler", 0), "started"));
  EXPECT_FALSE(says(LaunchResultText("LaunchAssembler", 32), "started"));
  EXPECT_TRUE(says(LaunchResultText("LaunchDisassembler", 33), "started (33)"));
}

}  // namespace
