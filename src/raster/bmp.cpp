#include "raster/bmp.h"

#include <algorithm>
#include <cstddef>

#include "host/file_helpers.h"
#include "platform/win32.h"

namespace {

constexpr uint32_t kDrawnBitsPerPixel = 24;
constexpr uint32_t kWidthOffset = 18;
constexpr uint32_t kHeightOffset = 22;
constexpr uint32_t kBitsPerPixelOffset = 28;

enum class BlitMode { kCopy, kAverage };

struct BmpLayout {
  uint32_t width;
  uint32_t height;
  uint32_t bits_per_pixel;
  uint32_t stride;  // bytes per stored row: 3 per pixel, padded to a multiple of 4
};

uint32_t read_u16(const uint8_t* bytes, uint32_t offset) {
  return bytes[offset] | static_cast<uint32_t>(bytes[offset + 1]) << 8;
}

// Width and height are the low 16 bits of their fields, read unsigned.
BmpLayout layout_of(const uint8_t* header) {
  uint32_t width = read_u16(header, kWidthOffset);
  return {width, read_u16(header, kHeightOffset), read_u16(header, kBitsPerPixelOffset),
          (width * 3 + 3) & ~3u};
}

// The stored rows whose pixels were all read (the last one may lack its fill
// bytes). A row cut short is not drawn: its missing pixels would be invented.
uint32_t rows_present(const BmpLayout& layout, uint32_t byte_count) {
  uint32_t row_pixels = layout.width * 3;
  if (row_pixels == 0 || byte_count < kBmpHeaderSize + row_pixels) return 0;
  return std::min(layout.height, (byte_count - kBmpHeaderSize - row_pixels) / layout.stride + 1);
}

// Coordinates wrap around like 32-bit registers rather than overflow, so an
// image placed near the end of the coordinate range is still well defined.
int32_t offset_coordinate(int32_t base, uint32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(base) + offset);
}

// True when every pixel of a row of width pixels from (x, y) lies on the
// canvas, so that none is redirected and the cells can be stored directly.
bool row_inside(const Canvas& canvas, int32_t x, int32_t y, uint32_t width) {
  bool known_depth = canvas.BitsPerPixel == 16 || canvas.BitsPerPixel == 32;
  return known_depth && static_cast<uint32_t>(y) < canvas.Height &&
         uint64_t{static_cast<uint32_t>(x)} + width <= canvas.Width;
}

template <typename Cell>
Cell* cells_at(const Canvas& canvas, int32_t x, int32_t y) {
  return static_cast<Cell*>(canvas.Pixels) +
         static_cast<size_t>(static_cast<uint32_t>(y)) * canvas.Width + static_cast<uint32_t>(x);
}

uint32_t load_u32(const uint8_t* bytes) {
  return bytes[0] | static_cast<uint32_t>(bytes[1]) << 8 | static_cast<uint32_t>(bytes[2]) << 16 |
         static_cast<uint32_t>(bytes[3]) << 24;
}

// Hands each pixel of a stored row to store as 0x00RRGGBB, the packed 32-bit
// colour. Pixels are stored blue, green, red, so four of them are the twelve
// bytes of three little-endian words, read with three loads.
template <typename Store>
void for_each_pixel(const uint8_t* row, uint32_t width, Store store) {
  uint32_t c = 0;
  for (; c + 4 <= width; c += 4, row += 12) {
    uint32_t w0 = load_u32(row), w1 = load_u32(row + 4), w2 = load_u32(row + 8);
    store(c, w0 & 0xFFFFFFu);
    store(c + 1, w0 >> 24 | (w1 & 0xFFFFu) << 8);
    store(c + 2, w1 >> 16 | (w2 & 0xFFu) << 16);
    store(c + 3, w2 >> 8);
  }
  for (; c < width; ++c, row += 3) store(c, row[0] | row[1] << 8 | row[2] << 16);
}

// PackColour at 16 bits of a packed 32-bit colour: the top five bits of each
// component, green at bits 10..6.
uint16_t pack_16(uint32_t rgb) {
  return static_cast<uint16_t>((rgb >> 8 & 0xF800u) | (rgb >> 5 & 0x07C0u) | (rgb >> 3 & 0x1Fu));
}

// BlendPixel's average at 32 bits, all three components at once: each byte
// of the result is (s + d) / 2 truncated; bits 31..24 of the pixel are
// ignored and come out clear.
uint32_t average_32(uint32_t source, uint32_t pixel) {
  return ((source >> 1) & 0x7F7F7Fu) + ((pixel >> 1) & 0x7F7F7Fu) + (source & pixel & 0x010101u);
}

// BlendPixel's average at 16 bits. The pixel's blue is unpacked from six
// bits (up to 504), so its average can pass 255 and keeps its low 8 bits.
uint16_t average_16(uint32_t rgb, uint16_t pixel) {
  uint32_t red = ((rgb >> 16 & 0xF8u) + (pixel >> 11) * 8) >> 1;
  uint32_t green = ((rgb >> 8 & 0xF8u) + ((pixel >> 6) & 0x1Fu) * 8) >> 1;
  uint32_t blue = (((rgb & 0xF8u) + (pixel & 0x3Fu) * 8) >> 1) & 0xFFu;
  return static_cast<uint16_t>((red >> 3) << 11 | (green >> 3) << 6 | blue >> 3);
}

template <BlitMode mode>
void store_row_32(const uint8_t* row, uint32_t width, uint32_t* cells) {
  for_each_pixel(row, width, [cells](uint32_t c, uint32_t rgb) {
    cells[c] = mode == BlitMode::kCopy ? rgb : average_32(rgb, cells[c]);
  });
}

template <BlitMode mode>
void store_row_16(const uint8_t* row, uint32_t width, uint16_t* cells) {
  for_each_pixel(row, width, [cells](uint32_t c, uint32_t rgb) {
    cells[c] = mode == BlitMode::kCopy ? pack_16(rgb) : average_16(rgb, cells[c]);
  });
}

// A row wholly on the canvas: cells stored in the order PutPixel would write
// them, with the same values.
template <BlitMode mode>
void store_row_inside(const uint8_t* row, uint32_t width, const Canvas& canvas, int32_t x,
                      int32_t y) {
  if (canvas.BitsPerPixel == 32)
    store_row_32<mode>(row, width, cells_at<uint32_t>(canvas, x, y));
  else
    store_row_16<mode>(row, width, cells_at<uint16_t>(canvas, x, y));
}

// A row that reaches off the canvas goes pixel by pixel, so that each pixel
// outside lands on (0, 0) in its turn.
template <BlitMode mode>
void put_row_per_pixel(const uint8_t* row, uint32_t width, const Canvas& canvas, int32_t x,
                       int32_t y) {
  for (uint32_t c = 0; c < width; ++c, row += 3) {
    int32_t column = offset_coordinate(x, c);
    uint32_t colour = PackColour(row[2], row[1], row[0], canvas.BitsPerPixel);
    if (mode == BlitMode::kAverage) colour = BlendPixel(canvas, column, y, colour, kBlendAverage);
    PutPixel(canvas, column, y, colour);
  }
}

// Bottom stored row first, onto canvas rows y + height down to y + 1.
template <BlitMode mode>
void blit_bmp_bytes(const uint8_t* bytes, uint32_t byte_count, const Canvas& canvas, int32_t x,
                    int32_t y) {
  if (byte_count < kBmpHeaderSize) return;
  BmpLayout layout = layout_of(bytes);
  if (layout.bits_per_pixel != kDrawnBitsPerPixel) return;
  uint32_t rows = rows_present(layout, byte_count);
  const uint8_t* row = bytes + kBmpHeaderSize;
  for (uint32_t r = 0; r < rows; ++r, row += layout.stride) {
    int32_t row_y = offset_coordinate(y, layout.height - r);
    if (row_inside(canvas, x, row_y, layout.width))
      store_row_inside<mode>(row, layout.width, canvas, x, row_y);
    else
      put_row_per_pixel<mode>(row, layout.width, canvas, x, row_y);
  }
}

// The bytes to read: header and pixel data, but never more than the buffer.
DWORD read_size(const uint8_t (&header)[kBmpHeaderSize], uint64_t buffer_size) {
  BmpLayout layout = layout_of(header);
  uint64_t file_size = kBmpHeaderSize + uint64_t{layout.height} * layout.stride;
  return static_cast<DWORD>(std::min(file_size, buffer_size));
}

}  // namespace

uint32_t ReadBmpHeader(uint8_t (&header)[kBmpHeaderSize], const char* file_name) {
  DWORD bytes_read = 0;
  return ReadWholeFile(header, file_name, &bytes_read, kBmpHeaderSize);
}

void draw_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas, int32_t x,
                    int32_t y) {
  blit_bmp_bytes<BlitMode::kCopy>(file_bytes, byte_count, canvas, x, y);
}

void blend_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas,
                     int32_t x, int32_t y) {
  blit_bmp_bytes<BlitMode::kAverage>(file_bytes, byte_count, canvas, x, y);
}

// The header is read first only to size the read; the rows drawn are those of
// the header in the buffer, which the bytes read there bound.
void DrawBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                 int32_t y) {
  Canvas target = canvas;
  uint8_t header[kBmpHeaderSize] = {};
  ReadBmpHeader(header, file_name);
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, kBmpDrawBufferSize);
  if (auto* buffer = static_cast<uint8_t*>(GlobalLock(block))) {
    DWORD bytes_read = 0;
    ReadWholeFile(buffer, file_name, &bytes_read, read_size(header, kBmpDrawBufferSize));
    draw_bmp_bytes(buffer, bytes_read, target, x, y);
    GlobalUnlock(block);
  }
  GlobalFree(block);
}

// Its buffer holds exactly the header and the pixel data, up to the limit.
void BlendBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                  int32_t y) {
  Canvas target = canvas;
  uint8_t header[kBmpHeaderSize] = {};
  ReadBmpHeader(header, file_name);
  DWORD buffer_size = read_size(header, kBmpBlendBufferLimit);
  HLOCAL block = LocalAlloc(LMEM_ZEROINIT, buffer_size);
  if (auto* buffer = static_cast<uint8_t*>(LocalLock(block))) {
    DWORD bytes_read = 0;
    ReadWholeFile(buffer, file_name, &bytes_read, buffer_size);
    blend_bmp_bytes(buffer, bytes_read, target, x, y);
    LocalUnlock(block);
  }
  LocalFree(block);
}
