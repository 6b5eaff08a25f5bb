// GDI in memory: device contexts, bitmaps and DIB sections, selection and
// deletion, blits and whole-bitmap transfers, brushes and single pixels.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/shared/unsupported.h"
#include "platform/user32/user_objects.h"

namespace posix {

Bitmap::~Bitmap() { std::free(pixels); }

std::unique_ptr<Bitmap> make_bitmap(int width, int height, bool bottom_up) {
  if (width <= 0 || height <= 0) return nullptr;
  // Like Win32, a bitmap whose bytes don't fit a signed 32-bit size fails.
  uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (count * 4 > static_cast<uint64_t>(INT32_MAX)) return nullptr;
  auto* pixels = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(count), 4));
  if (pixels == nullptr) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bottom_up = bottom_up;
  bitmap->pixels = pixels;
  return bitmap;
}

bool resize_bitmap(Bitmap& bitmap, int width, int height, uint32_t fill) {
  std::unique_ptr<Bitmap> fresh = make_bitmap(width, height, bitmap.bottom_up);
  if (!fresh) return false;
  fill_pixels(*fresh, RECT{0, 0, width, height}, fill);
  int shared_width = std::min(width, bitmap.width);
  for (int y = 0; y < std::min(height, bitmap.height); ++y)
    std::memcpy(fresh->row(y), bitmap.row(y), static_cast<size_t>(shared_width) * 4);
  std::swap(bitmap.pixels, fresh->pixels);
  bitmap.width = width;
  bitmap.height = height;
  return true;
}

void fill_pixels(Bitmap& bitmap, RECT area, uint32_t pixel) {
  int left = std::max<LONG>(area.left, 0), right = std::min<LONG>(area.right, bitmap.width);
  int top = std::max<LONG>(area.top, 0), bottom = std::min<LONG>(area.bottom, bitmap.height);
  for (int y = top; y < bottom; ++y) std::fill(bitmap.row(y) + left, bitmap.row(y) + right, pixel);
}

Bitmap* target_bitmap(const DeviceContext& dc) {
  if (dc.dc_kind == DcKind::kMemory) return find_as<Bitmap>(dc.bitmap);
  if (dc.dc_kind == DcKind::kWindow) {
    Window* window = find_window(dc.window);
    return window != nullptr ? &window->framebuffer : nullptr;
  }
  return nullptr;
}

void note_drawn(const DeviceContext& dc, const RECT& area) {
  if (dc.dc_kind != DcKind::kWindow) return;
  if (Window* window = find_window(dc.window)) mark_dirty(*window, &area);
}

HBITMAP stock_bitmap() {
  static HBITMAP handle = [] {
    std::unique_ptr<Bitmap> bitmap = make_bitmap(1, 1, false);
    bitmap->is_stock = true;
    return static_cast<HBITMAP>(add_handle(std::move(bitmap)));
  }();
  return handle;
}

HBRUSH stock_brush(int index) {
  static const COLORREF kColours[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000, 0};
  static HBRUSH handles[6] = {};
  if (index < WHITE_BRUSH || index > NULL_BRUSH) return nullptr;
  if (handles[index] == nullptr) {
    auto brush = std::make_unique<Brush>();
    brush->colour = kColours[index];
    brush->is_null = index == NULL_BRUSH;
    brush->is_stock = true;
    handles[index] = static_cast<HBRUSH>(add_handle(std::move(brush)));
  }
  return handles[index];
}

namespace {

DeviceContext* find_dc(HDC dc) { return find_as<DeviceContext>(dc); }

// Frees a bitmap or font whose deletion waited for it to be deselected.
void release_if_pending(HGDIOBJ object) {
  HandleObject* found = find_handle(object);
  if (found == nullptr) return;
  bool unused = false;
  if (found->kind == HandleKind::kBitmap) {
    auto* bitmap = static_cast<Bitmap*>(found);
    unused = bitmap->delete_pending && bitmap->selected_into == nullptr;
  } else if (found->kind == HandleKind::kFont) {
    auto* font = static_cast<Font*>(found);
    unused = font->delete_pending && font->selections == 0;
  }
  if (unused) remove_handle(object);
}

HGDIOBJ select_bitmap(DeviceContext& dc, Bitmap& bitmap) {
  if (dc.dc_kind != DcKind::kMemory) return nullptr;
  HGDIOBJ previous = dc.bitmap;
  if (previous == bitmap.handle) return previous;
  // A bitmap can be selected into one memory DC at a time; the stock one
  // into any number of them.
  if (!bitmap.is_stock && bitmap.selected_into != nullptr) return nullptr;
  if (Bitmap* old = find_as<Bitmap>(previous); old != nullptr && !old->is_stock)
    old->selected_into = nullptr;
  if (!bitmap.is_stock) bitmap.selected_into = static_cast<HDC>(dc.handle);
  dc.bitmap = static_cast<HBITMAP>(bitmap.handle);
  release_if_pending(previous);
  return previous;
}

HGDIOBJ select_font(DeviceContext& dc, Font& font) {
  HGDIOBJ previous = dc.font;
  if (previous == font.handle) return previous;
  ++font.selections;
  if (Font* old = find_as<Font>(previous)) --old->selections;
  dc.font = static_cast<HFONT>(font.handle);
  release_if_pending(previous);
  return previous;
}

HDC add_dc(DcKind kind, HWND window) {
  auto dc = std::make_unique<DeviceContext>();
  dc->dc_kind = kind;
  dc->window = window;
  dc->font = stock_font();
  dc->brush = stock_brush(WHITE_BRUSH);
  if (Font* font = find_as<Font>(dc->font)) ++font->selections;
  HDC handle = static_cast<HDC>(add_handle(std::move(dc)));
  if (kind == DcKind::kMemory) SelectObject(handle, stock_bitmap());
  return handle;
}

// Copies a row of a transfer, or a block of whole rows, in 128-byte blocks of
// plain vector moves.
// glibc's memcpy picks "rep movsb" for rows of a few kilobytes, which slows
// to 70-80% of a whole-page copy when the two sides' offsets within a cache
// line differ; the vector loop keeps a bottom-up page within a few per cent
// of one memcpy whatever the alignment. Built for AVX2 where the processor
// has it, for the baseline otherwise.
using Block = unsigned char __attribute__((vector_size(32)));

#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("avx2", "default")]]
#endif
void copy_row(unsigned char* to, const unsigned char* from, size_t length) {
  constexpr size_t kBlock = sizeof(Block);
  size_t done = 0;
  for (; done + 4 * kBlock <= length; done += 4 * kBlock) {
    Block a, b, c, d;
    std::memcpy(&a, from + done, kBlock);
    std::memcpy(&b, from + done + kBlock, kBlock);
    std::memcpy(&c, from + done + 2 * kBlock, kBlock);
    std::memcpy(&d, from + done + 3 * kBlock, kBlock);
    std::memcpy(to + done, &a, kBlock);
    std::memcpy(to + done + kBlock, &b, kBlock);
    std::memcpy(to + done + 2 * kBlock, &c, kBlock);
    std::memcpy(to + done + 3 * kBlock, &d, kBlock);
  }
  if (done < length) std::memcpy(to + done, from + done, length - done);
}

bool is_source_rop(DWORD rop) { return rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT; }

// Applies a raster operation to one run of pixels; only the operations
// whose result is defined by source and destination alone are supported.
// As on Windows, they act on all 32 bits of a pixel, its unused byte too.
void apply_rop(uint32_t* destination, const uint32_t* source, int count, DWORD rop) {
  switch (rop) {
    case SRCCOPY: std::memmove(destination, source, static_cast<size_t>(count) * 4); break;
    case BLACKNESS: std::fill(destination, destination + count, 0u); break;
    case WHITENESS: std::fill(destination, destination + count, 0xFFFFFFFFu); break;
    case DSTINVERT:
      for (int i = 0; i < count; ++i) destination[i] = ~destination[i];
      break;
    case NOTSRCCOPY:
      for (int i = 0; i < count; ++i) destination[i] = ~source[i];
      break;
    case SRCAND:
      for (int i = 0; i < count; ++i) destination[i] &= source[i];
      break;
    case SRCPAINT:
      for (int i = 0; i < count; ++i) destination[i] |= source[i];
      break;
    case SRCINVERT:
      for (int i = 0; i < count; ++i) destination[i] ^= source[i];
      break;
  }
}

bool is_supported_rop(DWORD rop) {
  switch (rop) {
    case SRCCOPY:
    case BLACKNESS:
    case WHITENESS:
    case DSTINVERT:
    case NOTSRCCOPY:
    case SRCAND:
    case SRCPAINT:
    case SRCINVERT: return true;
    default: return false;
  }
}

// 64-bit, so that no coordinates a caller passes can overflow while clipping.
struct BlitArea {
  int64_t x, y, source_x, source_y, width, height;
};

// Clips a blit to a bitmap's bounds on one side, moving the other side's
// origin along so the copied pixels keep their pairing.
void clip_to(BlitArea& area, int64_t& x, int64_t& y, int64_t& other_x, int64_t& other_y,
             const Bitmap& bitmap) {
  if (x < 0) {
    area.width += x;
    other_x -= x;
    x = 0;
  }
  if (y < 0) {
    area.height += y;
    other_y -= y;
    y = 0;
  }
  area.width = std::min<int64_t>(area.width, bitmap.width - x);
  area.height = std::min<int64_t>(area.height, bitmap.height - y);
}

// A negative extent runs from the origin pixel backwards, on both sides
// alike, so the picture is not mirrored.
void normalise_extents(BlitArea& area) {
  if (area.width < 0) {
    area.x += area.width + 1;
    area.source_x += area.width + 1;
    area.width = -area.width;
  }
  if (area.height < 0) {
    area.y += area.height + 1;
    area.source_y += area.height + 1;
    area.height = -area.height;
  }
}

// A plain copy between two bitmaps, which never overlap: rows go in the
// order they lie in the destination's memory (a bottom-up bitmap keeps its
// top row last), the order the prefetcher follows, and whole rows of two
// bitmaps of one width and orientation go as one block.
void copy_between(Bitmap& destination, const Bitmap& source, const BlitArea& area) {
  auto height = static_cast<int>(area.height);
  size_t length = static_cast<size_t>(area.width) * 4;
  int first = destination.bottom_up ? height - 1 : 0, step = destination.bottom_up ? -1 : 1;
  auto bytes_at = [&](const Bitmap& bitmap, int64_t y, int64_t x) {
    return reinterpret_cast<unsigned char*>(bitmap.row(static_cast<int>(y)) + x);
  };
  if (area.width == destination.width && area.width == source.width &&
      destination.bottom_up == source.bottom_up) {
    copy_row(bytes_at(destination, area.y + first, 0), bytes_at(source, area.source_y + first, 0),
             length * static_cast<size_t>(height));
    return;
  }
  for (int i = 0, row = first; i < height; ++i, row += step)
    copy_row(bytes_at(destination, area.y + row, area.x),
             bytes_at(source, area.source_y + row, area.source_x), length);
}

// Copies row by row in the order that keeps an overlapping copy within one
// bitmap correct: bottom-up when the destination lies below the source.
void blit_rows(Bitmap& destination, const Bitmap* source, const BlitArea& area, DWORD rop) {
  if (rop == SRCCOPY && source != nullptr && source != &destination)
    return copy_between(destination, *source, area);
  bool upwards = source == &destination && area.y > area.source_y;
  int height = static_cast<int>(area.height);
  for (int i = 0; i < height; ++i) {
    int row = upwards ? height - 1 - i : i;
    uint32_t* to = destination.row(static_cast<int>(area.y) + row) + area.x;
    const uint32_t* from =
        source ? source->row(static_cast<int>(area.source_y) + row) + area.source_x : nullptr;
    apply_rop(to, from, static_cast<int>(area.width), rop);
  }
}

}  // namespace
}  // namespace posix

using namespace posix;

HDC CreateCompatibleDC(HDC reference) {
  if (reference != nullptr && find_dc(reference) == nullptr) return nullptr;
  return add_dc(DcKind::kMemory, nullptr);
}

BOOL DeleteDC(HDC handle) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr) return FALSE;
  if (dc->dc_kind == DcKind::kWindow) return FALSE;  // window DCs go back with ReleaseDC
  SelectObject(handle, stock_bitmap());
  SelectObject(handle, stock_font());
  remove_handle(handle);
  return TRUE;
}

// A DC that is not one fails with ERROR_INVALID_HANDLE; an object that is
// not one fails without an error, as under Wine.
HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  HandleObject* found = find_handle(object);
  if (found == nullptr) return nullptr;
  switch (found->kind) {
    case HandleKind::kBitmap: {
      auto* bitmap = static_cast<Bitmap*>(found);
      return bitmap->delete_pending ? nullptr : select_bitmap(*dc, *bitmap);
    }
    case HandleKind::kFont: {
      auto* font = static_cast<Font*>(found);
      return font->delete_pending ? nullptr : select_font(*dc, *font);
    }
    case HandleKind::kBrush: {
      HGDIOBJ previous = dc->brush;
      dc->brush = static_cast<HBRUSH>(object);
      return previous;
    }
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->dc_kind == DcKind::kMemory ? dc->bitmap : nullptr;
    case OBJ_FONT: return dc->font;
    case OBJ_BRUSH: return dc->brush;
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ object) {
  HandleObject* found = find_handle(object);
  if (found == nullptr) return FALSE;
  switch (found->kind) {
    case HandleKind::kBitmap: {
      auto* bitmap = static_cast<Bitmap*>(found);
      if (bitmap->is_stock) return TRUE;
      // As on Windows, an object still selected is freed once deselected.
      bitmap->delete_pending = true;
      release_if_pending(object);
      return TRUE;
    }
    case HandleKind::kFont: {
      auto* font = static_cast<Font*>(found);
      if (font->is_stock) return TRUE;
      font->delete_pending = true;
      release_if_pending(object);
      return TRUE;
    }
    case HandleKind::kBrush:
      if (!static_cast<Brush*>(found)->is_stock) remove_handle(object);
      return TRUE;
    default: return FALSE;
  }
}

HGDIOBJ GetStockObject(int index) {
  if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) return stock_font();
  return stock_brush(index);
}

DWORD GetObjectType(HGDIOBJ object) {
  HandleObject* found = find_handle(object);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (found->kind) {
    case HandleKind::kBitmap: return OBJ_BITMAP;
    case HandleKind::kFont: return OBJ_FONT;
    case HandleKind::kBrush: return OBJ_BRUSH;
    case HandleKind::kDeviceContext:
      return static_cast<DeviceContext*>(found)->dc_kind == DcKind::kMemory ? OBJ_MEMDC : OBJ_DC;
    default: return 0;
  }
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  HandleObject* found = find_handle(object);
  if (found == nullptr) return 0;
  if (found->kind == HandleKind::kBitmap) {
    auto* bitmap = static_cast<Bitmap*>(found);
    // The stock bitmap is Windows' 1 x 1 monochrome one (rows of a word).
    BITMAP info{0,
                bitmap->width,
                bitmap->height,
                bitmap->is_stock ? 2 : bitmap->width * 4,
                1,
                static_cast<WORD>(bitmap->is_stock ? 1 : 32),
                bitmap->is_dib ? bitmap->pixels : nullptr};
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    std::memcpy(buffer, &info, sizeof(BITMAP));
    return sizeof(BITMAP);
  }
  if (found->kind == HandleKind::kFont) {
    if (buffer == nullptr) return sizeof(LOGFONTA);
    int copied = std::min<int>(size, sizeof(LOGFONTA));
    if (copied <= 0) return 0;
    std::memcpy(buffer, &static_cast<Font*>(found)->logfont, static_cast<size_t>(copied));
    return copied;
  }
  return 0;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  // Only the 32-bit uncompressed layout the system draws in is provided.
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount != 32 ||
      header.biCompression != BI_RGB || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biHeight == 0 || header.biHeight == INT32_MIN)
    return nullptr;
  bool bottom_up = header.biHeight > 0;
  std::unique_ptr<Bitmap> bitmap =
      make_bitmap(header.biWidth, bottom_up ? header.biHeight : -header.biHeight, bottom_up);
  if (!bitmap) return nullptr;
  bitmap->is_dib = true;
  if (bits != nullptr) *bits = bitmap->pixels;
  return static_cast<HBITMAP>(add_handle(std::move(bitmap)));
}

// A bitmap of no pixels is the stock 1 x 1 one, as on Windows. Monochrome
// bitmaps are not provided: a memory DC still holding the stock bitmap,
// from which Windows would make one, is refused.
HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height) {
  DeviceContext* dc = find_dc(reference);
  if (dc == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (width == 0 || height == 0) return stock_bitmap();
  if (dc->dc_kind == DcKind::kMemory && dc->bitmap == stock_bitmap()) {
    report_unsupported("CreateCompatibleBitmap",
                       "a monochrome bitmap (memory DC without a bitmap)");
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  // A DC holding a DIB section makes DIB sections (bottom-up, as a
  // BITMAPINFO of positive height lays them out); any other makes a bitmap
  // of the device's own, top-down, layout.
  Bitmap* held = dc->dc_kind == DcKind::kMemory ? target_bitmap(*dc) : nullptr;
  bool dib = held != nullptr && held->is_dib;
  std::unique_ptr<Bitmap> bitmap = make_bitmap(width, height, dib);
  if (!bitmap) return nullptr;
  bitmap->is_dib = dib;
  return static_cast<HBITMAP>(add_handle(std::move(bitmap)));
}

BOOL BitBlt(HDC destination_dc, int x, int y, int width, int height, HDC source_dc, int source_x,
            int source_y, DWORD rop) {
  DeviceContext* destination = find_dc(destination_dc);
  if (destination == nullptr || !is_supported_rop(rop)) return FALSE;
  Bitmap* to = target_bitmap(*destination);
  const Bitmap* from = nullptr;
  if (is_source_rop(rop)) {
    DeviceContext* source = find_dc(source_dc);
    if (source == nullptr) return FALSE;
    from = target_bitmap(*source);
    if (from == nullptr) return FALSE;
  }
  if (to == nullptr) return FALSE;
  BlitArea area{x, y, source_x, source_y, width, height};
  normalise_extents(area);
  if (from != nullptr) clip_to(area, area.source_x, area.source_y, area.x, area.y, *from);
  clip_to(area, area.x, area.y, area.source_x, area.source_y, *to);
  if (area.width <= 0 || area.height <= 0) return TRUE;
  blit_rows(*to, from, area, rop);
  note_drawn(*destination,
             RECT{static_cast<LONG>(area.x), static_cast<LONG>(area.y),
                  static_cast<LONG>(area.x + area.width), static_cast<LONG>(area.y + area.height)});
  return TRUE;
}

// Rows travel top-down whatever the DIB's orientation, 4 bytes a pixel; a
// count beyond the bitmap is cut to its size and a partial last row goes as
// far as the bytes do. Both return the bytes moved.
namespace posix {
namespace {

enum class Direction { kIntoBitmap, OutOfBitmap };

LONG transfer_bits(Bitmap& bitmap, size_t count, unsigned char* outside, Direction direction) {
  size_t total = std::min(count, bitmap.byte_count());
  size_t row_bytes = static_cast<size_t>(bitmap.width) * 4;
  for (size_t done = 0, y = 0; done < total; done += row_bytes, ++y) {
    auto* row = reinterpret_cast<unsigned char*>(bitmap.row(static_cast<int>(y)));
    size_t length = std::min(row_bytes, total - done);
    if (direction == Direction::kIntoBitmap)
      copy_row(row, outside + done, length);
    else
      copy_row(outside + done, row, length);
  }
  return static_cast<LONG>(total);
}

}  // namespace
}  // namespace posix

LONG SetBitmapBits(HBITMAP handle, DWORD count, const void* bits) {
  Bitmap* bitmap = find_as<Bitmap>(handle);
  if (bitmap == nullptr || bits == nullptr) return 0;
  LONG moved = transfer_bits(*bitmap, count, static_cast<unsigned char*>(const_cast<void*>(bits)),
                             Direction::kIntoBitmap);
  return moved;
}

// A null buffer asks for the bitmap's size in bytes.
LONG GetBitmapBits(HBITMAP handle, LONG count, LPVOID bits) {
  Bitmap* bitmap = find_as<Bitmap>(handle);
  if (bitmap == nullptr) return 0;
  if (bits == nullptr) return static_cast<LONG>(bitmap->byte_count());
  if (count <= 0) return 0;
  return transfer_bits(*bitmap, static_cast<size_t>(count), static_cast<unsigned char*>(bits),
                       Direction::OutOfBitmap);
}

COLORREF GetPixel(HDC handle, int x, int y) {
  DeviceContext* dc = find_dc(handle);
  Bitmap* bitmap = dc ? target_bitmap(*dc) : nullptr;
  if (bitmap == nullptr || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
    return CLR_INVALID;
  return colour_of(bitmap->row(y)[x] & 0xFFFFFF);
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
  DeviceContext* dc = find_dc(handle);
  Bitmap* bitmap = dc ? target_bitmap(*dc) : nullptr;
  if (bitmap == nullptr || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
    return static_cast<COLORREF>(-1);
  bitmap->row(y)[x] = pixel_of(colour);
  note_drawn(*dc, RECT{x, y, x + 1, y + 1});
  return colour & 0xFFFFFF;
}

BOOL GdiFlush() { return TRUE; }

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto brush = std::make_unique<Brush>();
  brush->colour = colour & 0xFFFFFF;
  return static_cast<HBRUSH>(add_handle(std::move(brush)));
}

// Brushes of value 1 to 31 stand for the system colour of index value − 1.
int FillRect(HDC handle, const RECT* rect, HBRUSH brush_handle) {
  DeviceContext* dc = find_dc(handle);
  Bitmap* bitmap = dc ? target_bitmap(*dc) : nullptr;
  if (bitmap == nullptr || rect == nullptr) return 0;
  COLORREF colour = 0;
  auto value = reinterpret_cast<uintptr_t>(brush_handle);
  if (value >= 1 && value <= 31) {
    colour = GetSysColor(static_cast<int>(value - 1));
  } else if (Brush* brush = find_as<Brush>(brush_handle)) {
    if (brush->is_null) return 1;
    colour = brush->colour;
  } else {
    return 0;
  }
  fill_pixels(*bitmap, *rect, pixel_of(colour));
  note_drawn(*dc, *rect);
  return 1;
}
