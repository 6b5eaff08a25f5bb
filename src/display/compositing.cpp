#include "display/compositing.h"

#include "display/graphics_startup.h"
#include "raster/discs.h"
#include "raster/lines.h"

namespace {

// A whole-bitmap transfer runs from the top row down, so canvas pixel (x, y)
// is the work buffer's pixel (x, y) from its top-left corner.
void canvas_to_work_buffer() { SetBitmapBits(WorkBitmap, kPageBytes, ScreenCanvas.Pixels); }

void work_buffer_to_canvas() { GetBitmapBits(WorkBitmap, kPageBytes, ScreenCanvas.Pixels); }

// Brings the target's top-left 1024 by 768 area onto the screen canvas.
void read_back_target(HDC target) {
  BitBlt(WorkDC, 0, 0, kBufferWidth, kBufferHeight, target, 0, 0, SRCCOPY);
  work_buffer_to_canvas();
}

// Puts the canvas back over the target's top-left 1024 by 768 area; what lies
// beyond the target's bitmap is clipped away.
void write_back_target(HDC target) {
  canvas_to_work_buffer();
  BitBlt(target, 0, 0, kBufferWidth, kBufferHeight, WorkDC, 0, 0, SRCCOPY);
}

}  // namespace

void CompositeGradientRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height,
                           uint32_t colour) {
  FillGradientRect(ScreenCanvas, 0, 0, width, height, colour);
  canvas_to_work_buffer();
  BitBlt(target, x, y, width, height, WorkDC, 0, 0, SRCCOPY);
}

void CompositeGradientDisc(HDC target, int32_t x, int32_t y, int32_t radius, uint32_t colour) {
  read_back_target(target);
  FillGradientDisc(ScreenCanvas, x, y, radius, colour);
  write_back_target(target);
}

void CompositeBlendRect(HDC target, int32_t x, int32_t y, int32_t width, int32_t height,
                        uint32_t colour, uint32_t mode) {
  read_back_target(target);
  FillBlendRect(ScreenCanvas, x, y, width, height, colour, mode);
  write_back_target(target);
}
