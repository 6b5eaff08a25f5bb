// The gallery's tiles: each rasterizer primitive drawn by the library and by
// its literal per-pixel transcription onto canvases of the same background,
// at 32 and at 16 bits per pixel, and the number of pixels where the two
// pictures differ. Zero is the only right count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "raster/canvas.h"

constexpr int32_t kTileWidth = 64;
constexpr int32_t kTileHeight = 48;
constexpr int32_t kTileDepths[2] = {32, 16};

struct TileParameters {
  int32_t Size = 16;  // length, radius, height or ramp count
  int32_t ColourIndex = 0;
  uint32_t Mode = 0;   // the blend mode where the call takes one
  int32_t ShiftX = 0;  // moves the shape towards or across the canvas edges
  int32_t ShiftY = 0;

  bool operator==(const TileParameters&) const = default;
};

// One of the two ways of drawing a tile's call onto a canvas.
using TileDraw = void (*)(const Canvas& canvas, const TileParameters& parameters);

struct TileCalls {
  const char* Name;
  TileDraw Fast;
  TileDraw Literal;
  bool ScreenDepthOnly;  // drawn through the screen canvas, so at 32 bits alone
};

// A tile-sized canvas over its own store.
struct TilePicture {
  std::vector<uint32_t> Store;
  Canvas Picture{};
  void Reset(int32_t bits_per_pixel);  // the gallery's background pattern
};

struct TileOutcome {
  TilePicture Fast[2];  // by depth, as kTileDepths
  TilePicture Literal[2];
  bool Drawn[2] = {};
  uint32_t Differing[2] = {};
};

uint32_t TileColour(int32_t colour_index);
constexpr int32_t kTileColourCount = 6;

// Pixels where two canvases of the same size and depth differ.
uint32_t CountDifferingPixels(const Canvas& a, const Canvas& b);
// Draws both versions at each depth the call is drawn at and counts.
void RenderTile(const TileCalls& calls, const TileParameters& parameters, TileOutcome& outcome);
bool TileDiffers(const TileOutcome& outcome);
// The frame round a tile: red when it differs, yellow when selected.
COLORREF TileFrameColour(const TileOutcome& outcome, bool selected);
// A packed pixel of the given depth as the display's 0x00RRGGBB.
uint32_t DisplayColour(uint32_t pixel, int32_t bits_per_pixel);

// A 0xRRGGBB pixel as a COLORREF (red in the low byte), and back: the swap
// of red and blue is its own inverse.
constexpr uint32_t SwapRedAndBlue(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}
// "0x00FF8040" at 32 bits, "0xF810" at 16.
std::string HexPixel(uint32_t pixel, int32_t bits_per_pixel);

// Every primitive the gallery shows, in its order.
extern const std::vector<TileCalls> kGalleryCalls;
