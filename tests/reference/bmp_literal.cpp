#include "reference/bmp_literal.h"

#include "host/file_helpers.h"
#include "platform/win32.h"
#include "raster/bmp.h"

namespace {

enum class Blit { kCopy, kAverage };

uint32_t field_16(const uint8_t* bytes, uint32_t offset) {
  return bytes[offset] + 256u * bytes[offset + 1];
}

uint64_t image_bytes(const uint8_t* header) {
  uint32_t width = field_16(header, 18), height = field_16(header, 22);
  uint32_t fill = (4 - (3 * width) % 4) % 4;
  return 54 + uint64_t{height} * (3 * width + fill);
}

uint32_t bytes_to_read(const uint8_t* header, uint64_t buffer_size) {
  uint64_t wanted = image_bytes(header);
  return static_cast<uint32_t>(wanted < buffer_size ? wanted : buffer_size);
}

// Stored row r, bottom row first, lands on canvas row y + height - r; a row
// whose bytes were not all read ends the drawing.
void blit_literal(const uint8_t* buffer, uint32_t bytes_read, const Canvas& canvas, int32_t x,
                  int32_t y, Blit blit) {
  if (bytes_read < 54) return;
  uint32_t width = field_16(buffer, 18), height = field_16(buffer, 22);
  if (field_16(buffer, 28) != 24) return;
  uint32_t fill = (4 - (3 * width) % 4) % 4;
  uint64_t offset = 54;
  for (uint32_t r = 0; r < height; ++r) {
    if (width == 0 || offset + 3 * width > bytes_read) return;
    auto row_y = static_cast<int32_t>(static_cast<uint32_t>(y) + height - r);
    for (uint32_t c = 0; c < width; ++c) {
      uint32_t blue = buffer[offset], green = buffer[offset + 1], red = buffer[offset + 2];
      offset += 3;
      auto column = static_cast<int32_t>(static_cast<uint32_t>(x) + c);
      uint32_t colour = PackColour(red, green, blue, canvas.BitsPerPixel);
      if (blit == Blit::kAverage) colour = BlendPixel(canvas, column, row_y, colour, 0);
      PutPixel(canvas, column, row_y, colour);
    }
    offset += fill;
  }
}

}  // namespace

namespace literal {

void draw_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas, int32_t x,
                    int32_t y) {
  blit_literal(file_bytes, byte_count, canvas, x, y, Blit::kCopy);
}

void blend_bmp_bytes(const uint8_t* file_bytes, uint32_t byte_count, const Canvas& canvas,
                     int32_t x, int32_t y) {
  blit_literal(file_bytes, byte_count, canvas, x, y, Blit::kAverage);
}

void DrawBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                 int32_t y) {
  Canvas copy = canvas;
  uint8_t header[kBmpHeaderSize] = {};
  ReadBmpHeader(header, file_name);
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, kBmpDrawBufferSize);
  auto* buffer = static_cast<uint8_t*>(GlobalLock(block));
  DWORD bytes_read = 0;
  ReadWholeFile(buffer, file_name, &bytes_read, bytes_to_read(header, kBmpDrawBufferSize));
  blit_literal(buffer, bytes_read, copy, x, y, Blit::kCopy);
  GlobalUnlock(block);
  GlobalFree(block);
}

void BlendBmpFile(const char* file_name, const Canvas& canvas, uint32_t unused, int32_t x,
                  int32_t y) {
  Canvas copy = canvas;
  uint8_t header[kBmpHeaderSize] = {};
  ReadBmpHeader(header, file_name);
  uint32_t size = bytes_to_read(header, kBmpBlendBufferLimit);
  HLOCAL block = LocalAlloc(LMEM_ZEROINIT, size);
  auto* buffer = static_cast<uint8_t*>(LocalLock(block));
  DWORD bytes_read = 0;
  ReadWholeFile(buffer, file_name, &bytes_read, size);
  blit_literal(buffer, bytes_read, copy, x, y, Blit::kAverage);
  LocalUnlock(block);
  LocalFree(block);
}

}  // namespace literal
