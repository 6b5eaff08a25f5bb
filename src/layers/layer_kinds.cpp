#include "layers/layer_kinds.h"

#include "layers/captioned_layer.h"
#include "layers/frame_layer.h"
#include "layers/panel_layer.h"
#include "layers/text_view.h"

namespace {

// Listed here rather than registered by each kind's file: a static library
// drops an object file nothing refers to, and with it any registration.
constexpr const LayerKind* kKinds[] = {&CaptionedLayerEntry, &TextViewEntry, &FrameLayerEntry,
                                       &PanelLayerEntry};

}  // namespace

const LayerKind* FindLayerKind(uint32_t tag) {
  for (const LayerKind* kind : kKinds)
    if (kind->Tag == tag) return kind;
  return nullptr;
}
