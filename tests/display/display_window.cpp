#include "display/display_window.h"

#include <gtest/gtest.h>

#include "display/graphics_startup.h"

namespace {

HWND create_plain_window() {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "PixwellDisplayTest";
  RegisterClassExA(&window_class);
  return CreateWindowExA(0, "PixwellDisplayTest", "display test", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                         200, nullptr, nullptr, window_class.hInstance, nullptr);
}

}  // namespace

HWND display_test_window() {
  static HWND window = [] {
    HWND created = create_plain_window();
    GraphicsStartup(created);
    return created;
  }();
  return window;
}
