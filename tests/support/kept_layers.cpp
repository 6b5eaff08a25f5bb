#include "support/kept_layers.h"

#include <vector>

#include "layers/layer_table.h"

void keep_layer_records() {
  // Never destroyed: the leak check runs after static destructors.
  static auto* kept = new std::vector<Layer*>;
  if (LayerTable == nullptr) return;
  for (Layer* layer : LayerTable->Slots)
    if (layer != nullptr) kept->push_back(layer);
}

void forget_layers() {
  keep_layer_records();
  ClearLayers();
}
