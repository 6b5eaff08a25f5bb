#include "layers/layer_table.h"

#include "geometry/integer_helpers.h"
#include "layers/layer_kinds.h"

LayerTableBlock* LayerTable = nullptr;
int32_t SelectedLayer = -1;
uint32_t MouseX = 0;
uint32_t MouseY = 0;

void CreateLayerTable() {
  LayerTable = static_cast<LayerTableBlock*>(
      GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(LayerTableBlock)));
}

// A full table (or none yet) stores nothing: there is no slot beyond the
// last, and writing there would run past the table's block.
Layer* AddLayer(Layer* layer) {
  if (LayerTable == nullptr || LayerTable->Count >= kLayerSlots) return layer;
  LayerTable->Slots[LayerTable->Count] = layer;
  LayerTable->Count += 1;
  return layer;
}

Layer* GetLayer(int32_t index) {
  if (LayerTable == nullptr || index < 0 || static_cast<uint32_t>(index) >= kLayerSlots)
    return nullptr;
  return LayerTable->Slots[index];
}

// Records, Surfaces and the slots' old contents stay; later additions
// overwrite the slots.
uint32_t ClearLayers() {
  if (LayerTable != nullptr) LayerTable->Count = 0;
  return 0;
}

// 0 before graphics start-up has made the table.
uint32_t LayerCount() { return LayerTable == nullptr ? 0 : LayerTable->Count; }

Layer* ExistingLayer(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= LayerCount()) return nullptr;
  return GetLayer(index);
}

Layer* BeginLayer() {
  if (LayerTable == nullptr || LayerCount() >= kLayerSlots) return nullptr;
  auto* layer = static_cast<Layer*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, kLayerBlockBytes));
  if (layer == nullptr) return nullptr;
  return AddLayer(layer);
}

void DrawLayer(int32_t index) {
  const Layer* layer = ExistingLayer(index);
  if (layer == nullptr) return;
  if (const LayerKind* kind = FindLayerKind(layer->Kind)) kind->Draw(index);
}

// The sensitive area includes the right and bottom edges: it is one pixel
// wider and taller than the layer.
LRESULT HitTestLayer(HWND window, int32_t index) {
  const Layer* layer = ExistingLayer(index);
  if (layer == nullptr) return -1;
  if (PointInRect(static_cast<int32_t>(MouseX), static_cast<int32_t>(MouseY), layer->X, layer->Y,
                  layer->Width, layer->Height) < 0)
    return -1;
  if (index == SelectedLayer) return index;
  SelectedLayer = index;
  // Synchronous: every layer is drawn again before the hit test returns.
  return SendMessageA(window, WM_USER, 0, 1);
}

// Both halves unsigned: a coordinate of -1 becomes 65535.
uint32_t SetMousePosition(LPARAM lParam) {
  auto bits = static_cast<uint32_t>(lParam);
  MouseX = bits & 0xFFFF;
  MouseY = bits >> 16;
  return MouseX;
}
