#include "raster/lines.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "raster/pixel_access.h"
#include "raster/stray_pixels.h"
#include "raster/stripes.h"

namespace {

// One offset of a line, |d| × k div n for k = n down to 1, as the high word of
// the 128-bit product k × c with c = ceil(2^64 × |d| ÷ n): exact for n < 2^31
// (the product's error k × (c − 2^64 |d| ÷ n) ÷ 2^64 stays below 1/n, under
// any fraction's distance to the next integer). Stepping k down subtracts c
// from the low word, and the offset falls by one exactly when that borrows,
// so each step costs one subtraction instead of a division. For |d| = n the
// offset falls every step: c = 2^64 − 1 from a low word of 0 borrows on each
// of fewer than 2^64 − 1 steps.
class FixedOffset {
 public:
  FixedOffset(int64_t magnitude, int32_t n) {
    auto m = static_cast<uint64_t>(magnitude), steps = static_cast<uint64_t>(n);
    if (m == steps) {
      c_ = ~uint64_t{0};
      return;
    }
    if (m == 0) return;
    uint64_t high = (m << 32) / steps, rest = (m << 32) % steps;  // m < n < 2^31
    c_ = (high << 32) + ((rest << 32) + steps - 1) / steps;
    low_ = steps * c_;  // n × c − |d| × 2^64, modulo 2^64
  }
  // All ones when the offset falls by one on the way from step k to k − 1.
  uint64_t step_back() {
    uint64_t borrow = __builtin_sub_overflow(low_, c_, &low_) ? 1 : 0;
    return 0 - borrow;
  }

 private:
  uint64_t c_ = 0, low_ = 0;
};

// A line wholly on the canvas with |dx|, |dy| ≤ n: from step n (the end point,
// offsets exactly dx and dy) back to step 1, the cell index moving by a column
// or a row whenever an offset falls. A horizontal line of n = |dx| steps is
// the run of cells after (or before) its start, written at once.
template <typename Cell>
void draw_line_inside(const Canvas& canvas, int32_t x1, int32_t y1, IntPair delta, int32_t n,
                      uint32_t colour) {
  Cell* cells = static_cast<Cell*>(canvas.Pixels);
  const auto cell = static_cast<Cell>(colour);
  const int64_t mx = std::abs(int64_t{delta.First}), my = std::abs(int64_t{delta.Second});
  const auto pitch = static_cast<ptrdiff_t>(canvas.Width);
  if (my == 0 && mx == n) {
    Cell* row = cells + ptrdiff_t{y1} * pitch;
    ptrdiff_t first = delta.First > 0 ? ptrdiff_t{x1} + 1 : ptrdiff_t{x1} + delta.First;
    std::fill(row + first, row + first + n, cell);
    return;
  }
  ptrdiff_t index = (ptrdiff_t{y1} + delta.Second) * pitch + (ptrdiff_t{x1} + delta.First);
  const auto back_x = static_cast<uint64_t>(delta.First < 0 ? 1 : -1);
  const auto back_y = static_cast<uint64_t>(delta.Second < 0 ? pitch : -pitch);
  FixedOffset ox(mx, n), oy(my, n);
  for (int32_t k = n; k >= 1; --k) {
    cells[index] = cell;
    index += static_cast<ptrdiff_t>((back_x & ox.step_back()) + (back_y & oy.step_back()));
  }
}

// One coordinate of a line at step k: start ± |delta| × k div n, the offset
// growing with k (truncation toward zero is the same on both sides).
struct LineCoordinate {
  uint32_t start;
  bool negative;
  uint64_t magnitude;  // up to 2^31
  uint64_t steps;

  uint64_t offset(uint64_t k) const { return magnitude * k / steps; }
  uint32_t at(uint64_t k) const {
    auto u = static_cast<uint32_t>(offset(k));
    return negative ? start - u : start + u;
  }
};

struct StepRange {
  uint64_t first, last;  // inclusive
};

// The steps 1 .. n at which the coordinate lies below the limit: where its
// offset lies in one arc of the 32-bit circle, so at most two ranges.
std::vector<StepRange> steps_below(const LineCoordinate& c, uint32_t limit) {
  uint32_t first_offset = c.negative ? c.start - limit + 1 : 0u - c.start;
  auto cap = static_cast<uint32_t>(c.magnitude + 1);  // offsets 0 .. magnitude
  raster::Spans offsets = raster::spans_below(first_offset, limit, cap);
  std::vector<StepRange> ranges;
  for (int i = 0; i < offsets.size; ++i) {
    if (offsets.span[i].count == 0) continue;
    uint64_t low = offsets.span[i].first, high = low + offsets.span[i].count - 1;
    auto first_step_where = [&](auto beyond) {  // first k in 1 .. n + 1 with beyond (k)
      uint64_t lo = 1, hi = c.steps + 1;
      while (lo < hi) {
        uint64_t mid = (lo + hi) / 2;
        if (beyond(mid))
          hi = mid;
        else
          lo = mid + 1;
      }
      return lo;
    };
    uint64_t first = first_step_where([&](uint64_t k) { return c.offset(k) >= low; });
    uint64_t end = first_step_where([&](uint64_t k) { return c.offset(k) > high; });
    if (first < end) ranges.push_back({first, end - 1});
  }
  return ranges;
}

// A line that strays off the canvas: all its pixels share one colour, so only
// the steps on the canvas are drawn, and pixel (0, 0) takes the colour when
// any step strays.
template <typename Cell>
void draw_line_clipped(const Canvas& canvas, int32_t x1, int32_t y1, IntPair delta, int32_t n,
                       uint32_t colour) {
  auto coordinate = [n](int32_t start, int32_t d) {
    uint64_t magnitude = d < 0 ? 0 - static_cast<uint64_t>(int64_t{d}) : static_cast<uint64_t>(d);
    return LineCoordinate{static_cast<uint32_t>(start), d < 0, magnitude, static_cast<uint64_t>(n)};
  };
  LineCoordinate x = coordinate(x1, delta.First), y = coordinate(y1, delta.Second);
  uint64_t drawn = 0;
  for (const StepRange& xs : steps_below(x, canvas.Width))
    for (const StepRange& ys : steps_below(y, canvas.Height)) {
      uint64_t first = std::max(xs.first, ys.first), last = std::min(xs.last, ys.last);
      for (uint64_t k = first; k <= last; ++k)
        raster::row_of<Cell>(canvas, y.at(k))[x.at(k)] = static_cast<Cell>(colour);
      if (first <= last) drawn += last - first + 1;
    }
  if (drawn < static_cast<uint64_t>(n))
    static_cast<Cell*>(canvas.Pixels)[0] = static_cast<Cell>(colour);
}

// Colour of gradient row i (0 is the bottom row): base + base × i div h.
uint32_t gradient_row_colour(const RgbTriple& base, uint32_t i, uint32_t height, int32_t depth) {
  return PackColour(base.Red + ScaleDiv(i, height, base.Red).First,
                    base.Green + ScaleDiv(i, height, base.Green).First,
                    base.Blue + ScaleDiv(i, height, base.Blue).First, depth);
}

// The columns of DrawLine from (x, row) to (x + w, row), the same on every
// row: x + w × k div n for k = n .. 1, where n is the line's length. While w
// is short enough for an exact length they are x + 1 .. x + w (or x + w ..
// x − 1 leftwards); beyond, the wrapped length leaves gaps between them.
raster::StripeColumns gradient_columns(const Canvas& canvas, int32_t x, int32_t w) {
  int32_t n = VectorLength(w, 0);
  if (n <= 0) return {};
  uint64_t magnitude = w < 0 ? 0 - static_cast<uint64_t>(int64_t{w}) : static_cast<uint64_t>(w);
  if (magnitude == static_cast<uint64_t>(n)) {
    uint32_t first = w > 0 ? static_cast<uint32_t>(x) + 1 : raster::wrap_add(x, w);
    return raster::contiguous_columns(canvas, first, magnitude);
  }
  std::vector<uint32_t> list;
  list.reserve(static_cast<size_t>(n));
  for (int32_t k = n; k >= 1; --k)
    list.push_back(static_cast<uint32_t>(x) + static_cast<uint32_t>(ScalePair(w, 0, n, k).First));
  return raster::listed_columns(canvas, std::move(list));
}

// Rows y + h − i for i = 0 .. h − 1, bottom row first, each in its colour.
template <typename Cell>
void fill_gradient_rows(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                        uint32_t base_colour) {
  RgbTriple base;
  UnpackColour(base, base_colour, canvas.BitsPerPixel);
  auto height = static_cast<uint32_t>(h);
  raster::paint_stripes<Cell>(
      canvas, gradient_columns(canvas, x, w), static_cast<uint32_t>(y) + height, -1, height,
      [&](uint32_t i) { return gradient_row_colour(base, i, height, canvas.BitsPerPixel); });
}

// Blends one canvas cell with a colour exactly as BlendPixel does.
template <typename Cell>
Cell blend_cell(Cell cell, const RgbTriple& source, uint32_t mode, int32_t depth) {
  RgbTriple d;
  UnpackColour(d, cell, depth);
  RgbTriple s = raster::combine_components(source, d, mode);
  return static_cast<Cell>(PackColour(s.Red, s.Green, s.Blue, depth));
}

// 32-bit blends on whole words: the same per-component results as
// unpacking, combining and packing, with bits 31..24 cleared.
inline uint32_t blend_word(uint32_t d, uint32_t s, uint32_t mode) {
  constexpr uint32_t kRgb = 0xFFFFFF;
  d &= kRgb;
  s &= kRgb;
  switch (mode) {
    case kBlendAverage: return ((d >> 1) & 0x7F7F7F) + ((s >> 1) & 0x7F7F7F) + (d & s & 0x010101);
    case kBlendAdd:
      return (((d & 0xFF00FF) + (s & 0xFF00FF)) & 0xFF00FF) |
             (((d & 0xFF00) + (s & 0xFF00)) & 0xFF00);
    case kBlendXor: return d ^ s;
    default: return s;
  }
}

template <uint32_t kMode>
void blend_area_32(const Canvas& canvas, raster::Span columns, raster::Span rows, uint32_t colour) {
  for (uint32_t r = 0; r < rows.count; ++r) {
    uint32_t* cells = raster::row_of<uint32_t>(canvas, rows.first + r) + columns.first;
    for (uint32_t i = 0; i < columns.count; ++i) cells[i] = blend_word(cells[i], colour, kMode);
  }
}

void blend_area_16(const Canvas& canvas, raster::Span columns, raster::Span rows, uint32_t colour,
                   uint32_t mode) {
  RgbTriple source;
  UnpackColour(source, colour, 16);
  for (uint32_t r = 0; r < rows.count; ++r) {
    uint16_t* cells = raster::row_of<uint16_t>(canvas, rows.first + r) + columns.first;
    for (uint32_t i = 0; i < columns.count; ++i)
      cells[i] = blend_cell<uint16_t>(cells[i], source, mode, 16);
  }
}

// Blends an area that lies wholly on the canvas, each pixel once.
void blend_area(const Canvas& canvas, raster::Span columns, raster::Span rows, uint32_t colour,
                uint32_t mode) {
  if (canvas.BitsPerPixel == 16) return blend_area_16(canvas, columns, rows, colour, mode);
  switch (mode) {
    case kBlendAverage: return blend_area_32<kBlendAverage>(canvas, columns, rows, colour);
    case kBlendAdd: return blend_area_32<kBlendAdd>(canvas, columns, rows, colour);
    case kBlendXor: return blend_area_32<kBlendXor>(canvas, columns, rows, colour);
    default: return blend_area_32<kBlendCopy>(canvas, columns, rows, colour);
  }
}

// What pixel (0, 0) holds after `times` blends of the colour into it.
uint32_t blend_origin_repeatedly(const Canvas& canvas, uint32_t start, uint64_t times,
                                 uint32_t colour, uint32_t mode) {
  return raster::apply_repeatedly(start, times, [&](uint32_t value) {
    uint32_t cell32 = value;
    auto cell16 = static_cast<uint16_t>(value);
    Canvas one = {canvas.BitsPerPixel == 16 ? static_cast<void*>(&cell16) : &cell32, 1, 1,
                  canvas.BitsPerPixel};
    return BlendPixel(one, 0, 0, colour, mode);
  });
}

}  // namespace

void DrawLine(const Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t colour) {
  IntPair delta = PointDelta(x1, y1, x2, y2);
  int32_t n = VectorLength(delta.First, delta.Second);
  if (n <= 0 || !raster::stores_pixels(canvas)) return;
  bool exact_length = std::abs(int64_t{delta.First}) <= n && std::abs(int64_t{delta.Second}) <= n;
  int64_t left = std::min<int64_t>(x1, int64_t{x1} + delta.First);
  int64_t top = std::min<int64_t>(y1, int64_t{y1} + delta.Second);
  bool inside = raster::rect_inside(canvas, left, top, std::abs(int64_t{delta.First}) + 1,
                                    std::abs(int64_t{delta.Second}) + 1);
  if (canvas.BitsPerPixel == 32) {
    if (exact_length && inside) return draw_line_inside<uint32_t>(canvas, x1, y1, delta, n, colour);
    return draw_line_clipped<uint32_t>(canvas, x1, y1, delta, n, colour);
  }
  if (exact_length && inside) return draw_line_inside<uint16_t>(canvas, x1, y1, delta, n, colour);
  draw_line_clipped<uint16_t>(canvas, x1, y1, delta, n, colour);
}

void DrawQuarterArc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius_x,
                    int32_t radius_y, uint32_t colour) {
  const Canvas copy = canvas;
  for (int32_t t = 900; t >= 1; --t) {
    int32_t x = raster::wrap_add(centre_x, PolarPoint(radius_x, t).Second);
    int32_t y = raster::wrap_add(centre_y, PolarPoint(radius_y, t).First);
    PutPixel(copy, x, y, colour);
  }
}

// A height of zero or less draws nothing (the colour step divides by it).
// Rows off the canvas are not drawn one by one: each would only send its
// pixels to pixel (0, 0), where the last such row decides the colour.
void FillGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t base_colour) {
  if (height <= 0) return;
  if (canvas.BitsPerPixel == 32)
    return fill_gradient_rows<uint32_t>(canvas, x, y, width, height, base_colour);
  if (canvas.BitsPerPixel == 16)
    return fill_gradient_rows<uint16_t>(canvas, x, y, width, height, base_colour);
}

// A width or height of zero or less blends nothing. Every pixel off the
// canvas blends pixel (0, 0) once more with the same colour, so the on-canvas
// area is blended once and pixel (0, 0) as often as it is visited.
void FillBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t colour, uint32_t mode) {
  if (width <= 0 || height <= 0 || !raster::stores_pixels(canvas)) return;
  raster::Spans columns =
      raster::spans_below(static_cast<uint32_t>(x), uint32_t(width), canvas.Width);
  raster::Spans rows =
      raster::spans_below(static_cast<uint32_t>(y), uint32_t(height), canvas.Height);
  uint32_t origin = GetPixel(canvas, 0, 0);
  bool origin_inside = false;
  for (int r = 0; r < rows.size; ++r)
    for (int c = 0; c < columns.size; ++c) {
      blend_area(canvas, columns.span[c], rows.span[r], colour, mode);
      origin_inside |= columns.span[c].first == 0 && rows.span[r].first == 0 &&
                       columns.span[c].count > 0 && rows.span[r].count > 0;
    }
  uint64_t visits = uint64_t(uint32_t(width)) * uint32_t(height) - columns.total() * rows.total() +
                    (origin_inside ? 1 : 0);
  if (visits > 0)
    PutPixel(canvas, 0, 0, blend_origin_repeatedly(canvas, origin, visits, colour, mode));
}
