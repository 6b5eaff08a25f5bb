// The scrolling text view: a striped rectangle showing up to 50 lines of a
// text document in white, paged by the up and down arrow keys and shifted
// sideways by the left and right ones. The keys reach the view through its
// draw operation, which reads the key held down (LastKey) at every draw.
#pragma once

#include <cstdint>

#include "layers/layer_kinds.h"
#include "layers/layer_table.h"
#include "platform/win32.h"
#include "raster/canvas.h"

constexpr uint32_t kTextViewKind = 0x0F0F;
extern const LayerKind TextViewEntry;

struct TextDocument;

constexpr int32_t kTextViewLines = 50;  // lines drawn per page
constexpr int32_t kLinePitch = 21;
constexpr int32_t kTextLeftMargin = 20;
constexpr int32_t kTextTopMargin = 10;
constexpr int32_t kScrollLimit = 400;  // ScrollX grows while it is at most this

// -1 when the table is full, the record can't be had, or the width or
// height is below 1 (or the width is the largest int, or three heights
// exceed the signed 32-bit range).
int32_t CreateTextView(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                       uint32_t colour);
// Nothing for a layer of another kind, a null layer or a null document.
void AttachTextDocument(Layer* view, TextDocument* document);
void RedrawTextView(int32_t index);
void DrawTextView(int32_t index);
// Track, end boxes and, when 0 <= position < range and the height leaves
// room for it between the end boxes (60 or more), the thumb.
void DrawScrollBar(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   int32_t position, int32_t range, uint32_t colour);
