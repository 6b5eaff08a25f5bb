// How the layer table reaches the kinds of layer without knowing them: each
// kind's file defines its entry (its tag and its draw operation), and
// layer_kinds.cpp lists the entries. A new kind is one new file and one line
// of that list.
#pragma once

#include <cstdint>

struct LayerKind {
  uint32_t Tag;  // the first field of every layer of the kind
  void (*Draw)(int32_t index);
};

// The kind whose tag a layer carries; null for an unknown tag.
const LayerKind* FindLayerKind(uint32_t tag);
