#include "layers/panel_layer.h"

#include "display/graphics_startup.h"
#include "layers/layer_images.h"
#include "raster/lines.h"

int32_t CreatePanelLayer(HWND window, int32_t x, int32_t y, int32_t height, uint32_t colour) {
  int32_t image_height = layers::stacked_height(height, 3);
  if (image_height == 0) return -1;
  Layer* layer = BeginLayer();
  if (layer == nullptr) return -1;
  layer->Kind = kPanelLayerKind;
  layer->X = layers::wrap_add(x, 1);
  layer->Y = layers::wrap_add(y, 1);
  layer->Width = kPanelWidth;
  layer->Height = height;
  // Only the device context is kept; the colour is not stored.
  layer->Image =
      layers::kept_surface(CreateSurface(window, layer->X, layer->Y, kPanelWidth, image_height));
  layer->ImageDC = layers::dc_of(layer->Image);
  // Drawn one pixel right of and below (x, y): the band is cut from (X, Y).
  FillGradientRect(ScreenCanvas, layer->X, layer->Y, kPanelWidth, height, colour);
  if (layer->ImageDC != nullptr) {
    layers::canvas_to_work_buffer();
    BitBlt(layer->ImageDC, 0, 0, kPanelWidth, height, WorkDC, layer->X, layer->Y, SRCCOPY);
  }
  return static_cast<int32_t>(LayerCount()) - 1;
}

void DrawPanelLayer(int32_t index) {
  const Layer* layer = ExistingLayer(index);
  if (layer == nullptr || layer->ImageDC == nullptr) return;
  BitBlt(BackDC, layer->X, layer->Y, layer->Width, layer->Height, layer->ImageDC, 0, 0, SRCCOPY);
}

const LayerKind PanelLayerEntry{kPanelLayerKind, DrawPanelLayer};
