// Shared by the BMP blitter tests: canvases that own their pixels, the
// images that ImageMagick wrote at build time, and the canvas expected after
// drawing one, worked out pixel by pixel from ImageMagick's own values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/canvas.h"
#include "support/canvas_buffer.h"

enum class BmpBlit { kDraw, kBlend };

// Fills every pixel with pseudo-random cells, including bits that packed
// colours leave clear (bit 5 at 16 bits, bits 31..24 at 32 bits).
void fill_random(CanvasBuffer& target, uint32_t seed);

// A test image and ImageMagick's dump of it: red, green, blue per pixel,
// top row first.
struct MagickImage {
  std::string bmp_path;
  uint32_t width = 0;
  uint32_t height = 0;
  std::string rgb;
};

// The folder of the generated images, in a form both targets can open.
std::string bmp_image_path(const std::string& file_name);
// Loads NAME.rgb; the path is NAME.bmp, or bmp_file when another file holds
// the same pixels (a truncated copy).
MagickImage load_magick_image(const std::string& name, uint32_t width, uint32_t height,
                              const std::string& bmp_file = "");

// Where and how much of an image is drawn: rows are the stored rows drawn
// (bottom row first), header_height the height the file's header claims.
struct BmpPlacement {
  int32_t x = 0;
  int32_t y = 0;
  uint32_t rows = 0;
  uint32_t header_height = 0;
};

// The canvas after the blit, from the canvas before it: each image pixel
// packed and (for a blend) averaged with what lies under it, written in
// drawing order, with pixels off the canvas landing on pixel (0, 0).
Picture expected_picture(const CanvasBuffer& before, const MagickImage& image,
                         const BmpPlacement& placement, BmpBlit blit);
