// Panels: a fixed 20-pixel-wide colour-graded bar.
#pragma once

#include <cstdint>

#include "layers/layer_kinds.h"
#include "platform/win32.h"

constexpr uint32_t kPanelLayerKind = 0x0F01;
extern const LayerKind PanelLayerEntry;

constexpr int32_t kPanelWidth = 20;

// -1 when the table is full, the record can't be had, or the height is
// below 1 (or three heights exceed the signed 32-bit range).
int32_t CreatePanelLayer(HWND window, int32_t x, int32_t y, int32_t height, uint32_t colour);
// Selection makes no difference to a panel.
void DrawPanelLayer(int32_t index);
