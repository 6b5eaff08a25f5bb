// Reads pixels of any device context (a window's, a Surface's) back as
// 0x00RRGGBB values, top row first, through BitBlt into a DIB section.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32.h"
#include "support/picture.h"

using DcPixels = Picture;

// Copies width by height pixels from (x, y) of the DC.
inline DcPixels read_dc_pixels(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC memory = CreateCompatibleDC(source);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  DcPixels result{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  std::memcpy(result.pixels.data(), bits, result.pixels.size() * 4);
  for (uint32_t& pixel : result.pixels) pixel &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(dib);
  DeleteDC(memory);
  return result;
}

// Fills a rectangle of the DC with one packed colour 0x00RRGGBB.
inline void fill_dc(HDC dc, int x, int y, int width, int height, uint32_t colour) {
  HBRUSH brush = CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
  RECT area{x, y, x + width, y + height};
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}
