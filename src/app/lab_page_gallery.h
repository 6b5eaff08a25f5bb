// The gallery page: every rasterizer primitive in a grid of tiles, each at
// 32 and 16 bits per pixel beside its literal version's picture, with the
// count of differing pixels; keys change the selected tile's parameters.
#pragma once

#include <cstdint>
#include <string>

#include "app/lab_gallery.h"
#include "platform/win32.h"

// Which picture of which tile lies under a window point.
struct GalleryHit {
  int Tile;
  int Depth;  // index into kTileDepths
  bool Literal;
  int32_t X;  // pixel of the picture
  int32_t Y;
};

bool GalleryHitAt(int32_t x, int32_t y, GalleryHit& hit);
// "DrawLine, fast (12, 7): 32 bpp 0x007F3F1F, 16 bpp 0x3E0F": the pixel of
// the picture hit and the same pixel of that version at the other depth.
std::string GalleryPixelReadout(const char* name, const TileOutcome& outcome,
                                const GalleryHit& hit);

extern const char kGalleryHelpLine[];
// Changes the selected tile's parameters; false for keys it does not take.
bool GalleryKey(WPARAM key);
// Draws every tile into the back buffer's picture and shows it.
void PresentGallery(const std::string& status, uint32_t presentations_per_second);
// The exact value under a window point, empty off the pictures.
std::string GalleryReadoutAt(POINT point);
// The differing pixels of every tile as last drawn.
uint32_t GalleryDifferingPixels();
