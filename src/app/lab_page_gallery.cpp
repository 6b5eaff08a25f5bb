#include "app/lab_page_gallery.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "app/lab_gallery_layout.h"
#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"

const char kGalleryHelpLine[] =
    "Gallery: Left/Right tile, Up/Down size, C colour, B blend mode, J/L I/K move across the "
    "edges, A animate, R reset.";

namespace {

constexpr int32_t kCountTop = 68;
constexpr uint32_t kPageColour = 0x202830;
constexpr COLORREF kLabelColour = 0x00FFFFFF;
constexpr COLORREF kDifferColour = 0x004040FF;

struct Gallery {
  std::vector<TileParameters> Parameters = std::vector<TileParameters>(kGalleryCalls.size());
  std::vector<TileOutcome> Outcomes = std::vector<TileOutcome>(kGalleryCalls.size());
  // The parameters each outcome was rendered with: a tile is rendered again
  // only when they change, so a page standing still costs only its copy.
  std::vector<std::optional<TileParameters>> Rendered =
      std::vector<std::optional<TileParameters>>(kGalleryCalls.size());
  int Selected = 0;
  bool Animating = false;
  uint32_t FrameNumber = 0;
  std::vector<uint32_t> Frame = std::vector<uint32_t>(kPageBytes / 4);
};

Gallery& gallery() {
  static Gallery state;
  return state;
}

POINT cell_origin(int tile) {
  GalleryPoint picture = GalleryPictureOrigin(tile, 0);
  return {picture.X, picture.Y - kGalleryPictureTop};
}

POINT picture_origin(int tile, int depth, bool literal) {
  GalleryPoint picture = GalleryPictureOrigin(tile, depth * 2 + (literal ? 1 : 0));
  return {picture.X, picture.Y};
}

// Every tile moves each frame: size, shift and colour run through their
// ranges at different rates, so the edges and the sizes are all visited.
void animate(Gallery& g) {
  ++g.FrameNumber;
  for (size_t i = 0; i < g.Parameters.size(); ++i) {
    uint32_t n = g.FrameNumber + uint32_t(i) * 7;
    g.Parameters[i].Size = 1 + int32_t(n % 40);
    g.Parameters[i].ShiftX = int32_t(n % 97) - 48;
    g.Parameters[i].ShiftY = int32_t(n % 61) - 30;
    g.Parameters[i].ColourIndex = int32_t(n / 40);
    g.Parameters[i].Mode = (n / 13) % 4;
  }
}

void fill(std::vector<uint32_t>& frame, RECT r, uint32_t colour) {
  for (int32_t y = std::max<int32_t>(r.top, 0); y < std::min<int32_t>(r.bottom, kBufferHeight); ++y)
    for (int32_t x = std::max<int32_t>(r.left, 0); x < std::min<int32_t>(r.right, kBufferWidth);
         ++x)
      frame[size_t(y) * kBufferWidth + x] = colour;
}

// A two-pixel frame round the four pictures.
void frame_tile(std::vector<uint32_t>& frame, int tile, COLORREF colour) {
  uint32_t rgb = SwapRedAndBlue(colour);
  GalleryPoint corner = GalleryFrameCorner(tile);
  POINT last = picture_origin(tile, 1, true);
  RECT outer{corner.X, corner.Y, last.x + kTileWidth + kGalleryFrameInset,
             last.y + kTileHeight + kGalleryFrameInset};
  fill(frame, outer, rgb);
  fill(frame, {outer.left + 2, outer.top + 2, outer.right - 2, outer.bottom - 2}, kPageColour);
}

void copy_picture(std::vector<uint32_t>& frame, const Canvas& picture, POINT at) {
  for (int32_t y = 0; y < kTileHeight; ++y)
    for (int32_t x = 0; x < kTileWidth; ++x)
      frame[size_t(at.y + y) * kBufferWidth + at.x + x] =
          DisplayColour(GetPixel(picture, x, y), picture.BitsPerPixel);
}

void draw_tile(Gallery& g, int tile) {
  TileOutcome& outcome = g.Outcomes[tile];
  // The compositing tiles go through the shared screen canvas and work
  // buffer, and are drawn at every presentation: drawn only on change, under
  // Wine they left gradient pixels over other tiles' frames while the
  // gallery animated.
  if (kGalleryCalls[tile].ScreenDepthOnly || g.Rendered[tile] != g.Parameters[tile]) {
    RenderTile(kGalleryCalls[tile], g.Parameters[tile], outcome);
    g.Rendered[tile] = g.Parameters[tile];
  }
  frame_tile(g.Frame, tile, TileFrameColour(outcome, tile == g.Selected));
  for (int depth = 0; depth < 2; ++depth) {
    if (!outcome.Drawn[depth]) continue;
    copy_picture(g.Frame, outcome.Fast[depth].Picture, picture_origin(tile, depth, false));
    copy_picture(g.Frame, outcome.Literal[depth].Picture, picture_origin(tile, depth, true));
  }
}

void text_at(HDC dc, int32_t x, int32_t y, const std::string& text, COLORREF colour) {
  SetTextColor(dc, colour);
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

std::string tile_label(int tile) {
  const TileParameters& p = gallery().Parameters[tile];
  return std::string(kGalleryCalls[tile].Name) + "  " + std::to_string(p.Size) + "  @" +
         std::to_string(p.ShiftX) + "," + std::to_string(p.ShiftY) + "  " +
         HexPixel(TileColour(p.ColourIndex), 32) +
         (tile == int(kGalleryCalls.size()) - 1 ? "  mode " + std::to_string(p.Mode) : "");
}

std::string count_label(const TileOutcome& outcome) {
  std::string text = "differing: 32 bpp " + std::to_string(outcome.Differing[0]);
  return text + (outcome.Drawn[1] ? ", 16 bpp " + std::to_string(outcome.Differing[1])
                                  : " (screen canvas only)");
}

void draw_texts(HDC dc, const std::string& status, uint32_t rate) {
  static HFONT small_font = CreateFontIndirectA(&SurfaceFont);
  HGDIOBJ font = SelectObject(dc, small_font);
  int mode = SetBkMode(dc, TRANSPARENT);
  const Gallery& g = gallery();
  for (size_t tile = 0; tile < g.Outcomes.size(); ++tile) {
    POINT cell = cell_origin(int(tile));
    text_at(dc, cell.x, cell.y, tile_label(int(tile)), kLabelColour);
    const TileOutcome& outcome = g.Outcomes[tile];
    text_at(dc, cell.x, cell.y + kCountTop, count_label(outcome),
            TileDiffers(outcome) ? kDifferColour : kLabelColour);
  }
  text_at(dc, 20, kLabHelpTop, kGalleryHelpLine, kLabelColour);
  text_at(dc, 20, kLabHelpTop + kLabLinePitch,
          "Each tile: library 32 bpp, literal 32 bpp, library 16 bpp, literal 16 bpp.  " +
              std::to_string(GalleryDifferingPixels()) + " differing pixels in all.  " +
              std::to_string(rate) + " presentations per second" +
              (g.Animating ? ", every tile changing each frame." : "."),
          kLabelColour);
  text_at(dc, 20, kLabStatusTop, status, kLabelColour);
  SetBkMode(dc, mode);
  SelectObject(dc, font);
}

TileParameters& selected() { return gallery().Parameters[gallery().Selected]; }

}  // namespace

bool GalleryHitAt(int32_t x, int32_t y, GalleryHit& hit) {
  for (int tile = 0; tile < int(kGalleryCalls.size()); ++tile)
    for (int picture = 0; picture < 4; ++picture) {
      POINT o = picture_origin(tile, picture / 2, picture % 2 == 1);
      if (x < o.x || y < o.y || x >= o.x + kTileWidth || y >= o.y + kTileHeight) continue;
      hit = {tile, picture / 2, picture % 2 == 1, x - o.x, y - o.y};
      return true;
    }
  return false;
}

std::string GalleryPixelReadout(const char* name, const TileOutcome& outcome,
                                const GalleryHit& hit) {
  std::string text = std::string(name) + (hit.Literal ? ", literal (" : ", library (") +
                     std::to_string(hit.X) + ", " + std::to_string(hit.Y) + "):";
  for (int depth = 0; depth < 2; ++depth) {
    if (!outcome.Drawn[depth]) continue;
    const TilePicture& picture = hit.Literal ? outcome.Literal[depth] : outcome.Fast[depth];
    text += (depth == 0 ? " " : ", ") + std::to_string(kTileDepths[depth]) + " bpp " +
            HexPixel(GetPixel(picture.Picture, hit.X, hit.Y), kTileDepths[depth]);
  }
  return text;
}

bool GalleryKey(WPARAM key) {
  Gallery& g = gallery();
  int count = int(kGalleryCalls.size());
  switch (key) {
    case VK_RIGHT: g.Selected = (g.Selected + 1) % count; return true;
    case VK_LEFT: g.Selected = (g.Selected + count - 1) % count; return true;
    case VK_UP: selected().Size = std::min(selected().Size + 1, 60); return true;
    case VK_DOWN: selected().Size = std::max(selected().Size - 1, 0); return true;
    case 'C': ++selected().ColourIndex; return true;
    case 'B': selected().Mode = (selected().Mode + 1) % 5; return true;
    case 'J': selected().ShiftX -= 4; return true;
    case 'L': selected().ShiftX += 4; return true;
    case 'I': selected().ShiftY -= 4; return true;
    case 'K': selected().ShiftY += 4; return true;
    case 'A': g.Animating = !g.Animating; return true;
    case 'R': g.Parameters.assign(g.Parameters.size(), TileParameters{}); return true;
    default: return false;
  }
}

void PresentGallery(const std::string& status, uint32_t presentations_per_second) {
  Gallery& g = gallery();
  if (g.Animating) animate(g);
  std::fill(g.Frame.begin(), g.Frame.end(), kPageColour);
  for (int tile = 0; tile < int(kGalleryCalls.size()); ++tile) draw_tile(g, tile);
  SetBitmapBits(BackBitmap, kPageBytes, g.Frame.data());
  draw_texts(BackDC, status, presentations_per_second);
}

std::string GalleryReadoutAt(POINT point) {
  GalleryHit hit{};
  if (!GalleryHitAt(point.x, point.y, hit)) return "";
  return GalleryPixelReadout(kGalleryCalls[hit.Tile].Name, gallery().Outcomes[hit.Tile], hit);
}

uint32_t GalleryDifferingPixels() {
  uint32_t total = 0;
  for (const TileOutcome& outcome : gallery().Outcomes)
    total += outcome.Differing[0] + outcome.Differing[1];
  return total;
}
