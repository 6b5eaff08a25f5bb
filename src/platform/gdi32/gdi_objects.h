// The GDI objects behind the handles, shared by the GDI, text, window and
// WGL files of the POSIX platform layer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shared/handles.h"

namespace posix {

// A 32-bit pixel store, 0x00RRGGBB per pixel as Windows lays out 32-bit
// BI_RGB pixels. A bottom-up bitmap keeps its bottom row first in memory.
struct Bitmap : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kBitmap;
  Bitmap() : HandleObject(kKind) {}
  ~Bitmap() override;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Returns row y counted from the top, whatever the memory order.
  uint32_t* row(int y) const {
    int stored = bottom_up ? height - 1 - y : y;
    return pixels + static_cast<size_t>(stored) * static_cast<size_t>(width);
  }
  size_t byte_count() const { return static_cast<size_t>(width) * height * 4; }

  int width = 0;
  int height = 0;
  bool bottom_up = false;
  bool is_dib = false;
  bool is_stock = false;
  uint32_t* pixels = nullptr;  // owned: released with the bitmap
  HDC selected_into = nullptr;
  bool delete_pending = false;  // deleted while selected: freed when deselected
};

// Allocates a zero-filled bitmap; null when the size is invalid or memory
// runs out.
std::unique_ptr<Bitmap> make_bitmap(int width, int height, bool bottom_up);
// Resizes a bitmap, keeping the pixels of the area both sizes share.
bool resize_bitmap(Bitmap& bitmap, int width, int height, uint32_t fill);

struct Font : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kFont;
  Font() : HandleObject(kKind) {}
  LOGFONTA logfont{};
  bool is_stock = false;
  int selections = 0;
  bool delete_pending = false;
};

struct Brush : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kBrush;
  Brush() : HandleObject(kKind) {}
  COLORREF colour = 0;
  bool is_null = false;
  bool is_stock = false;
};

enum class DcKind { kMemory, kWindow, kScreen };

struct DeviceContext : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kDeviceContext;
  DeviceContext() : HandleObject(kKind) {}
  DcKind dc_kind = DcKind::kMemory;
  HWND window = nullptr;
  HBITMAP bitmap = nullptr;
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  COLORREF text_colour = 0x000000;
  COLORREF background_colour = 0xFFFFFF;
  int background_mode = OPAQUE;
};

// Returns the bitmap that a device context draws into: the selected bitmap
// of a memory DC, the client framebuffer of a window DC; null otherwise.
Bitmap* target_bitmap(const DeviceContext& dc);
// Records that an area of a device context's pixels changed, so that a
// window shows it.
void note_drawn(const DeviceContext& dc, const RECT& area);
// Converts a colour reference 0x00BBGGRR into a pixel 0x00RRGGBB.
inline uint32_t pixel_of(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
inline COLORREF colour_of(uint32_t pixel) { return pixel_of(pixel); }

// The stock objects every new device context starts with.
HBITMAP stock_bitmap();
HFONT stock_font();
HBRUSH stock_brush(int index);

// Fills a rectangle of a bitmap (clipped to it) with one pixel value.
void fill_pixels(Bitmap& bitmap, RECT area, uint32_t pixel);

}  // namespace posix
