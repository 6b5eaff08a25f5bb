#include "display/display_window.h"

#include <gtest/gtest.h>

#include "display/graphics_startup.h"
#include "layers/startup.h"
#include "support/plain_window.h"

HWND display_test_window() {
  static HWND window = [] {
    HWND created =
        create_plain_window("PixwellDisplayTest", DefWindowProcA, WS_OVERLAPPEDWINDOW, 300, 200);
    GraphicsStartup(created);
    return created;
  }();
  return window;
}
