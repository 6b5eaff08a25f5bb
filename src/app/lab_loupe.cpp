#include "app/lab_loupe.h"

#include <algorithm>
#include <cstdio>

#include "app/lab_gallery.h"
#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"

namespace {

constexpr int32_t kSide = (2 * kLoupeReach + 1) * kLoupeScale;
constexpr COLORREF kEdgeColour = 0x00FFFFFF;
constexpr COLORREF kPointerColour = 0x0000FFFF;

bool on_frame(POINT p) { return p.x >= 0 && p.y >= 0 && p.x < kBufferWidth && p.y < kBufferHeight; }

void fill(HDC dc, RECT r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Beside the pointer, on whichever side leaves the box inside the window.
POINT box_origin(POINT p) {
  int32_t x = p.x + 16 + kSide < kLabWindowWidth ? p.x + 16 : p.x - 16 - kSide;
  int32_t y = p.y + 16 + kSide + 20 < kLabWindowHeight ? p.y + 16 : p.y - 16 - kSide - 20;
  return {std::max<int32_t>(x, 0), std::max<int32_t>(y, 0)};
}

void draw_magnified(HDC dc, const uint32_t* frame, POINT p, POINT box) {
  fill(dc, {box.x - 2, box.y - 2, box.x + kSide + 2, box.y + kSide + 2}, kEdgeColour);
  for (int32_t dy = -kLoupeReach; dy <= kLoupeReach; ++dy)
    for (int32_t dx = -kLoupeReach; dx <= kLoupeReach; ++dx) {
      POINT at{p.x + dx, p.y + dy};
      uint32_t rgb = on_frame(at) ? frame[size_t(at.y) * kBufferWidth + at.x] : 0;
      int32_t left = box.x + (dx + kLoupeReach) * kLoupeScale;
      int32_t top = box.y + (dy + kLoupeReach) * kLoupeScale;
      fill(dc, {left, top, left + kLoupeScale, top + kLoupeScale}, SwapRedAndBlue(rgb));
    }
  int32_t centre = kLoupeReach * kLoupeScale;
  RECT mark{box.x + centre, box.y + centre, box.x + centre + kLoupeScale, box.y + centre + 1};
  fill(dc, mark, kPointerColour);  // a line over the top of the pixel read
}

}  // namespace

std::string BackBufferReadout(const uint32_t* frame, POINT point) {
  char text[64];
  if (!on_frame(point)) {
    std::snprintf(text, sizeof(text), "(%d, %d) off the picture", int(point.x), int(point.y));
    return text;
  }
  std::snprintf(text, sizeof(text), "(%d, %d) 0x%08X", int(point.x), int(point.y),
                frame[size_t(point.y) * kBufferWidth + point.x]);
  return text;
}

void DrawLoupe(HDC dc, const uint32_t* frame, POINT point, const std::string& readout) {
  static HFONT font = CreateFontIndirectA(&SurfaceFont);
  POINT box = box_origin(point);
  if (frame != nullptr) draw_magnified(dc, frame, point, box);
  int32_t text_top = frame != nullptr ? box.y + kSide + 4 : box.y;
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, readout.c_str(), int(readout.size()), &size);
  int32_t left = std::min<int32_t>(box.x, kLabWindowWidth - size.cx - 4);
  fill(dc, {left - 2, text_top, left + size.cx + 2, text_top + size.cy + 2}, 0);
  COLORREF colour = SetTextColor(dc, kEdgeColour);
  int mode = SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, left, text_top + 1, readout.c_str(), int(readout.size()));
  SetBkMode(dc, mode);
  SetTextColor(dc, colour);
  SelectObject(dc, previous);
}
