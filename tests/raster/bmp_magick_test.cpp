// DrawBmpFile and BlendBmpFile on BMP files written by ImageMagick, checked
// pixel by pixel against ImageMagick's own dump of each image, at both
// canvas depths, wholly on the canvas and straddling its edges.
#include <gtest/gtest.h>

#include "raster/bmp.h"
#include "raster/bmp_test_support.h"
#include "support/picture_diff.h"

namespace {

struct ImageCase {
  const char* name;
  uint32_t width;
  uint32_t height;
};

// Widths 1 to 9 (every row padding), odd heights, the small images that a
// short read used to draw black, and black pixels in the first stored rows.
const ImageCase kImages[] = {
    {"w1h3", 1, 3}, {"w2h5", 2, 5}, {"w3h7", 3, 7}, {"w4h1", 4, 1},
    {"w5h9", 5, 9}, {"w6h3", 6, 3}, {"w7h5", 7, 5}, {"w8h7", 8, 7},
    {"w9h3", 9, 3}, {"w2h2", 2, 2}, {"w8h6", 8, 6}, {"black_corner", 7, 5},
};

void PrintTo(const ImageCase& image, std::ostream* out) { *out << image.name; }

constexpr int32_t kDepths[] = {16, 32};
constexpr BmpBlit kBlits[] = {BmpBlit::kDraw, BmpBlit::kBlend};

void blit_file(BmpBlit blit, const MagickImage& image, const Canvas& canvas, int32_t x, int32_t y) {
  if (blit == BmpBlit::kDraw)
    DrawBmpFile(image.bmp_path.c_str(), canvas, 0, x, y);
  else
    BlendBmpFile(image.bmp_path.c_str(), canvas, 0, x, y);
}

// Blits the image onto a canvas of random pixels and compares every pixel
// of the canvas with the expected result.
void expect_blit(const MagickImage& image, uint32_t canvas_width, uint32_t canvas_height,
                 BmpPlacement placement, uint32_t seed) {
  for (int32_t depth : kDepths) {
    for (BmpBlit blit : kBlits) {
      SCOPED_TRACE(testing::Message()
                   << "depth " << depth << ", " << (blit == BmpBlit::kDraw ? "draw" : "blend")
                   << " at (" << placement.x << ", " << placement.y << ")");
      CanvasBuffer target(canvas_width, canvas_height, depth);
      fill_random(target, seed);
      Picture expected = expected_picture(target, image, placement, blit);
      blit_file(blit, image, target.canvas(), placement.x, placement.y);
      EXPECT_SAME_PICTURE(expected, target.picture());
    }
  }
}

BmpPlacement whole_image(const MagickImage& image, int32_t x, int32_t y) {
  return {x, y, image.height, image.height};
}

class BmpMagickImage : public testing::TestWithParam<ImageCase> {
 protected:
  MagickImage image_ = load_magick_image(GetParam().name, GetParam().width, GetParam().height);
};

TEST_P(BmpMagickImage, LandsBelowAndRightOfThePositionWithItsOwnPixels) {
  ASSERT_EQ(image_.rgb.size(), size_t{image_.width} * image_.height * 3);
  expect_blit(image_, 16, 14, whole_image(image_, 3, 2), 1);
  expect_blit(image_, 16, 14, whole_image(image_, 16 - image_.width, 13 - image_.height), 2);
}

// Pixels off the canvas land on pixel (0, 0) in drawing order.
TEST_P(BmpMagickImage, PixelsOffTheCanvasLandOnTheTopLeftPixel) {
  uint32_t w = image_.width, h = image_.height;
  const int32_t corners[][2] = {{-2, -2}, {-1, 3}, {4, -3}, {5, 2}, {int32_t(w) - 1, 0}};
  for (const auto& at : corners) expect_blit(image_, 6, 5, whole_image(image_, at[0], at[1]), 3);
  expect_blit(image_, 6, 5, whole_image(image_, 6 - int32_t(w) + 1, 5 - int32_t(h)), 4);
}

INSTANTIATE_TEST_SUITE_P(Magick, BmpMagickImage, testing::ValuesIn(kImages),
                         [](const auto& info) { return std::string(info.param.name); });

// A file cut inside its fifth stored row draws its four complete bottom rows
// where the header places them, and nothing of the rest.
TEST(BmpMagickFile, TruncatedFileDrawsTheCompleteRowsPresent) {
  MagickImage image = load_magick_image("w5h9", 5, 9, "truncated.bmp");
  expect_blit(image, 12, 14, {2, 1, 4, 9}, 5);
}

struct OversizeCase {
  ImageCase image;
  uint32_t drawn_rows;    // by DrawBmpFile
  uint32_t blended_rows;  // by BlendBmpFile
};

// Each blitter draws the rows whose pixels fit its buffer: 500,000 bytes hold
// the header and 555 rows of 900 bytes, or 162 of 3,072; 4 MiB hold all 600
// rows of 900 bytes, but only 1,365 of the 1,400 rows of 3,072.
const OversizeCase kOversize[] = {{{"tall", 300, 600}, 555, 600},
                                  {{"large", 1024, 1400}, 162, 1365}};

TEST(BmpMagickFile, ImageLargerThanTheBufferDrawsTheRowsThatFit) {
  for (const OversizeCase& oversize : kOversize) {
    const ImageCase& name = oversize.image;
    MagickImage image = load_magick_image(name.name, name.width, name.height);
    for (int32_t depth : kDepths) {
      for (BmpBlit blit : kBlits) {
        CanvasBuffer target(name.width + 3, name.height + 4, depth);
        fill_random(target, 6);
        uint32_t rows = blit == BmpBlit::kDraw ? oversize.drawn_rows : oversize.blended_rows;
        Picture expected = expected_picture(target, image, {1, 2, rows, name.height}, blit);
        blit_file(blit, image, target.canvas(), 1, 2);
        EXPECT_SAME_PICTURE(expected, target.picture())
            << name.name << " at depth " << depth << ", rows " << rows;
      }
    }
  }
}

TEST(BmpMagickFile, SixteenAndThirtyTwoBitImagesDrawNothing) {
  for (const char* name : {"depth16.bmp", "depth32.bmp"}) {
    std::string path = bmp_image_path(name);
    for (int32_t depth : kDepths) {
      CanvasBuffer target(10, 8, depth);
      fill_random(target, 7);
      Picture before = target.picture();
      DrawBmpFile(path.c_str(), target.canvas(), 0, 1, 1);
      BlendBmpFile(path.c_str(), target.canvas(), 0, -2, -1);
      EXPECT_SAME_PICTURE(before, target.picture()) << name << " at depth " << depth;
    }
  }
}

}  // namespace
