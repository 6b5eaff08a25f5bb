// Captioned layers: a colour-graded rectangle with a caption, shown greyed
// while it is the selected layer.
#pragma once

#include <cstdint>

#include "layers/layer_kinds.h"
#include "platform/win32.h"

constexpr uint32_t kCaptionedLayerKind = 0x46464646;  // "FFFF"
extern const LayerKind CaptionedLayerEntry;

// The caption is not copied; null stands for the built-in "Layer". A
// caption is cut at its first carriage return or zero byte within 128 bytes;
// with neither there, no caption is drawn. -1 when the table is full, the
// record can't be had, or the width or height is below 1 (or three heights
// exceed the signed 32-bit range).
int32_t CreateCaptionedLayer(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                             uint32_t colour, const char* caption);
void DrawCaptionedLayer(int32_t index);
