#include "layers/frame_layer.h"

#include "display/graphics_startup.h"
#include "layers/captioned_layer.h"
#include "layers/layer_images.h"
#include "raster/discs.h"

int32_t FrameLayerIndex = 0;

namespace {

constexpr char kNotReady[] = "Frame Not Ready.";
constexpr int32_t kDiscRadius = 50;
// The copies go to the band at this row whatever the layer's height: the
// second frame of a layer 100 pixels high.
constexpr int32_t kCopyRow = 100;

// Shows the notice in band 0 of the image itself, then that band.
void show_not_ready(const Layer& layer) {
  TextOutA(layer.ImageDC, 0, 0, kNotReady, sizeof(kNotReady) - 1);
  BitBlt(BackDC, layer.X, layer.Y, layer.Width, layer.Height, layer.ImageDC, 0, 0, SRCCOPY);
}

// One frame further per draw that finds the layer selected; the selection
// is dropped so that the next hit test selects it again.
void advance_if_selected(Layer& layer, int32_t index) {
  if (SelectedLayer != index) return;
  SelectedLayer = -1;
  layer.Frame += 1;
  if (layer.Frame >= layer.FrameCount) layer.Frame = 0;
}

}  // namespace

int32_t CreateFrameLayer(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                         FrameProcedure frame_proc, int32_t frame_count) {
  int32_t image_height = layers::stacked_height(height, frame_count);
  if (width < 1 || image_height == 0) return -1;
  Layer* layer = BeginLayer();
  if (layer == nullptr) return -1;
  layer->Kind = kFrameLayerKind;
  layer->X = x;  // not x + 1, unlike the other kinds
  layer->Y = layers::wrap_add(y, 1);
  layer->Width = width;
  layer->Height = height;
  layers::attach_image(*layer, window, width, image_height);
  layer->FrameProc = frame_proc;
  layer->FrameCount = frame_count;
  return static_cast<int32_t>(LayerCount()) - 1;
}

void DrawFrameLayer(int32_t index) {
  Layer* layer = ExistingLayer(index);
  if (layer == nullptr) return;
  if (layer->FramesReady == 0 && layer->FrameProc != nullptr) layer->FrameProc(0);
  if (layer->ImageDC == nullptr) return;
  if (layer->FramesReady == 0) {
    show_not_ready(*layer);  // the procedure is asked again at the next draw
    return;
  }
  advance_if_selected(*layer, index);
  BitBlt(BackDC, layer->X, layer->Y, layer->Width, layer->Height, layer->ImageDC, 0,
         layers::band_top(*layer, layer->Frame), SRCCOPY);
}

uint32_t RenderDiscFrames(uint32_t unused) {
  Layer* layer = ExistingLayer(FrameLayerIndex);
  // A captioned layer's word 10 is its caption pointer, which marking it
  // "ready" would overwrite; panels and text views leave that word unused.
  if (layer == nullptr || layer->Kind == kCaptionedLayerKind || layer->ImageDC == nullptr) return 0;
  FillGradientDisc(*GetScreenCanvas(), layers::wrap_add(layer->X, kDiscRadius),
                   layers::wrap_add(layer->Y, kDiscRadius), kDiscRadius,
                   PackColour(127, 127, 127, 32));
  layers::canvas_to_work_buffer();
  BitBlt(layer->ImageDC, 0, 0, layer->Width, layer->Height, WorkDC, layer->X, layer->Y, SRCCOPY);
  // Ten copies of frame 0 at x = 21 to 30, each covering most of the one
  // before: frame 0 shifted 30 right with its first column repeated.
  for (int32_t k = 1; k <= 10; ++k)
    BitBlt(layer->ImageDC, 20 + k, kCopyRow, layer->Width, layer->Height, layer->ImageDC, 0, 0,
           SRCCOPY);
  layer->FramesReady = 1;
  return 0;
}

const LayerKind FrameLayerEntry{kFrameLayerKind, DrawFrameLayer};
