#include "app/lab_pages.h"

#include <vector>

#include "app/lab_loupe.h"
#include "app/lab_page_bmp.h"
#include "app/lab_page_gallery.h"
#include "app/lab_page_geometry.h"
#include "app/lab_page_tools.h"
#include "app/lab_page_words.h"
#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "display/window_state.h"
#include "layers/layer_window.h"

const LabPageInfo kLabPages[kLabPageCount] = {
    {LabPage::Layers, "layers", VK_F1 + 0,
     "Layers: hover, Up/Down/Left/Right, right button for the 3D scene (A/D W/S Z/X).", true},
    {LabPage::Gallery, "gallery", VK_F1 + 1, kGalleryHelpLine, true},
    {LabPage::Bmp, "bmp", VK_F1 + 2, kBmpHelpLine, true},
    {LabPage::Geometry, "geometry", VK_F1 + 3, kGeometryHelpLine, true},
    {LabPage::Words, "words", VK_F1 + 4, kWordsHelpLine, true},
    {LabPage::Tools, "tools", VK_F1 + 5, kToolsHelpLine, true},
    {LabPage::Keys, "keys", VK_F1 + 6, "Keys: every page's keys.", true},
};

LabPage CurrentLabPage = LabPage::Layers;

const LabPageInfo& PageInfo(LabPage page) { return kLabPages[static_cast<int>(page)]; }

const LabPageInfo* FindPageNamed(const std::string& name) {
  for (const LabPageInfo& page : kLabPages)
    if (name == page.Name) return &page;
  return nullptr;
}

const LabPageInfo* FindPageForKey(WPARAM key) {
  for (const LabPageInfo& page : kLabPages)
    if (key == page.Key) return &page;
  return nullptr;
}

std::string PageNameList() {
  std::string list;
  for (const LabPageInfo& page : kLabPages)
    list += (list.empty() ? "" : ", ") + std::string(page.Name);
  return list;
}

namespace {

// "F2": appended to, not built by "F" + ..., which GCC 12 misreads as an
// overlapping copy (-Wrestrict).
std::string key_name(const LabPageInfo& page) {
  std::string name = "F";
  name += std::to_string(page.Key - VK_F1 + 1);
  return name;
}

}  // namespace

std::string PageBarLine(LabPage current) {
  std::string line;
  for (const LabPageInfo& page : kLabPages) {
    std::string name = key_name(page) + " " + page.Name;
    line += page.Page == current ? "[" + name + "]  " : name + "  ";
  }
  return line + "F8 loupe";
}

namespace {

constexpr int32_t kPageBarTop = kLabStatusTop + kLabLinePitch;
constexpr uint32_t kPlainPageColour = 0x202830;

bool loupe_shown = false;
POINT pointer{};

HFONT page_font() {
  static HFONT font = CreateFontIndirectA(&SurfaceFont);
  return font;
}

void text_line(HDC dc, int32_t y, const std::string& text) {
  TextOutA(dc, 20, y, text.c_str(), static_cast<int>(text.size()));
}

// The keys page lists every page's help; a page not built says so.
void draw_plain_page(const std::string& status) {
  static const std::vector<uint32_t> frame(kPageBytes / 4, kPlainPageColour);
  SetBitmapBits(BackBitmap, kPageBytes, frame.data());
  HGDIOBJ font = SelectObject(BackDC, page_font());
  COLORREF colour = SetTextColor(BackDC, 0x00FFFFFF);
  int mode = SetBkMode(BackDC, TRANSPARENT);
  const LabPageInfo& page = PageInfo(CurrentLabPage);
  if (CurrentLabPage == LabPage::Keys) {
    int32_t y = 20;
    for (const LabPageInfo& each : kLabPages) {
      text_line(BackDC, y,
                key_name(each) + "  " + each.Name + (each.Built ? "" : " (not built yet)"));
      text_line(BackDC, y + kLabLinePitch, std::string("    ") + each.HelpLine);
      y += 2 * kLabLinePitch + 6;
    }
    text_line(BackDC, y,
              "F8  the pixel loupe on every page.  P: play load.wav.  M: play it "
              "through MCI.");
  } else {
    text_line(BackDC, 20, std::string("The ") + page.Name + " page is not built yet.");
  }
  text_line(BackDC, kLabHelpTop, page.HelpLine);
  text_line(BackDC, kLabStatusTop, status);
  SetBkMode(BackDC, mode);
  SetTextColor(BackDC, colour);
  SelectObject(BackDC, font);
}

// The other pages draw into the back buffer and show it as layer mode does:
// the layers page's mode is kept while they are shown and given back, with
// a repaint of the layers over what the page drew.
int32_t layers_display_mode = 0;

void switch_to(HWND window, LabPage page) {
  bool leaving_layers = CurrentLabPage == LabPage::Layers && page != LabPage::Layers;
  bool back_to_layers = CurrentLabPage != LabPage::Layers && page == LabPage::Layers;
  if (leaving_layers) layers_display_mode = DisplayMode, DisplayMode = 0;
  CurrentLabPage = page;
  if (!back_to_layers) return;
  DisplayMode = layers_display_mode;
  SendMessageA(window, kRepaintRequest, 0, kRepaint);
}

bool is_button(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
         message == WM_RBUTTONUP;
}

// While the loupe is shown, the title bar repeats its readout, where it can
// be read (or copied by the desktop's tools) without the box in the way.
void show_in_title(const std::string& readout) {
  static std::string shown;
  if (readout == shown) return;
  shown = readout;
  std::string title = kLabWindowTitle;
  SetWindowTextA(LabWindow, readout.empty() ? title.c_str() : (title + ": " + readout).c_str());
}

bool is_sound_key(WPARAM key) { return key == 'P' || key == 'M'; }

bool page_takes_key(HWND window, WPARAM key) {
  if (const LabPageInfo* page = FindPageForKey(key)) {
    switch_to(window, page->Page);
    return true;
  }
  if (key == kLabLoupeKey) {
    loupe_shown = !loupe_shown;
    if (!loupe_shown) show_in_title("");
    return true;
  }
  // On the words page P and M are typed into the search.
  bool typing = CurrentLabPage == LabPage::Words;
  if (CurrentLabPage == LabPage::Layers || (is_sound_key(key) && !typing)) return false;
  if (CurrentLabPage == LabPage::Gallery) GalleryKey(key);
  if (CurrentLabPage == LabPage::Geometry) GeometryKey(key);
  if (CurrentLabPage == LabPage::Bmp) BmpKey(key);
  if (CurrentLabPage == LabPage::Words) WordsKey(key);
  if (CurrentLabPage == LabPage::Tools) ToolsKey(window, key);
  return true;  // the other pages' keys never reach the layers
}

void draw_page_bar(HDC dc) {
  RECT bar{0, kPageBarTop, kBufferWidth, kPageBarTop + kLabLinePitch};
  HBRUSH brush = CreateSolidBrush(0x00302010);
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
  HGDIOBJ font = SelectObject(dc, page_font());
  COLORREF colour = SetTextColor(dc, 0x0080FFFF);
  int mode = SetBkMode(dc, TRANSPARENT);
  text_line(dc, kPageBarTop + 2, PageBarLine(CurrentLabPage));
  SetBkMode(dc, mode);
  SetTextColor(dc, colour);
  SelectObject(dc, font);
}

// The loupe magnifies the back buffer as it was shown; the 3D scene is drawn
// by OpenGL onto the window, where there is nothing to read.
void draw_loupe(HDC dc) {
  if (CurrentLabPage == LabPage::Layers && DisplayMode != 0) {
    DrawLoupe(dc, nullptr, pointer, "The loupe reads the layers and the pages, not the 3D scene.");
    show_in_title("");
    return;
  }
  static std::vector<uint32_t> frame(kPageBytes / 4);
  GetBitmapBits(BackBitmap, kPageBytes, frame.data());
  std::string readout = CurrentLabPage == LabPage::Gallery ? GalleryReadoutAt(pointer) : "";
  if (readout.empty()) readout = BackBufferReadout(frame.data(), pointer);
  DrawLoupe(dc, frame.data(), pointer, readout);
  show_in_title(readout);
}

}  // namespace

bool LabPageTakes(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  if (message == WM_MOUSEMOVE) {
    pointer = {static_cast<int16_t>(lparam & 0xFFFF),
               static_cast<int16_t>((lparam >> 16) & 0xFFFF)};
    if (CurrentLabPage == LabPage::Geometry) GeometryPointer(wparam, pointer);
    return CurrentLabPage != LabPage::Layers;
  }
  if (message == WM_KEYDOWN) return page_takes_key(window, wparam);
  return CurrentLabPage != LabPage::Layers && is_button(message);
}

bool PresentLabPage(HWND window, const std::string& status, const uint32_t* fps_history) {
  if (CurrentLabPage == LabPage::Layers) return false;
  if (CurrentLabPage == LabPage::Gallery)
    PresentGallery(status, fps_history[9]);
  else if (CurrentLabPage == LabPage::Geometry)
    PresentGeometry(status);
  else if (CurrentLabPage == LabPage::Bmp)
    PresentBmp(status);
  else if (CurrentLabPage == LabPage::Words)
    PresentWords(status);
  else if (CurrentLabPage == LabPage::Tools)
    PresentTools(status);
  else
    draw_plain_page(status);
  draw_page_bar(BackDC);
  BitBlt(WindowDC, 0, 0, kBufferWidth, kBufferHeight, BackDC, 0, 0, SRCCOPY);
  if (loupe_shown) draw_loupe(WindowDC);
  return true;
}

void DrawPageBar(HDC dc) { draw_page_bar(dc); }

void DrawLabLoupe() {
  if (loupe_shown) draw_loupe(WindowDC);
}
