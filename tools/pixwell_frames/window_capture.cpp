#include "window_capture.h"

namespace {

// A top-down 32-bit DIB section, so that rows come out top row first.
HBITMAP create_top_down_dib(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// 32-bit DIB pixels lie in memory as blue, green, red and an unused byte.
void copy_bgrx_to_rgb(const uint8_t* bgrx, FrameImage& image) {
  size_t count = static_cast<size_t>(image.width) * image.height;
  image.rgb.resize(count * 3);
  for (size_t i = 0; i < count; ++i) {
    image.rgb[i * 3] = bgrx[i * 4 + 2];
    image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
    image.rgb[i * 3 + 2] = bgrx[i * 4];
  }
}

}  // namespace

FrameImage capture_client_area(HWND window, int width, int height) {
  FrameImage image;
  image.width = width;
  image.height = height;
  HDC window_dc = GetDC(window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  HBITMAP dib = create_top_down_dib(memory_dc, width, height, &bits);
  HGDIOBJ previous = SelectObject(memory_dc, dib);
  BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  copy_bgrx_to_rgb(static_cast<const uint8_t*>(bits), image);
  SelectObject(memory_dc, previous);
  DeleteObject(dib);
  DeleteDC(memory_dc);
  ReleaseDC(window, window_dc);
  return image;
}
