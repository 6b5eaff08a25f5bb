#include "raster/canvas.h"

#include "raster/pixel_access.h"

namespace {
constexpr uint32_t kComponentMask = 0xFF;
}

uint32_t PixelIndex(uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
  if (y >= height || x >= width) return 0;
  return y * width + x;
}

void PutPixel(const Canvas& canvas, int32_t x, int32_t y, uint32_t colour) {
  uint32_t i =
      PixelIndex(static_cast<uint32_t>(x), static_cast<uint32_t>(y), canvas.Width, canvas.Height);
  if (canvas.BitsPerPixel == 32) {
    static_cast<uint32_t*>(canvas.Pixels)[i] = colour;
  } else if (canvas.BitsPerPixel == 16) {
    static_cast<uint16_t*>(canvas.Pixels)[i] = static_cast<uint16_t>(colour);
  }
}

// Any depth other than 16 or 32 reads nothing and yields 0.
uint32_t GetPixel(const Canvas& canvas, int32_t x, int32_t y) {
  uint32_t i =
      PixelIndex(static_cast<uint32_t>(x), static_cast<uint32_t>(y), canvas.Width, canvas.Height);
  if (canvas.BitsPerPixel == 32) return static_cast<const uint32_t*>(canvas.Pixels)[i];
  if (canvas.BitsPerPixel == 16) return static_cast<const uint16_t*>(canvas.Pixels)[i];
  return 0;
}

// Components keep their low 8 bits. The 16-bit layout keeps five bits of
// each, with green in bits 10..6 and bit 5 always clear. Any other depth
// packs to 0.
uint32_t PackColour(uint32_t red, uint32_t green, uint32_t blue, int32_t bits_per_pixel) {
  red &= kComponentMask;
  green &= kComponentMask;
  blue &= kComponentMask;
  if (bits_per_pixel == 32) return red * 65536 + green * 256 + blue;
  if (bits_per_pixel == 16) return (red / 8) * 2048 + (green / 8) * 64 + blue / 8;
  return 0;
}

// The limits 31, 31 and 63 hold at every depth.
uint32_t ClampPackColour(int32_t red, int32_t green, int32_t blue, int32_t bits_per_pixel) {
  auto clamp = [](int32_t value, int32_t limit) {
    return static_cast<uint32_t>(value > limit ? limit : value < 0 ? 0 : value);
  };
  return PackColour(clamp(red, 31), clamp(green, 31), clamp(blue, 63), bits_per_pixel);
}

// Below 32 bits the 16-bit reading applies: blue from six bits (bits 5..0)
// and red from every bit above bit 10, unmasked.
void UnpackColour(RgbTriple& triple, uint32_t colour, int32_t bits_per_pixel) {
  if (bits_per_pixel == 32) {
    triple.Red = (colour >> 16) & kComponentMask;
    triple.Green = (colour >> 8) & kComponentMask;
    triple.Blue = colour & kComponentMask;
    return;
  }
  triple.Blue = (colour & 0x3F) * 8;
  triple.Green = ((colour >> 6) & 0x1F) * 8;
  triple.Red = (colour >> 11) * 8;
}

uint32_t BlendPixel(const Canvas& canvas, int32_t x, int32_t y, uint32_t colour, uint32_t mode) {
  RgbTriple d, s;
  UnpackColour(d, GetPixel(canvas, x, y), canvas.BitsPerPixel);
  UnpackColour(s, colour, canvas.BitsPerPixel);
  s = raster::combine_components(s, d, mode);
  return PackColour(s.Red, s.Green, s.Blue, canvas.BitsPerPixel);
}
