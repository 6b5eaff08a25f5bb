// The gallery's calls: how each tile's parameters become a call of the
// library's primitive and of its literal transcription. Shapes start near
// the top-left corner, so the shifts carry them across every canvas edge.
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/lab_gallery.h"
#include "display/compositing.h"
#include "display/graphics_startup.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "raster/literal/raster_literal.h"

namespace {

int32_t left(const TileParameters& p) { return 8 + p.ShiftX; }
int32_t top(const TileParameters& p) { return 6 + p.ShiftY; }
int32_t centre_x(const TileParameters& p) { return kTileWidth / 2 + p.ShiftX; }
int32_t centre_y(const TileParameters& p) { return kTileHeight / 2 + p.ShiftY; }
uint32_t colour(const TileParameters& p) { return TileColour(p.ColourIndex); }

template <auto Line>
void line(const Canvas& c, const TileParameters& p) {
  Line(c, left(p), top(p), left(p) + p.Size * 2, top(p) + p.Size, colour(p));
}

template <auto Arc>
void quarter_arc(const Canvas& c, const TileParameters& p) {
  Arc(c, centre_x(p) - 16, top(p), p.Size * 2, p.Size, colour(p));
}

template <auto Fill>
void gradient_rect(const Canvas& c, const TileParameters& p) {
  Fill(c, left(p), top(p), p.Size * 2, p.Size, colour(p));
}

template <auto Fill, uint32_t kMode>
void blend_rect(const Canvas& c, const TileParameters& p) {
  Fill(c, left(p), top(p), p.Size * 2, p.Size, colour(p), kMode);
}

template <auto Fill>
void gradient_disc(const Canvas& c, const TileParameters& p) {
  Fill(c, centre_x(p), centre_y(p), p.Size, colour(p));
}

// The ramps are made by the library in both versions: what is compared is
// how they are drawn.
template <auto Draw>
void colour_ramp(const Canvas& c, const TileParameters& p) {
  ColourRamp ramp{};
  CreateColourRamp(c, ramp, 0, 0, p.Size * 2, p.Size, colour(p));
  Draw(c, ramp, left(p), top(p));
  FreeColourRamp(ramp);
}

template <auto Draw>
void square_ramp(const Canvas& c, const TileParameters& p) {
  ColourRamp ramp{};
  CreateSquareRamp(c, ramp, 0, 0, p.Size, colour(p));
  Draw(c, ramp, left(p), top(p));
  FreeColourRamp(ramp);
}

template <auto Draw>
void ramp_rings(const Canvas& c, const TileParameters& p) {
  ColourRamp ramp{};
  CreateColourRamp(c, ramp, 0, 0, 0, p.Size, colour(p));
  Draw(c, ramp, centre_x(p), centre_y(p));
  FreeColourRamp(ramp);
}

// Copies the rows of a gradient picture into the canvas, Size * 3 bytes a
// row (so whole eight-byte units and a tail), starting ShiftX pixels in.
template <auto Copy>
void block_copy(const Canvas& c, const TileParameters& p) {
  std::vector<uint32_t> store(size_t{kTileWidth} * kTileHeight + 1);
  Canvas source{store.data(), kTileWidth, kTileHeight, c.BitsPerPixel};
  FillGradientRect(source, -1, -1, kTileWidth, kTileHeight, colour(p));
  uint32_t row_bytes = kTileWidth * uint32_t(c.BitsPerPixel) / 8;
  uint32_t start = uint32_t(std::max(0, p.ShiftX)) * uint32_t(c.BitsPerPixel) / 8;
  if (start >= row_bytes) return;
  uint32_t count = std::min(uint32_t(std::max(0, p.Size * 3)), row_bytes - start);
  for (uint32_t y = 0; y < kTileHeight; ++y)
    Copy(static_cast<char*>(c.Pixels) + y * row_bytes + start,
         static_cast<const char*>(source.Pixels) + y * row_bytes, count);
}

// The compositing calls draw through the 1024 by 768 screen canvas and the
// work buffer onto a device context: the tile is put in a DC of its own and
// read back. Their literal picture is drawn on a copy of that canvas as the
// call leaves it before drawing, so the edges are the screen canvas's.
struct TileDc {
  HDC Dc = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateCompatibleBitmap(BackDC, kTileWidth, kTileHeight);
  HGDIOBJ Previous = SelectObject(Dc, Bitmap);
  ~TileDc() {
    SelectObject(Dc, Previous);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
  }
};

void tile_to_dc(const Canvas& c, HBITMAP bitmap) {
  SetBitmapBits(bitmap, kTileWidth * kTileHeight * 4, c.Pixels);
}

void dc_to_tile(HBITMAP bitmap, const Canvas& c) {
  GetBitmapBits(bitmap, kTileWidth * kTileHeight * 4, c.Pixels);
}

std::vector<uint32_t>& screen_copy() {
  static std::vector<uint32_t> copy(kPageBytes / 4);
  return copy;
}

Canvas screen_copy_canvas() { return {screen_copy().data(), kBufferWidth, kBufferHeight, 32}; }

// The area a call reads back from its target: the tile over what the work
// buffer held.
void copy_read_back(const Canvas& tile) {
  GetBitmapBits(WorkBitmap, kPageBytes, screen_copy().data());
  for (int32_t y = 0; y < kTileHeight; ++y)
    std::memcpy(&screen_copy()[size_t(y) * kBufferWidth],
                static_cast<const uint32_t*>(tile.Pixels) + y * kTileWidth, kTileWidth * 4);
}

void copy_back_tile(const Canvas& tile) {
  for (int32_t y = 0; y < kTileHeight; ++y)
    std::memcpy(static_cast<uint32_t*>(tile.Pixels) + y * kTileWidth,
                &screen_copy()[size_t(y) * kBufferWidth], kTileWidth * 4);
}

void composite_rect(const Canvas& c, const TileParameters& p) {
  TileDc tile;
  tile_to_dc(c, tile.Bitmap);
  CompositeGradientRect(tile.Dc, left(p), top(p), p.Size * 2, p.Size, colour(p));
  dc_to_tile(tile.Bitmap, c);
}

// The rectangle is drawn at the canvas's origin and its area placed at
// (left, top), pixel by pixel, clipped to the tile.
void literal_composite_rect(const Canvas& c, const TileParameters& p) {
  std::memcpy(screen_copy().data(), ScreenCanvas.Pixels, kPageBytes);
  Canvas screen = screen_copy_canvas();
  literal::FillGradientRect(screen, 0, 0, p.Size * 2, p.Size, colour(p));
  for (int32_t y = 0; y < p.Size; ++y)
    for (int32_t x = 0; x < p.Size * 2; ++x) {
      int32_t tx = left(p) + x, ty = top(p) + y;
      if (tx >= 0 && ty >= 0 && tx < kTileWidth && ty < kTileHeight)
        PutPixel(c, tx, ty, GetPixel(screen, x, y));
    }
}

void composite_disc(const Canvas& c, const TileParameters& p) {
  TileDc tile;
  tile_to_dc(c, tile.Bitmap);
  CompositeGradientDisc(tile.Dc, centre_x(p), centre_y(p), p.Size, colour(p));
  dc_to_tile(tile.Bitmap, c);
}

void literal_composite_disc(const Canvas& c, const TileParameters& p) {
  copy_read_back(c);
  literal::FillGradientDisc(screen_copy_canvas(), centre_x(p), centre_y(p), p.Size, colour(p));
  copy_back_tile(c);
}

void composite_blend(const Canvas& c, const TileParameters& p) {
  TileDc tile;
  tile_to_dc(c, tile.Bitmap);
  CompositeBlendRect(tile.Dc, left(p), top(p), p.Size * 2, p.Size, colour(p), p.Mode);
  dc_to_tile(tile.Bitmap, c);
}

void literal_composite_blend(const Canvas& c, const TileParameters& p) {
  copy_read_back(c);
  literal::FillBlendRect(screen_copy_canvas(), left(p), top(p), p.Size * 2, p.Size, colour(p),
                         p.Mode);
  copy_back_tile(c);
}

}  // namespace

const std::vector<TileCalls> kGalleryCalls = {
    {"DrawLine", line<DrawLine>, line<literal::DrawLine>, false},
    {"DrawQuarterArc", quarter_arc<DrawQuarterArc>, quarter_arc<literal::DrawQuarterArc>, false},
    {"FillGradientRect", gradient_rect<FillGradientRect>, gradient_rect<literal::FillGradientRect>,
     false},
    {"FillBlendRect average", blend_rect<FillBlendRect, kBlendAverage>,
     blend_rect<literal::FillBlendRect, kBlendAverage>, false},
    {"FillBlendRect add", blend_rect<FillBlendRect, kBlendAdd>,
     blend_rect<literal::FillBlendRect, kBlendAdd>, false},
    {"FillBlendRect xor", blend_rect<FillBlendRect, kBlendXor>,
     blend_rect<literal::FillBlendRect, kBlendXor>, false},
    {"FillBlendRect copy", blend_rect<FillBlendRect, kBlendCopy>,
     blend_rect<literal::FillBlendRect, kBlendCopy>, false},
    {"FillGradientDisc", gradient_disc<FillGradientDisc>, gradient_disc<literal::FillGradientDisc>,
     false},
    {"colour ramp", colour_ramp<DrawColourRamp>, colour_ramp<literal::DrawColourRamp>, false},
    {"square ramp", square_ramp<DrawColourRamp>, square_ramp<literal::DrawColourRamp>, false},
    {"DrawRampRings", ramp_rings<DrawRampRings>, ramp_rings<literal::DrawRampRings>, false},
    {"BlockCopy", block_copy<BlockCopy>, block_copy<literal::BlockCopy>, false},
    {"CompositeGradientRect", composite_rect, literal_composite_rect, true},
    {"CompositeGradientDisc", composite_disc, literal_composite_disc, true},
    {"CompositeBlendRect", composite_blend, literal_composite_blend, true},
};
