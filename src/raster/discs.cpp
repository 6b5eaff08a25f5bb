#include "raster/discs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "geometry/scaled_entry.h"
#include "raster/disc_maps.h"
#include "raster/pixel_access.h"
#include "raster/ring_points.h"
#include "raster/stray_pixels.h"
#include "raster/stripes.h"

int32_t ArcCentreX = 0;
int32_t ArcCentreY = 0;
uint32_t ArcColour = 0;
int32_t ArcRadiusX = 0;
int32_t ArcRadiusY = 0;
Canvas ArcCanvas = {nullptr, 0, 0, 0};
uint32_t ArcDone = 0;

namespace {

using raster::kQuarterTurn;
using raster::quarter_entry;
using raster::quarter_round;
using raster::QuarterEntry;
using raster::RingAngle;

constexpr int32_t kRingStepAngle = 90;

// A ring colour that is zero or negative as a signed value is transparent.
bool drawn(uint32_t colour) { return static_cast<int32_t>(colour) > 0; }

// Base + base × step div steps, per component.
uint32_t brightened(const RgbTriple& base, uint32_t step, uint32_t steps, int32_t depth) {
  return PackColour(base.Red + ScaleDiv(step, steps, base.Red).First,
                    base.Green + ScaleDiv(step, steps, base.Green).First,
                    base.Blue + ScaleDiv(step, steps, base.Blue).First, depth);
}

// A ring routine: rings ρ = outer, outer − 1, .., inner, each at the angles
// in drawing order, each point with its mirror images in quadrants 1 to 3.
struct RingSweep {
  const RingAngle* angles;
  int angle_count;
  int32_t cx, cy;
  uint32_t inner, outer;
};

// PutPixel's redirect, inlined; true when the write lands in cell 0.
template <typename Cell>
inline bool put_cell_at(const Canvas& canvas, uint32_t x, uint32_t y, uint32_t colour) {
  size_t i = raster::on_canvas(canvas, x, y) ? size_t{y} * canvas.Width + x : 0;
  static_cast<Cell*>(canvas.Pixels)[i] = static_cast<Cell>(colour);
  return i == 0;
}

// Draws a point and its mirror images in quadrants 1, 2 and 3; true when one
// of the four lands in cell 0.
template <typename Cell>
bool put_mirrored(const Canvas& canvas, int32_t cx, int32_t cy, uint32_t px, uint32_t py,
                  uint32_t colour) {
  auto x = static_cast<uint32_t>(cx), y = static_cast<uint32_t>(cy);
  bool origin = put_cell_at<Cell>(canvas, x + px, y + py, colour);
  origin |= put_cell_at<Cell>(canvas, x - px, y + py, colour);
  origin |= put_cell_at<Cell>(canvas, x - px, y - py, colour);
  origin |= put_cell_at<Cell>(canvas, x + px, y - py, colour);
  return origin;
}

// One ring at all its angles; true when a write lands in cell 0. All points
// of a ring share one colour, so a point equal to the previous one is
// skipped (a ring of radius ρ visits only about 1.6 ρ different pixels).
template <typename Cell>
bool draw_ring(const Canvas& canvas, const RingSweep& sweep, uint32_t rho, uint32_t colour) {
  bool origin = false;
  int64_t last_x = -1, last_y = -1;
  for (int a = 0; a < sweep.angle_count; ++a) {
    int32_t px = quarter_round(static_cast<int32_t>(rho), sweep.angles[a].sine);
    int32_t py = quarter_round(static_cast<int32_t>(rho), sweep.angles[a].cosine);
    if (px == last_x && py == last_y) continue;
    origin |= put_mirrored<Cell>(canvas, sweep.cx, sweep.cy, static_cast<uint32_t>(px),
                                 static_cast<uint32_t>(py), colour);
    last_x = px;
    last_y = py;
  }
  return origin;
}

struct RhoRange {
  uint32_t first, last;  // inclusive
};

// Offsets p in 0 .. 2^31 − 1 for which centre + sign × p (modulo 2^32) lies
// below the limit: one arc of the 32-bit circle, cut at 2^31.
raster::Spans offsets_on_canvas(int32_t centre, int sign, uint32_t limit) {
  auto c = static_cast<uint32_t>(centre);
  uint32_t first = sign > 0 ? 0u - c : c - limit + 1;
  return raster::spans_below(first, limit, 0x80000000u);
}

// The rings whose point round(ρ × entry) lies in a span of offsets. The
// point grows with ρ, so they form one range, found by bisection.
bool rings_reaching(QuarterEntry entry, raster::Span span, uint32_t inner, uint32_t outer,
                    RhoRange& range) {
  auto point = [&](uint64_t rho) {
    return static_cast<uint32_t>(quarter_round(static_cast<int32_t>(rho), entry));
  };
  uint64_t last_offset = uint64_t{span.first} + span.count - 1;
  uint64_t lo = inner, hi = uint64_t{outer} + 1;  // first ring reaching span.first
  while (lo < hi) {
    uint64_t mid = (lo + hi) / 2;
    if (point(mid) >= span.first)
      hi = mid;
    else
      lo = mid + 1;
  }
  uint64_t first = lo;
  lo = inner, hi = uint64_t{outer} + 1;  // first ring beyond the span
  while (lo < hi) {
    uint64_t mid = (lo + hi) / 2;
    if (point(mid) > last_offset)
      hi = mid;
    else
      lo = mid + 1;
  }
  if (first >= lo) return false;
  range = {static_cast<uint32_t>(first), static_cast<uint32_t>(lo - 1)};
  return true;
}

void ranges_for_axis(QuarterEntry entry, const raster::Spans& offsets, const RingSweep& sweep,
                     std::vector<RhoRange>& out) {
  RhoRange range;
  for (int i = 0; i < offsets.size; ++i)
    if (offsets.span[i].count > 0 &&
        rings_reaching(entry, offsets.span[i], sweep.inner, sweep.outer, range))
      out.push_back(range);
}

// Sorted, disjoint ranges of the rings that have a point on the canvas.
std::vector<RhoRange> rings_on_canvas(const Canvas& canvas, const RingSweep& sweep) {
  static constexpr int kSigns[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  raster::Spans x_offsets[2] = {offsets_on_canvas(sweep.cx, 1, canvas.Width),
                                offsets_on_canvas(sweep.cx, -1, canvas.Width)};
  raster::Spans y_offsets[2] = {offsets_on_canvas(sweep.cy, 1, canvas.Height),
                                offsets_on_canvas(sweep.cy, -1, canvas.Height)};
  std::vector<RhoRange> found;
  for (int a = 0; a < sweep.angle_count; ++a) {
    std::vector<RhoRange> xs[2], ys[2];
    for (int s = 0; s < 2; ++s) {
      ranges_for_axis(sweep.angles[a].sine, x_offsets[s], sweep, xs[s]);
      ranges_for_axis(sweep.angles[a].cosine, y_offsets[s], sweep, ys[s]);
    }
    for (const auto& signs : kSigns)
      for (const RhoRange& x : xs[signs[0] > 0 ? 0 : 1])
        for (const RhoRange& y : ys[signs[1] > 0 ? 0 : 1]) {
          RhoRange both = {std::max(x.first, y.first), std::min(x.last, y.last)};
          if (both.first <= both.last) found.push_back(both);
        }
  }
  std::sort(found.begin(), found.end(),
            [](const RhoRange& a, const RhoRange& b) { return a.first < b.first; });
  std::vector<RhoRange> merged;
  for (const RhoRange& range : found) {
    if (!merged.empty() && uint64_t{merged.back().last} + 1 >= range.first)
      merged.back().last = std::max(merged.back().last, range.last);
    else
      merged.push_back(range);
  }
  return merged;
}

bool box_on_canvas(const Canvas& canvas, const RingSweep& sweep) {
  int64_t r = sweep.outer;
  return raster::rect_inside(canvas, int64_t{sweep.cx} - r, int64_t{sweep.cy} - r, 2 * r + 1,
                             2 * r + 1);
}

// The innermost ring wholly off the canvas whose colour is drawn, if any.
// next_run (ρ) is the next ring whose colour may differ from ring ρ's.
template <typename ColourOf, typename NextRun>
bool innermost_ring_off_canvas(const RingSweep& sweep, const std::vector<RhoRange>& on_canvas,
                               ColourOf colour_of, NextRun next_run, uint32_t& found) {
  size_t next_range = 0;
  uint64_t rho = sweep.inner;
  while (rho <= sweep.outer) {
    if (next_range < on_canvas.size() && on_canvas[next_range].last < rho) {
      ++next_range;
    } else if (next_range < on_canvas.size() && on_canvas[next_range].first <= rho) {
      rho = uint64_t{on_canvas[next_range].last} + 1;
    } else if (drawn(colour_of(static_cast<uint32_t>(rho)))) {
      found = static_cast<uint32_t>(rho);
      return true;
    } else {
      rho = next_run(static_cast<uint32_t>(rho));
    }
  }
  return false;
}

// Draws rings outer .. inner. Rings with a point on the canvas are drawn in
// full, outermost first; every other ring only sends its points to pixel
// (0, 0), which ends with the colour of the last ring that writes it.
template <typename Cell, typename ColourOf, typename NextRun>
void sweep_rings(const Canvas& canvas, const RingSweep& sweep, ColourOf colour_of,
                 NextRun next_run) {
  std::vector<RhoRange> on_canvas = box_on_canvas(canvas, sweep)
                                        ? std::vector<RhoRange>{{sweep.inner, sweep.outer}}
                                        : rings_on_canvas(canvas, sweep);
  uint64_t last_origin_ring = uint64_t{sweep.outer} + 1;  // none yet
  for (size_t i = on_canvas.size(); i-- > 0;) {
    for (uint64_t rho = uint64_t{on_canvas[i].last} + 1; rho-- > on_canvas[i].first;) {
      uint32_t colour = colour_of(static_cast<uint32_t>(rho));
      if (drawn(colour) && draw_ring<Cell>(canvas, sweep, static_cast<uint32_t>(rho), colour))
        last_origin_ring = rho;
    }
  }
  uint32_t off_ring = 0;
  if (innermost_ring_off_canvas(sweep, on_canvas, colour_of, next_run, off_ring) &&
      off_ring < last_origin_ring)
    static_cast<Cell*>(canvas.Pixels)[0] = static_cast<Cell>(colour_of(off_ring));
}

// Ring ρ = radius − k of a disc: the caller's colour on the rim (k = 0), then
// base + base × (k − 1) div radius per component.
struct DiscColours {
  RgbTriple base;
  uint32_t rim, radius;
  int32_t depth;

  uint32_t operator()(uint32_t rho) const {
    if (rho == radius) return rim;
    return brightened(base, radius - rho - 1, radius, depth);
  }
  // Each component's step base × (k − 1) div radius stays the same for a run
  // of rings; the next ring out where one of them changes.
  uint64_t next_run(uint32_t rho) const {
    if (rho >= radius) return uint64_t{rho} + 1;
    uint64_t k = radius - rho, run_start_k = 1;
    for (uint32_t b : {base.Red, base.Green, base.Blue}) {
      if (b == 0) continue;
      uint64_t step = (k - 1) * b / radius;
      run_start_k = std::max(run_start_k, (step * radius + b - 1) / b + 1);
    }
    return uint64_t{radius} - run_start_k + 1;
  }
};

template <typename Cell>
void fill_disc_rings(const Canvas& canvas, int32_t cx, int32_t cy, int32_t radius,
                     uint32_t colour) {
  DiscColours colours = {{}, colour, static_cast<uint32_t>(radius), canvas.BitsPerPixel};
  UnpackColour(colours.base, colour, canvas.BitsPerPixel);
  RingSweep sweep = {raster::disc_angles(), kQuarterTurn, cx, cy, 0, static_cast<uint32_t>(radius)};
  sweep_rings<Cell>(canvas, sweep, colours, [&](uint32_t rho) { return colours.next_run(rho); });
}

// The dotted rings' angles 900, 810, .., 0, in drawing order.
struct RampRingAngles {
  static constexpr int kCount = kQuarterTurn / kRingStepAngle + 1;
  RingAngle angle[kCount];
  RampRingAngles() {
    for (int i = 0; i < kCount; ++i) {
      int32_t t = kQuarterTurn - i * kRingStepAngle;
      angle[i] = {quarter_entry(SinEntry(t)), quarter_entry(CosEntry(t))};
    }
  }
};

template <typename Cell>
void draw_ramp_rings(const Canvas& canvas, const ColourRamp& ramp, int32_t cx, int32_t cy) {
  static const RampRingAngles angles;
  auto last_entry = static_cast<uint32_t>(ramp.Count - 1);
  auto colour_of = [&](uint32_t rho) { return ramp.Entries[std::min(rho, last_entry)]; };
  RingSweep sweep = {
      angles.angle, RampRingAngles::kCount, cx, cy, 1, static_cast<uint32_t>(ramp.Count)};
  sweep_rings<Cell>(canvas, sweep, colour_of, [](uint32_t rho) { return uint64_t{rho} + 1; });
}

}  // namespace

const raster::RingAngle* raster::disc_angles() {
  struct Angles {
    RingAngle angle[kQuarterTurn];
    Angles() {
      for (int32_t t = kQuarterTurn; t >= 1; --t)
        angle[kQuarterTurn - t] = {quarter_entry(SinEntry(t)), quarter_entry(CosEntry(t))};
    }
  };
  static const Angles angles;
  return angles.angle;
}

// Rings are drawn from the rim inwards, each a little brighter; a radius of
// zero or less draws nothing (the colour step divides by the radius).
void FillGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                      uint32_t base_colour) {
  if (radius <= 0) return;
  if (raster::fill_disc_from_map(canvas, centre_x, centre_y, radius, base_colour)) return;
  if (canvas.BitsPerPixel == 32)
    return fill_disc_rings<uint32_t>(canvas, centre_x, centre_y, radius, base_colour);
  if (canvas.BitsPerPixel == 16)
    return fill_disc_rings<uint16_t>(canvas, centre_x, centre_y, radius, base_colour);
}

// A count of zero or less makes an empty ramp: no entries and no block.
void CreateColourRamp(const Canvas& canvas, ColourRamp& ramp, int32_t x, int32_t y, int32_t span,
                      int32_t count, uint32_t base_colour) {
  ramp = {nullptr, nullptr, x, y, span, count > 0 ? count : 0};
  // A block the address space cannot hold is refused like a failed
  // allocation, rather than wrapping its size on the 32-bit target.
  if (count <= 0 || static_cast<uint64_t>(count) * 4 > SIZE_MAX) {
    ramp.Count = 0;
    return;
  }
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
// Each covers columns x .. x + span (span + 1 pixels, none for a negative
// span), counted with the 32-bit wrap of canvas coordinates.
void DrawColourRamp(const Canvas& canvas, const ColourRamp& ramp, int32_t x, int32_t y) {
  if (ramp.Count <= 0 || !raster::stores_pixels(canvas)) return;
  uint64_t pixels = ramp.Span < 0 ? 0 : uint64_t(uint32_t(ramp.Span)) + 1;
  raster::StripeColumns columns =
      raster::contiguous_columns(canvas, static_cast<uint32_t>(x), pixels);
  auto count = static_cast<uint32_t>(ramp.Count);
  auto colour_of = [&](uint32_t j) { return ramp.Entries[count - 1 - j]; };
  uint32_t first_row = static_cast<uint32_t>(y) + 1;
  if (canvas.BitsPerPixel == 32)
    return raster::paint_stripes<uint32_t>(canvas, columns, first_row, 1, count, colour_of);
  raster::paint_stripes<uint16_t>(canvas, columns, first_row, 1, count, colour_of);
}

// One dotted ring per entry, 11 angles a quarter; the outermost ring repeats
// the entry of the next one and entry 0 is never drawn.
void DrawRampRings(const Canvas& canvas, const ColourRamp& ramp, int32_t centre_x,
                   int32_t centre_y) {
  if (ramp.Count <= 0) return;
  if (canvas.BitsPerPixel == 32) return draw_ramp_rings<uint32_t>(canvas, ramp, centre_x, centre_y);
  if (canvas.BitsPerPixel == 16) return draw_ramp_rings<uint16_t>(canvas, ramp, centre_x, centre_y);
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
    PutPixel(ArcCanvas, raster::wrap_add(ArcCentreX, px), raster::wrap_add(ArcCentreY, py),
             ArcColour);
    PutPixel(ArcCanvas, raster::wrap_sub(ArcCentreX, px), raster::wrap_sub(ArcCentreY, py),
             ArcColour);
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
