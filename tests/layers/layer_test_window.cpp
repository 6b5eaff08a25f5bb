#include "layers/layer_test_window.h"

#include <algorithm>
#include <cstring>

#include "display/graphics_startup.h"
#include "layers/startup.h"
#include "raster/lines.h"
#include "support/plain_window.h"

namespace {

int repaints = 0;

uint8_t* background_page() { return static_cast<uint8_t*>(ScreenCanvas.Pixels) + kPageBytes; }

// The background of layer mode: a gradient over the whole second page.
void rebuild_background() {
  void* first_page = ScreenCanvas.Pixels;
  ScreenCanvas.Pixels = background_page();
  FillGradientRect(ScreenCanvas, -1, -1, kBufferWidth, kBufferHeight, 0x007F7F);
  ScreenCanvas.Pixels = first_page;
}

LRESULT repaint(UINT_PTR code) {
  if (code > 1) return 0;
  if (code == 0) rebuild_background();
  SetBitmapBits(BackBitmap, kPageBytes, background_page());
  for (uint32_t i = 0; i < LayerCount(); ++i) DrawLayer(static_cast<int32_t>(i));
  ++repaints;
  return 0;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return repaint(static_cast<UINT_PTR>(lParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_window() {
  return create_plain_window("PixwellLayerTest", procedure, WS_OVERLAPPEDWINDOW, 600, 480);
}

}  // namespace

HWND layer_test_window() {
  static HWND window = [] {
    HWND created = create_window();
    GraphicsStartup(created);
    std::memset(ScreenCanvas.Pixels, 0, kPixelStoreBytes);
    return created;
  }();
  return window;
}

int repaint_count() { return repaints; }

void reset_layers() {
  layer_test_window();
  forget_layers();
  SelectedLayer = -1;
  SendMessageA(layer_test_window(), WM_USER, 0, 0);
}

PixelBox colour_box(HDC dc, int x, int y, int width, int height, uint32_t colour) {
  DcPixels pixels = read_dc_pixels(dc, x, y, width, height);
  PixelBox box;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      if (pixels.at(column, row) != colour) continue;
      box.left = std::min(box.left, x + column);
      box.right = std::max(box.right, x + column);
      box.top = std::min(box.top, y + row);
      box.bottom = std::max(box.bottom, y + row);
    }
  return box;
}

std::vector<uint32_t> canvas_snapshot() {
  auto* pixels = static_cast<const uint32_t*>(ScreenCanvas.Pixels);
  return std::vector<uint32_t>(pixels, pixels + kBufferWidth * kBufferHeight);
}

std::vector<uint32_t> page_rect(const std::vector<uint32_t>& page, int x, int y, int width,
                                int height) {
  std::vector<uint32_t> rect;
  rect.reserve(static_cast<size_t>(width) * height);
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column)
      rect.push_back(page[static_cast<size_t>(row) * kBufferWidth + column]);
  return rect;
}
