#include "layers/layer_table.h"

LayerTableBlock* LayerTable = nullptr;

uint32_t LayerCount() { return LayerTable->Count; }
