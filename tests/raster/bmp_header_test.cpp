// Headers that do not match the bytes behind them: the blitters draw the
// complete rows that are present where the header places them, nothing when
// there are none, and never read or write outside their buffer or canvas.
#include <gtest/gtest.h>

#include "raster/bmp.h"
#include "raster/bmp_test_support.h"
#include "support/picture_diff.h"
#include "support/temp_dir.h"

namespace {

constexpr int32_t kDepths[] = {16, 32};
constexpr BmpBlit kBlits[] = {BmpBlit::kDraw, BmpBlit::kBlend};

void put_u16(std::string& bytes, size_t offset, uint32_t value) {
  bytes[offset] = static_cast<char>(value);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

class BmpHeader : public testing::Test {
 protected:
  // ImageMagick's 5 x 9 image (16-byte rows) with the width and height
  // fields of its header replaced, written to a scratch file.
  std::string write_with_size(uint32_t width, uint32_t height) {
    std::string bytes = read_file_bytes(image_.bmp_path);
    put_u16(bytes, 18, width);
    put_u16(bytes, 22, height);
    write_file_bytes(path_, bytes);
    return path_;
  }

  void blit(BmpBlit blit, const Canvas& canvas, int32_t x, int32_t y) {
    if (blit == BmpBlit::kDraw)
      DrawBmpFile(path_.c_str(), canvas, 0, x, y);
    else
      BlendBmpFile(path_.c_str(), canvas, 0, x, y);
  }

  // Blits the scratch file at both depths and compares with the placement.
  void expect_blit(BmpPlacement placement) {
    for (int32_t depth : kDepths) {
      for (BmpBlit kind : kBlits) {
        CanvasBuffer target(12, 16, depth);
        fill_random(target, static_cast<uint32_t>(depth));
        Picture expected = expected_picture(target, image_, placement, kind);
        blit(kind, target.canvas(), placement.x, placement.y);
        EXPECT_SAME_PICTURE(expected, target.picture())
            << "depth " << depth << (kind == BmpBlit::kDraw ? ", draw" : ", blend");
      }
    }
  }

  TempDir dir_;
  std::string path_ = dir_.file("image.bmp");
  MagickImage image_ = load_magick_image("w5h9", 5, 9);
};

TEST_F(BmpHeader, ZeroWidthOrHeightDrawsNothing) {
  for (auto [width, height] : {std::pair{0u, 9u}, {5u, 0u}, {0u, 0u}}) {
    write_with_size(width, height);
    expect_blit({1, 1, 0, height});
  }
}

// The file holds 9 rows; a header claiming 12 or 65,535 has the 9 drawn from
// row y + 12 (or y + 65,535, off the canvas) upwards.
TEST_F(BmpHeader, MoreRowsThanTheFileHoldsDrawsTheRowsPresent) {
  for (uint32_t height : {12u, 65535u}) {
    write_with_size(5, height);
    expect_blit({2, 0, 9, height});
    expect_blit({-3, int32_t(1 - height), 9, height});
  }
}

// 65,535 x 65,535 would take 12 GiB of pixel data: no row of it is present,
// and BlendBmpFile's buffer stays within its limit.
TEST_F(BmpHeader, HugeImageWithoutItsPixelsDrawsNothing) {
  write_with_size(65535, 65535);
  expect_blit({0, 0, 0, 65535});
}

// Also a file cut one byte short of its first row's pixels.
TEST_F(BmpHeader, FileWithoutACompleteRowDrawsNothing) {
  std::string whole = read_file_bytes(image_.bmp_path);
  for (size_t length :
       {size_t{0}, size_t{30}, size_t{kBmpHeaderSize}, size_t{kBmpHeaderSize + 14}}) {
    write_file_bytes(path_, whole.substr(0, length));
    expect_blit({1, 1, 0, 9});
  }
}

TEST_F(BmpHeader, ReadBmpHeaderReadsTheFirst54Bytes) {
  uint8_t header[kBmpHeaderSize] = {};
  EXPECT_NE(ReadBmpHeader(header, image_.bmp_path.c_str()), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(header), kBmpHeaderSize),
            read_file_bytes(image_.bmp_path).substr(0, kBmpHeaderSize));
}

// A missing file is opened as a new empty one and yields no bytes.
TEST_F(BmpHeader, MissingFileDrawsNothingAndIsLeftEmpty) {
  expect_blit({0, 0, 0, 0});
  EXPECT_EQ(read_file_bytes(path_), "");
}

}  // namespace
