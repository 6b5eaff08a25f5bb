#include "layers/layer_images.h"

#include <limits>

#include "display/graphics_startup.h"

namespace layers {

void canvas_to_work_buffer() { SetBitmapBits(WorkBitmap, kPageBytes, ScreenCanvas.Pixels); }

HDC dc_of(const Surface* surface) {
  return surface == nullptr || surface == kNoSurface ? nullptr : SurfaceDC(surface);
}

HBITMAP bitmap_of(const Surface* surface) {
  return surface == nullptr || surface == kNoSurface ? nullptr : SurfaceBitmap(surface);
}

Surface* kept_surface(Surface* surface) { return surface == kNoSurface ? nullptr : surface; }

int32_t stacked_height(int32_t height, int32_t bands) {
  if (height < 1 || bands < 1) return 0;
  int64_t product = int64_t{height} * bands;
  return product > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(product);
}

void attach_image(Layer& layer, HWND window, int32_t width, int32_t height) {
  layer.Image = kept_surface(CreateSurface(window, layer.X, layer.Y, width, height));
  layer.ImageDC = dc_of(layer.Image);
  layer.ImageBitmap = bitmap_of(layer.Image);
}

}  // namespace layers
