// Helpers shared by the layer kinds: how a look rendered on the screen
// canvas reaches a layer's Surface, and the arithmetic on positions and
// sizes that must not overflow whatever a caller passes.
#pragma once

#include <cstdint>

#include "display/surface.h"
#include "layers/layer_table.h"
#include "platform/win32.h"

namespace layers {

// The whole first page of the screen canvas into the work buffer, so that a
// rectangle of it can be cut out with BitBlt.
void canvas_to_work_buffer();

// The Surface's device context, or null for the -1 of a Surface that could
// not be made: nothing is read through it.
HDC dc_of(const Surface* surface);
HBITMAP bitmap_of(const Surface* surface);
// Null in place of the -1 of a failed creation, so that no field of the
// layer ever points at an invalid address.
Surface* kept_surface(Surface* surface);

// a + b with two's-complement wrap-around, as a 32-bit machine adds.
inline int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrap_sub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// The product of a band height and a band count when both are at least 1 and
// the product fits a signed 32-bit size; 0 otherwise.
int32_t stacked_height(int32_t height, int32_t bands);

// Band k of a layer's image starts at row k × Height.
inline int32_t band_top(const Layer& layer, int32_t band) { return band * layer.Height; }

// Takes a Surface for the layer's image and its device context and bitmap.
void attach_image(Layer& layer, HWND window, int32_t width, int32_t height);

}  // namespace layers
