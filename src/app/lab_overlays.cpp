#include "app/lab_overlays.h"

#include <cstring>

#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "layers/diagnostic_overlays.h"
#include "layers/layer_table.h"

namespace {

constexpr COLORREF kHelpTextColour = 0x00FFFFFF;
constexpr int32_t kInfoLeft = 20;
constexpr int32_t kInfoTop = 420;

// Where the overlays fall in layer mode; no layer of the Lab lies there.
constexpr RECT kOverlayAreas[] = {
    {115, 95, 250, 255},                                            // frame-rate rows
    {kInfoLeft, kInfoTop, 250, kInfoTop + 80},                      // selected layer
    {0, kLabHelpTop, kBufferWidth, kLabStatusTop + kLabLinePitch},  // help and status
};

Surface* kept_background = nullptr;
HFONT help_font = nullptr;

void restore_overlay_areas() {
  if (kept_background == nullptr || kept_background == kNoSurface) return;
  for (const RECT& area : kOverlayAreas)
    BitBlt(BackDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
           SurfaceDC(kept_background), area.left, area.top, SRCCOPY);
}

// DrawFpsHistory shifts what it is given, so it gets a copy one entry behind
// with the newest value to append: the history it prints is the Lab's own.
void draw_fps_history(HDC dc, const uint32_t* history) {
  uint32_t shown[10] = {};
  std::memcpy(shown + 1, history, sizeof(uint32_t) * 9);
  DrawFpsHistory(dc, shown, history[9]);
}

// The help and status lines in white in the surfaces' font; the DC's own
// font and colour are put back for the system's overlays.
void draw_help(HDC dc, const LabOverlayText& text) {
  HGDIOBJ font = SelectObject(dc, help_font);
  COLORREF colour = SetTextColor(dc, kHelpTextColour);
  int mode = SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < text.HelpLineCount; ++i)
    TextOutA(dc, 20, kLabHelpTop + i * kLabLinePitch, text.HelpLines[i],
             static_cast<int>(std::strlen(text.HelpLines[i])));
  TextOutA(dc, 20, kLabStatusTop, text.Status->c_str(), static_cast<int>(text.Status->size()));
  SetBkMode(dc, mode);
  SetTextColor(dc, colour);
  SelectObject(dc, font);
}

// Over the scene every overlay is white on what lies beneath, like the help.
void style_window_text(HDC dc) {
  SelectObject(dc, help_font);
  SetTextColor(dc, kHelpTextColour);
  SetBkMode(dc, TRANSPARENT);
}

}  // namespace

void KeepOverlayBackground(HWND window) {
  if (kept_background == nullptr) {
    kept_background = CreateSurface(window, 0, 0, kBufferWidth, kBufferHeight);
    help_font = CreateFontIndirectA(&SurfaceFont);
  }
  if (kept_background != kNoSurface)
    BitBlt(SurfaceDC(kept_background), 0, 0, kBufferWidth, kBufferHeight, BackDC, 0, 0, SRCCOPY);
}

void DrawLabOverlays(HDC dc, const LabOverlayText& text) {
  bool into_back_buffer = dc == BackDC;
  if (into_back_buffer) restore_overlay_areas();
  if (!into_back_buffer) style_window_text(dc);
  draw_fps_history(dc, text.FpsHistory);
  draw_help(dc, text);
  if (into_back_buffer && SelectedLayer >= 0) DrawLayerInfo(SelectedLayer, kInfoLeft, kInfoTop);
}
