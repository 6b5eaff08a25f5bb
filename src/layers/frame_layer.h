// Frame animations: an image holding a strip of frames that a procedure of
// the caller's renders on first use, advancing one frame each time the layer
// is drawn while selected; and RenderDiscFrames, the frame procedure the
// system carries.
#pragma once

#include <cstdint>

#include "layers/layer_kinds.h"
#include "layers/layer_table.h"
#include "platform/win32.h"

constexpr uint32_t kFrameLayerKind = 0x0F00;
extern const LayerKind FrameLayerEntry;

// The layer that RenderDiscFrames renders; 0, and changed by nothing.
extern int32_t FrameLayerIndex;

// -1 when the table is full, the record can't be had, or the width, height
// or frame count is below 1 (or height × frame count exceeds the signed
// 32-bit range).
int32_t CreateFrameLayer(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                         FrameProcedure frame_proc, int32_t frame_count);
void DrawFrameLayer(int32_t index);
// Renders a grey disc into frame 0 of layer FrameLayerIndex, ten shifted
// copies of it into the band at row 100, and marks the layer ready. Nothing
// when that layer does not exist, is not a frame animation or has no image.
uint32_t RenderDiscFrames(uint32_t unused);
