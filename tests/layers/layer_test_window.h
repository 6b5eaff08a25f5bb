// The layer tests' window: graphics start-up run on it once per process, and
// a procedure that answers the repaint request WM_USER as the interactive
// window does for codes 0 and 1 (background page into the back buffer, then
// every layer in index order), counting the repaints it performs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/surface.h"
#include "layers/layer_table.h"
#include "platform/win32.h"
#include "support/dc_pixels.h"
#include "support/kept_layers.h"

HWND layer_test_window();
// Repaints (codes 0 and 1) answered since the process started.
int repaint_count();

// Empties the table and the selection and rebuilds the background page.
void reset_layers();

// A pixel rectangle's bounds; empty when right < left.
struct PixelBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < left; }
};
// Bounds of the pixels of one colour within a rectangle of a DC.
PixelBox colour_box(HDC dc, int x, int y, int width, int height, uint32_t colour);

// The screen canvas's first page as a vector, to replay drawing on.
std::vector<uint32_t> canvas_snapshot();
// A rectangle of a pixel vector laid out 1024 pixels a row.
std::vector<uint32_t> page_rect(const std::vector<uint32_t>& page, int x, int y, int width,
                                int height);
// The same rectangle as a picture.
inline Picture page_picture(const std::vector<uint32_t>& page, int x, int y, int width,
                            int height) {
  return {width, height, page_rect(page, x, y, width, height)};
}
