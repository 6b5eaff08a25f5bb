#include "raster/discs.h"

#include <cstring>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "geometry/scaled_entry.h"
#include "raster/pixel_access.h"

int32_t ArcCentreX = 0;
int32_t ArcCentreY = 0;
uint32_t ArcColour = 0;
int32_t ArcRadiusX = 0;
int32_t ArcRadiusY = 0;
Canvas ArcCanvas = {nullptr, 0, 0, 0};
uint32_t ArcDone = 0;

namespace {

constexpr int32_t kQuarterTurn = 900;
constexpr int32_t kRingStepAngle = 90;

// A ring colour that is zero or negative as a signed value is transparent.
bool drawn(uint32_t colour) { return static_cast<int32_t>(colour) > 0; }

// Base + base × step div steps, per component.
uint32_t brightened(const RgbTriple& base, uint32_t step, uint32_t steps, int32_t depth) {
  return PackColour(base.Red + ScaleDiv(step, steps, base.Red).First,
                    base.Green + ScaleDiv(step, steps, base.Green).First,
                    base.Blue + ScaleDiv(step, steps, base.Blue).First, depth);
}

// A first-quadrant sine or cosine of the angle table as mantissa ÷ 2^shift,
// both non-negative. Entries too small to move any radius by half a pixel
// (the cosine of 90 degrees is −2.5e−20) are held as zero.
struct QuarterEntry {
  int64_t mantissa;
  int32_t shift;
};

QuarterEntry quarter_entry(float entry) {
  geometry::ScaledEntry scaled = geometry::scaled_entry(entry);
  if (scaled.shift > 62 || scaled.mantissa <= 0) return {0, 1};
  return {scaled.mantissa, scaled.shift};
}

// round(radius × entry), halves to even, for radius ≥ 0: adding half − 1 and
// the parity of the truncated quotient carries exactly when rounding up.
inline int32_t quarter_round(int32_t radius, QuarterEntry entry) {
  auto product = static_cast<uint64_t>(radius) * static_cast<uint64_t>(entry.mantissa);
  uint64_t parity = (product >> entry.shift) & 1;
  uint64_t half = uint64_t{1} << (entry.shift - 1);
  return static_cast<int32_t>((product + half - 1 + parity) >> entry.shift);
}

// The first-quadrant sines and cosines for angles 1 .. 900.
struct QuarterTable {
  QuarterEntry sine[kQuarterTurn + 1];
  QuarterEntry cosine[kQuarterTurn + 1];
};

void fill_quarter_table(QuarterTable& table) {
  for (int32_t t = 1; t <= kQuarterTurn; ++t) {
    table.sine[t] = quarter_entry(SinEntry(t));
    table.cosine[t] = quarter_entry(CosEntry(t));
  }
}

// Draws a point and its mirror images in quadrants 1, 2 and 3.
template <typename Cell>
void put_mirrored(const Canvas& canvas, int32_t cx, int32_t cy, int32_t px, int32_t py,
                  uint32_t colour) {
  raster::put_cell<Cell>(canvas, cx + px, cy + py, colour);
  raster::put_cell<Cell>(canvas, cx - px, cy + py, colour);
  raster::put_cell<Cell>(canvas, cx - px, cy - py, colour);
  raster::put_cell<Cell>(canvas, cx + px, cy - py, colour);
}

// One ring at its 900 angles, point (sine part, cosine part) of PolarPoint.
// A ring of radius ρ visits only about 1.6 ρ different pixels, and all its
// points share one colour, so a point equal to the previous one is skipped.
template <typename Cell>
void draw_ring(const Canvas& canvas, const QuarterTable& table, int32_t cx, int32_t cy,
               int32_t radius, uint32_t colour) {
  int32_t last_x = -1, last_y = -1;
  for (int32_t t = kQuarterTurn; t >= 1; --t) {
    int32_t px = quarter_round(radius, table.sine[t]);
    int32_t py = quarter_round(radius, table.cosine[t]);
    if (px == last_x && py == last_y) continue;
    put_mirrored<Cell>(canvas, cx, cy, px, py, colour);
    last_x = px;
    last_y = py;
  }
}

template <typename Cell>
void fill_disc_rings(const Canvas& canvas, int32_t cx, int32_t cy, int32_t radius,
                     uint32_t colour) {
  RgbTriple base;
  UnpackColour(base, colour, canvas.BitsPerPixel);
  QuarterTable table;
  fill_quarter_table(table);
  uint32_t c = colour;
  for (int32_t rho = radius, i = 0; rho >= 0; --rho, ++i) {
    if (drawn(c)) draw_ring<Cell>(canvas, table, cx, cy, rho, c);
    c = brightened(base, static_cast<uint32_t>(i), static_cast<uint32_t>(radius),
                   canvas.BitsPerPixel);
  }
}

}  // namespace

// Rings are drawn from the rim inwards, each a little brighter; a radius of
// zero or less draws nothing (the colour step divides by the radius).
void FillGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                      uint32_t base_colour) {
  if (radius <= 0) return;
  if (canvas.BitsPerPixel == 32)
    return fill_disc_rings<uint32_t>(canvas, centre_x, centre_y, radius, base_colour);
  if (canvas.BitsPerPixel == 16)
    return fill_disc_rings<uint16_t>(canvas, centre_x, centre_y, radius, base_colour);
}

// A count of zero or less makes an empty ramp: no entries and no block.
void CreateColourRamp(const Canvas& canvas, ColourRamp& ramp, int32_t x, int32_t y, int32_t span,
                      int32_t count, uint32_t base_colour) {
  ramp = {nullptr, nullptr, x, y, span, count > 0 ? count : 0};
  if (count <= 0) return;
  ramp.MemoryHandle = LocalAlloc(LMEM_ZEROINIT, static_cast<SIZE_T>(count) * 4);
  ramp.Entries = static_cast<uint32_t*>(LocalLock(ramp.MemoryHandle));
  if (ramp.Entries == nullptr) {
    ramp.Count = 0;
    return;
  }
  RgbTriple base;
  UnpackColour(base, base_colour, canvas.BitsPerPixel);
  for (int32_t j = 0; j < count; ++j)
    ramp.Entries[j] = brightened(base, static_cast<uint32_t>(count - j),
                                 static_cast<uint32_t>(count), canvas.BitsPerPixel);
}

void CreateSquareRamp(const Canvas& canvas, ColourRamp& ramp, int32_t x, int32_t y, int32_t count,
                      uint32_t base_colour) {
  CreateColourRamp(canvas, ramp, x, y, count, count, base_colour);
}

// Stripe j lies on row y + 1 + j in entry count − 1 − j: dimmest on top.
void DrawColourRamp(const Canvas& canvas, const ColourRamp& ramp, int32_t x, int32_t y) {
  for (int32_t j = 0; j < ramp.Count; ++j) {
    uint32_t colour = ramp.Entries[ramp.Count - 1 - j];
    for (int32_t column = x; column <= x + ramp.Span; ++column)
      PutPixel(canvas, column, y + 1 + j, colour);
  }
}

// One dotted ring per entry, 11 angles a quarter; the outermost ring repeats
// the entry of the next one and entry 0 is never drawn.
void DrawRampRings(const Canvas& canvas, const ColourRamp& ramp, int32_t centre_x,
                   int32_t centre_y) {
  for (int32_t rho = ramp.Count; rho >= 1; --rho) {
    uint32_t colour = ramp.Entries[rho < ramp.Count - 1 ? rho : ramp.Count - 1];
    if (!drawn(colour)) continue;
    for (int32_t t = kQuarterTurn; t >= 0; t -= kRingStepAngle) {
      IntPair p = PolarPoint(rho, t);
      IntPair point = {p.Second, p.First};
      PutPixel(canvas, centre_x + point.First, centre_y + point.Second, colour);
      PutPixel(canvas, centre_x - point.First, centre_y + point.Second, colour);
      PutPixel(canvas, centre_x - point.First, centre_y - point.Second, colour);
      PutPixel(canvas, centre_x + point.First, centre_y - point.Second, colour);
    }
  }
}

void FreeColourRamp(ColourRamp& ramp) {
  struct {
    HLOCAL handle;
    uint32_t* entries;
  } fields;
  static_assert(sizeof(fields) == 2 * sizeof(void*));
  BlockCopy(&fields, &ramp, sizeof(fields));
  if (fields.handle == nullptr) return;
  LocalUnlock(fields.handle);
  LocalFree(fields.handle);
}

void DrawArcPair(uint32_t) {
  for (int32_t t = 900; t <= 1799; ++t) {
    int32_t px = PolarPointExact(ArcRadiusX, t).Second;
    int32_t py = PolarPointExact(ArcRadiusY, t).First;
    PutPixel(ArcCanvas, ArcCentreX + px, ArcCentreY + py, ArcColour);
    PutPixel(ArcCanvas, ArcCentreX - px, ArcCentreY - py, ArcColour);
  }
  ArcDone = 1;
}

// Copies whole eight-byte units, then the remaining bytes one at a time.
// Fewer than eight bytes are copied bytewise (the unit loop simply runs 0
// times) instead of copying a unit past the requested count.
void BlockCopy(void* destination, const void* source, uint32_t byte_count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  uint32_t units = byte_count / 8;
  for (uint32_t u = 0; u < units; ++u, to += 8, from += 8) std::memcpy(to, from, 8);
  for (uint32_t i = 0; i < byte_count % 8; ++i) to[i] = from[i];
}
