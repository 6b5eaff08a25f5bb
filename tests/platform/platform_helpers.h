// Helpers of the platform semantics tests. They use nothing but Win32
// calls, so the same tests run against the real system under Wine.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"
#include "support/plain_window.h"  // pump_messages
#include "support/wine.h"

namespace platform_test {

// A memory DC with a 32-bit DIB section selected into it.
struct MemoryCanvas {
  MemoryCanvas(int width, int height, bool bottom_up = true);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  // Pixel (x, y) counted from the top-left corner, 0x00RRGGBB.
  uint32_t& at(int x, int y) const {
    int row = bottom_up ? height - 1 - y : y;
    return bits[row * width + x];
  }
  void fill(uint32_t pixel) const;
  std::vector<uint32_t> snapshot() const;  // top-down copy

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  uint32_t* bits = nullptr;
  int width;
  int height;
  bool bottom_up;
};

// The pixel value that a colour reference gives in a 32-bit DIB.
inline uint32_t pixel_of(COLORREF colour) {
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// A registered window class whose procedure forwards to a test's handler.
using Handler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
const char* test_class_name();
void set_handler(Handler handler);
HWND create_test_window(int x, int y, int width, int height);

}  // namespace platform_test
