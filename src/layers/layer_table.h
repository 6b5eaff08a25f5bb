// The table of on-screen layers: a count followed by the slots of the layer
// pointers, in one zero-filled block that graphics start-up allocates. With
// 32-bit pointers the block is 1000 bytes: the count and 249 slots.
//
// A layer is a rectangle of the window with an image of its own held in a
// Surface; drawing it copies one band of that image into the back buffer.
// The kind tag in its first field tells which draw operation applies
// (layers/layer_kinds.h); each kind's header defines its tag.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

struct Surface;
struct TextDocument;

constexpr uint32_t kLayerSlots = 249;

// Renders the frames of a frame animation and marks it ready; receives 0.
using FrameProcedure = uint32_t (*)(uint32_t);

// One zero-filled block per layer. Fields 9 to 12 mean different things to
// different kinds; every kind leaves the fields it does not use at zero.
struct Layer {
  uint32_t Kind;
  int32_t X;  // left edge in back-buffer (and client) pixels
  int32_t Y;  // top edge
  int32_t Width;
  int32_t Height;  // of one band, the part shown
  Surface* Image;  // bands of Height rows stacked from the top; null without one
  HDC ImageDC;     // null when the Surface could not be made
  HBITMAP ImageBitmap;
  union {
    uint32_t Colour;           // captioned layer, text view: packed base colour
    FrameProcedure FrameProc;  // frame animation
  };
  union {
    const char* Caption;   // captioned layer: not copied
    uint32_t FramesReady;  // frame animation: nonzero once the frames exist
  };
  union {
    int32_t CaptionLength;   // captioned layer
    int32_t Frame;           // frame animation: the frame shown, from 0
    TextDocument* Document;  // text view: null until one is attached
  };
  union {
    int32_t State;       // captioned layer, text view: band shown
    int32_t FrameCount;  // frame animation
  };
  // The text view's further fields.
  Surface* Background;  // the clean striped background
  HDC BackgroundDC;
  HBITMAP BackgroundBitmap;
  uint32_t TopLine;   // first line shown, from 1; 0 until a document is attached
  uint8_t KeyMarker;  // arrow key last acted on, or 0
  int32_t ScrollX;    // the text is drawn this many pixels further left
  Surface* StripSurface;
  Surface* ScrollBarSurface;
  Surface* ShadeSurface;
};

// On the 32-bit target every field is one 32-bit word, in this order, in a
// block of 128 bytes; elsewhere the fields have their natural widths.
constexpr size_t kLayerBlockBytes = sizeof(void*) == 4 ? 128 : sizeof(Layer);
static_assert(sizeof(Layer) <= kLayerBlockBytes);
static_assert(sizeof(void*) != 4 ||
                  (offsetof(Layer, Image) == 20 && offsetof(Layer, Colour) == 32 &&
                   offsetof(Layer, Caption) == 36 && offsetof(Layer, Document) == 40 &&
                   offsetof(Layer, State) == 44 && offsetof(Layer, Background) == 48 &&
                   offsetof(Layer, TopLine) == 60 && offsetof(Layer, KeyMarker) == 64 &&
                   offsetof(Layer, ScrollX) == 68 && offsetof(Layer, ShadeSurface) == 80),
              "the layer's fields are 32-bit words in the given order");

struct LayerTableBlock {
  uint32_t Count;
  Layer* Slots[kLayerSlots];
};
static_assert(sizeof(void*) != 4 || sizeof(LayerTableBlock) == 1000,
              "the layer table is 1000 bytes on 32-bit");

// Made empty by GraphicsStartup (CreateLayerTable); null before it.
extern LayerTableBlock* LayerTable;
// Index of the selected layer, -1 when none.
extern int32_t SelectedLayer;
// Last mouse position in client pixels, each 0 to 65535.
extern uint32_t MouseX;
extern uint32_t MouseY;

// Allocates the table's zero-filled block: the count 0 and no layers.
void CreateLayerTable();
// Stores the record in the next slot; nothing on a full table.
Layer* AddLayer(Layer* layer);
// Null for an index outside the 249 slots.
Layer* GetLayer(int32_t index);
uint32_t ClearLayers();
uint32_t LayerCount();
// Draws the layer by its kind; nothing for an index at or above the count or
// for a layer of an unknown kind.
void DrawLayer(int32_t index);
// -1 when the mouse is outside the layer (or there is no such layer), the
// index when it is already selected, otherwise the result of the repaint
// request sent to the window.
LRESULT HitTestLayer(HWND window, int32_t index);
uint32_t SetMousePosition(LPARAM lParam);

// The layer at an index below the count, or null.
Layer* ExistingLayer(int32_t index);
// Steps 1 to 3 of every creator: null when the table is full or the block
// can't be had, otherwise the new record, already added.
Layer* BeginLayer();
