// Circular primitives and colour ramps: graded discs drawn as rings from the
// rim inwards, ramps of colours fading from twice a base towards the base,
// the dotted ramp rings, the mirrored arc pair and the eight-byte block copy.
#pragma once

#include "platform/win32.h"
#include "raster/canvas.h"

struct ColourRamp {
  HLOCAL MemoryHandle;  // local-heap block of the entries
  uint32_t* Entries;    // the same block, locked: Count packed colours
  int32_t X;            // placement kept for the owner; not read by drawing
  int32_t Y;
  int32_t Span;   // stripe length less one
  int32_t Count;  // number of entries, at least 1
};
static_assert(sizeof(void*) != 4 || sizeof(ColourRamp) == 24, "ColourRamp is 24 bytes on 32-bit");

// Parameters of DrawArcPair, all zero when the program starts.
extern int32_t ArcCentreX;
extern int32_t ArcCentreY;
extern uint32_t ArcColour;
extern int32_t ArcRadiusX;
extern int32_t ArcRadiusY;
extern Canvas ArcCanvas;
extern uint32_t ArcDone;

void FillGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                      uint32_t base_colour);
void CreateColourRamp(const Canvas& canvas, ColourRamp& ramp, int32_t x, int32_t y, int32_t span,
                      int32_t count, uint32_t base_colour);
void CreateSquareRamp(const Canvas& canvas, ColourRamp& ramp, int32_t x, int32_t y, int32_t count,
                      uint32_t base_colour);
void DrawColourRamp(const Canvas& canvas, const ColourRamp& ramp, int32_t x, int32_t y);
void DrawRampRings(const Canvas& canvas, const ColourRamp& ramp, int32_t centre_x,
                   int32_t centre_y);
void FreeColourRamp(ColourRamp& ramp);
void DrawArcPair(uint32_t unused);
void BlockCopy(void* destination, const void* source, uint32_t byte_count);
