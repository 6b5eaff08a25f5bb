// The table of on-screen layers: a count followed by the slots of the layer
// pointers, in one zero-filled block that graphics start-up allocates. With
// 32-bit pointers the block is 1000 bytes: the count and 249 slots.
#pragma once

#include <cstdint>

struct Layer;

constexpr uint32_t kLayerSlots = 249;

struct LayerTableBlock {
  uint32_t Count;
  Layer* Slots[kLayerSlots];
};
static_assert(sizeof(void*) != 4 || sizeof(LayerTableBlock) == 1000,
              "the layer table is 1000 bytes on 32-bit");

// Made empty by GraphicsStartup; null before it.
extern LayerTableBlock* LayerTable;

uint32_t LayerCount();
