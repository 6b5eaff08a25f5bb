#include "layers/captioned_layer.h"

#include "display/graphics_startup.h"
#include "geometry/integer_helpers.h"
#include "layers/layer_images.h"
#include "raster/lines.h"
#include "text/text_document.h"

namespace {

constexpr char kDefaultCaption[] = "Layer";
constexpr int32_t kCaptionScan = 128;  // bytes looked at for the caption's end
constexpr uint32_t kMidGrey = 0x7F7F7F;

void set_caption(Layer& layer, const char* caption) {
  if (caption == nullptr) {
    layer.Caption = kDefaultCaption;
    layer.CaptionLength = 5;
    return;
  }
  layer.Caption = caption;
  // -2 when neither a carriage return nor a zero byte was found.
  layer.CaptionLength = LineEndPosition(caption, kCaptionScan) - 1;
}

// The caption at a tenth of the width and of the height within the band. A
// negative length draws nothing: TextOutA is not asked to read the text.
void draw_caption(const Layer& layer, int32_t band) {
  if (layer.CaptionLength < 0) return;
  auto x = static_cast<int32_t>(ScaleDiv(10, 100, static_cast<uint32_t>(layer.Width)).First);
  auto y = static_cast<int32_t>(ScaleDiv(10, 100, static_cast<uint32_t>(layer.Height)).First);
  TextOutA(layer.ImageDC, x, y + layers::band_top(layer, band), layer.Caption, layer.CaptionLength);
}

// Cuts the layer's rectangle out of the canvas into a band of its image.
void cut_band(const Layer& layer, int32_t band) {
  layers::canvas_to_work_buffer();
  BitBlt(layer.ImageDC, 0, layers::band_top(layer, band), layer.Width, layer.Height, WorkDC,
         layer.X, layer.Y, SRCCOPY);
}

}  // namespace

int32_t CreateCaptionedLayer(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                             uint32_t colour, const char* caption) {
  int32_t image_height = layers::stacked_height(height, 3);
  if (width < 1 || image_height == 0) return -1;
  Layer* layer = BeginLayer();
  if (layer == nullptr) return -1;
  layer->Kind = kCaptionedLayerKind;
  layer->X = layers::wrap_add(x, 1);
  layer->Y = layers::wrap_add(y, 1);
  layer->Width = width;
  layer->Height = height;
  layers::attach_image(*layer, window, width, image_height);
  // The fill at (x, y) covers exactly the rectangle at (X, Y).
  FillGradientRect(ScreenCanvas, x, y, width, height, colour);
  layer->Colour = colour;
  set_caption(*layer, caption);
  if (layer->ImageDC != nullptr) {
    cut_band(*layer, 0);
    draw_caption(*layer, 0);
  }
  // The selected look: the same gradient one pixel right and down, averaged
  // with mid-grey.
  FillGradientRect(ScreenCanvas, layer->X, layer->Y, width, height, colour);
  FillBlendRect(ScreenCanvas, layer->X, layer->Y, width, height, kMidGrey, kBlendAverage);
  if (layer->ImageDC != nullptr) {
    cut_band(*layer, 1);
    draw_caption(*layer, 1);
  }
  layer->State = 0;
  return static_cast<int32_t>(LayerCount()) - 1;
}

void DrawCaptionedLayer(int32_t index) {
  Layer* layer = ExistingLayer(index);
  if (layer == nullptr) return;
  layer->State = SelectedLayer == index ? 1 : 0;
  if (layer->ImageDC == nullptr) return;
  BitBlt(BackDC, layer->X, layer->Y, layer->Width, layer->Height, layer->ImageDC, 0,
         layers::band_top(*layer, layer->State), SRCCOPY);
}

const LayerKind CaptionedLayerEntry{kCaptionedLayerKind, DrawCaptionedLayer};
