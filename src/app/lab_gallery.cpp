#include "app/lab_gallery.h"

#include <algorithm>
#include <cstdio>

#include "app/lab_gallery_layout.h"

namespace {

// Colours of every kind a caller may pass: small, full, with the top bit set
// (negative as a signed value, which the disc skips) and 16-bit sized.
constexpr uint32_t kColours[kTileColourCount] = {0x7F3F1F,   0x1F6F7F, 0xFFFFFF,
                                                 0x80FF8040, 0x3E0F,   0x5A5A5A};

// Two greys in 8-pixel squares, so that blending and copying show.
uint32_t background_at(int32_t x, int32_t y, int32_t bits_per_pixel) {
  bool light = ((x / 8) + (y / 8)) % 2 == 0;
  uint32_t grey = light ? 0x60 : 0x30;
  return PackColour(grey, grey, grey, bits_per_pixel);
}

constexpr COLORREF kRedFrame = SwapRedAndBlue(kGalleryDifferingFrame);
constexpr COLORREF kSelectedFrame = SwapRedAndBlue(kGallerySelectedFrame);
constexpr COLORREF kPlainFrame = SwapRedAndBlue(kGalleryPlainFrame);

}  // namespace

uint32_t TileColour(int32_t colour_index) {
  int32_t wrapped = ((colour_index % kTileColourCount) + kTileColourCount) % kTileColourCount;
  return kColours[wrapped];
}

void TilePicture::Reset(int32_t bits_per_pixel) {
  // One spare word: a 16-bit canvas's last pixel is written as a whole word.
  Store.assign(size_t{kTileWidth} * kTileHeight * static_cast<uint32_t>(bits_per_pixel) / 32 + 1,
               0);
  Picture = {Store.data(), kTileWidth, kTileHeight, bits_per_pixel};
  for (int32_t y = 0; y < kTileHeight; ++y)
    for (int32_t x = 0; x < kTileWidth; ++x)
      PutPixel(Picture, x, y, background_at(x, y, bits_per_pixel));
}

uint32_t CountDifferingPixels(const Canvas& a, const Canvas& b) {
  uint32_t differing = 0;
  for (uint32_t y = 0; y < a.Height; ++y)
    for (uint32_t x = 0; x < a.Width; ++x)
      differing += GetPixel(a, int32_t(x), int32_t(y)) != GetPixel(b, int32_t(x), int32_t(y));
  return differing;
}

void RenderTile(const TileCalls& calls, const TileParameters& parameters, TileOutcome& outcome) {
  for (int depth = 0; depth < 2; ++depth) {
    outcome.Drawn[depth] = depth == 0 || !calls.ScreenDepthOnly;
    outcome.Differing[depth] = 0;
    outcome.Fast[depth].Reset(kTileDepths[depth]);
    outcome.Literal[depth].Reset(kTileDepths[depth]);
    if (!outcome.Drawn[depth]) continue;
    // The literal version first: the compositing calls' literal pictures
    // start from the screen canvas as the library's call finds it.
    calls.Literal(outcome.Literal[depth].Picture, parameters);
    calls.Fast(outcome.Fast[depth].Picture, parameters);
    outcome.Differing[depth] =
        CountDifferingPixels(outcome.Fast[depth].Picture, outcome.Literal[depth].Picture);
  }
}

bool TileDiffers(const TileOutcome& outcome) {
  return outcome.Differing[0] != 0 || outcome.Differing[1] != 0;
}

COLORREF TileFrameColour(const TileOutcome& outcome, bool selected) {
  if (TileDiffers(outcome)) return kRedFrame;
  return selected ? kSelectedFrame : kPlainFrame;
}

uint32_t DisplayColour(uint32_t pixel, int32_t bits_per_pixel) {
  if (bits_per_pixel == 32) return pixel & 0xFFFFFF;
  // Shown as the library itself reads the pixel when it blends: each field
  // times 8, so a grey packed from 8-bit components stays grey. Blue's sixth
  // bit takes it past 255, which shows as full blue.
  RgbTriple c;
  UnpackColour(c, pixel & 0xFFFF, bits_per_pixel);
  auto byte = [](uint32_t component) { return std::min<uint32_t>(component, 255); };
  return byte(c.Red) << 16 | byte(c.Green) << 8 | byte(c.Blue);
}

std::string HexPixel(uint32_t pixel, int32_t bits_per_pixel) {
  char text[16];
  if (bits_per_pixel == 32)
    std::snprintf(text, sizeof(text), "0x%08X", pixel);
  else
    std::snprintf(text, sizeof(text), "0x%04X", pixel & 0xFFFF);
  return text;
}
