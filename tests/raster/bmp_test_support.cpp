#include "raster/bmp_test_support.h"

#include <random>

#include "support/temp_dir.h"

#ifndef PIXWELL_BMP_IMAGE_DIR
#error "PIXWELL_BMP_IMAGE_DIR names the folder of the generated BMP test images"
#endif

namespace {

struct Rgb {
  uint32_t red, green, blue;
};

uint32_t pack(Rgb c, int32_t depth) {
  if (depth == 32) return c.red << 16 | c.green << 8 | c.blue;
  return (c.red / 8) << 11 | (c.green / 8) << 6 | c.blue / 8;
}

// A pixel as blending reads it: at 16 bits blue comes from bits 5..0.
Rgb unpack(uint32_t pixel, int32_t depth) {
  if (depth == 32) return {pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF};
  return {(pixel >> 11) * 8, (pixel >> 6 & 0x1F) * 8, (pixel & 0x3F) * 8};
}

// Halved sums keep their low 8 bits, as packing does.
uint32_t average(Rgb s, Rgb d, int32_t depth) {
  return pack(
      {(s.red + d.red) / 2 & 0xFF, (s.green + d.green) / 2 & 0xFF, (s.blue + d.blue) / 2 & 0xFF},
      depth);
}

Rgb image_pixel(const MagickImage& image, uint32_t column, uint32_t top_row) {
  size_t at = (size_t{top_row} * image.width + column) * 3;
  auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(image.rgb[i])); };
  return {byte(at), byte(at + 1), byte(at + 2)};
}

}  // namespace

void fill_random(CanvasBuffer& target, uint32_t seed) {
  std::mt19937 random(seed);
  for (uint32_t y = 0; y < target.canvas().Height; ++y)
    for (uint32_t x = 0; x < target.canvas().Width; ++x)
      PutPixel(target.canvas(), static_cast<int32_t>(x), static_cast<int32_t>(y), random());
}

std::string bmp_image_path(const std::string& file_name) {
  return PIXWELL_BMP_IMAGE_DIR + file_name;
}

MagickImage load_magick_image(const std::string& name, uint32_t width, uint32_t height,
                              const std::string& bmp_file) {
  MagickImage image;
  image.bmp_path = bmp_image_path(bmp_file.empty() ? name + ".bmp" : bmp_file);
  image.width = width;
  image.height = height;
  image.rgb = read_file_bytes(bmp_image_path(name + ".rgb"));
  return image;
}

Picture expected_picture(const CanvasBuffer& before, const MagickImage& image,
                         const BmpPlacement& placement, BmpBlit blit) {
  const Canvas& canvas = before.canvas();
  Picture picture = before.picture();
  std::vector<uint32_t>& pixels = picture.pixels;
  for (uint32_t r = 0; r < placement.rows; ++r) {
    uint32_t y = static_cast<uint32_t>(placement.y) + placement.header_height - r;
    for (uint32_t c = 0; c < image.width; ++c) {
      uint32_t x = static_cast<uint32_t>(placement.x) + c;
      size_t cell = x < canvas.Width && y < canvas.Height ? size_t{y} * canvas.Width + x : 0;
      Rgb source = image_pixel(image, c, image.height - 1 - r);
      if (blit == BmpBlit::kDraw) {
        pixels[cell] = pack(source, canvas.BitsPerPixel);
      } else {
        Rgb packed = unpack(pack(source, canvas.BitsPerPixel), canvas.BitsPerPixel);
        pixels[cell] =
            average(packed, unpack(pixels[cell], canvas.BitsPerPixel), canvas.BitsPerPixel);
      }
    }
  }
  return picture;
}
