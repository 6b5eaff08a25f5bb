#include "raster/lines.h"

#include <cstdlib>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "raster/pixel_access.h"

namespace {

// Longest row a gradient line can span with an exact length: beyond it the
// sum of squares of DrawLine's length leaves the signed 32-bit range.
constexpr int32_t kLongestExactSpan = 46340;

// Steps one coordinate of a line from step n down to step 1: offset k is
// delta × k ÷ n truncated toward zero, kept as a quotient and remainder so
// that no step divides. Valid while |delta| ≤ n.
class LineAxis {
 public:
  LineAxis(int32_t delta, int32_t steps)
      : magnitude_(std::abs(static_cast<int64_t>(delta))),
        negative_(delta < 0),
        steps_(steps),
        quotient_(magnitude_),
        remainder_(0) {}

  int32_t offset() const { return static_cast<int32_t>(negative_ ? -quotient_ : quotient_); }

  void step_back() {
    remainder_ -= magnitude_;
    if (remainder_ < 0) {
      remainder_ += steps_;
      --quotient_;
    }
  }

 private:
  int64_t magnitude_;
  bool negative_;
  int64_t steps_;
  int64_t quotient_;
  int64_t remainder_;
};

template <typename Cell>
void draw_line_steps(const Canvas& canvas, int32_t x1, int32_t y1, IntPair delta, int32_t n,
                     uint32_t colour) {
  LineAxis ax(delta.First, n), ay(delta.Second, n);
  for (int32_t k = n; k >= 1; --k) {
    raster::put_cell<Cell>(canvas, static_cast<int32_t>(static_cast<uint32_t>(x1) + ax.offset()),
                           static_cast<int32_t>(static_cast<uint32_t>(y1) + ay.offset()), colour);
    ax.step_back();
    ay.step_back();
  }
}

// The defined stepping, one 64-bit division per coordinate and step; used
// where the length wrapped and no longer bounds the deltas.
void draw_line_by_division(const Canvas& canvas, int32_t x1, int32_t y1, IntPair delta, int32_t n,
                           uint32_t colour) {
  for (int32_t k = n; k >= 1; --k) {
    IntPair offset = ScalePair(delta.First, delta.Second, n, k);
    PutPixel(canvas, static_cast<int32_t>(static_cast<uint32_t>(x1) + offset.First),
             static_cast<int32_t>(static_cast<uint32_t>(y1) + offset.Second), colour);
  }
}

// Colour of gradient row i (0 is the bottom row): base + base × i div h.
uint32_t gradient_row_colour(const RgbTriple& base, uint32_t i, uint32_t height, int32_t depth) {
  return PackColour(base.Red + ScaleDiv(i, height, base.Red).First,
                    base.Green + ScaleDiv(i, height, base.Green).First,
                    base.Blue + ScaleDiv(i, height, base.Blue).First, depth);
}

// Fills columns x + 1 .. x + w of one row as DrawLine from (x, row) to
// (x + w, row) does: a span where the row lies on the canvas, pixel by pixel
// (with the redirect to pixel (0, 0)) where it does not. All pixels of the
// row share one colour, so their order within the row does not matter.
template <typename Cell>
void fill_gradient_row(const Canvas& canvas, int32_t x, int32_t row, int32_t w, uint32_t colour) {
  if (raster::rect_inside(canvas, int64_t{x} + 1, row, w, 1)) {
    Cell* cells = raster::row_of<Cell>(canvas, static_cast<uint32_t>(row)) + x + 1;
    for (int32_t i = 0; i < w; ++i) cells[i] = static_cast<Cell>(colour);
    return;
  }
  for (int32_t i = w; i >= 1; --i)
    raster::put_cell<Cell>(canvas, static_cast<int32_t>(static_cast<uint32_t>(x) + i), row, colour);
}

// Calls row_action (row, colour) for each row of a gradient, bottom row
// first: row y + h − i in base + base × i div h.
template <typename RowAction>
void for_each_gradient_row(const Canvas& canvas, int32_t y, int32_t h, uint32_t base_colour,
                           RowAction row_action) {
  RgbTriple base;
  UnpackColour(base, base_colour, canvas.BitsPerPixel);
  for (int32_t i = 0; i < h; ++i) {
    uint32_t colour = gradient_row_colour(base, static_cast<uint32_t>(i), static_cast<uint32_t>(h),
                                          canvas.BitsPerPixel);
    row_action(static_cast<int32_t>(static_cast<uint32_t>(y) + static_cast<uint32_t>(h - i)),
               colour);
  }
}

template <typename Cell>
void fill_gradient_rows(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                        uint32_t base_colour) {
  for_each_gradient_row(canvas, y, h, base_colour, [&](int32_t row, uint32_t colour) {
    fill_gradient_row<Cell>(canvas, x, row, w, colour);
  });
}

// The defined gradient: one DrawLine per row, bottom row first.
void fill_gradient_by_lines(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                            uint32_t base_colour) {
  auto end_x = static_cast<int32_t>(static_cast<uint32_t>(x) + static_cast<uint32_t>(w));
  for_each_gradient_row(canvas, y, h, base_colour, [&](int32_t row, uint32_t colour) {
    DrawLine(canvas, x, row, end_x, row, colour);
  });
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
void blend_rows_32(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                   uint32_t colour) {
  for (int32_t row = y; row < y + h; ++row) {
    uint32_t* cells = raster::row_of<uint32_t>(canvas, static_cast<uint32_t>(row)) + x;
    for (int32_t i = 0; i < w; ++i) cells[i] = blend_word(cells[i], colour, kMode);
  }
}

void blend_inside_32(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint32_t colour, uint32_t mode) {
  switch (mode) {
    case kBlendAverage: return blend_rows_32<kBlendAverage>(canvas, x, y, w, h, colour);
    case kBlendAdd: return blend_rows_32<kBlendAdd>(canvas, x, y, w, h, colour);
    case kBlendXor: return blend_rows_32<kBlendXor>(canvas, x, y, w, h, colour);
    default: return blend_rows_32<kBlendCopy>(canvas, x, y, w, h, colour);
  }
}

void blend_inside_16(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint32_t colour, uint32_t mode) {
  RgbTriple source;
  UnpackColour(source, colour, 16);
  for (int32_t row = y; row < y + h; ++row) {
    uint16_t* cells = raster::row_of<uint16_t>(canvas, static_cast<uint32_t>(row)) + x;
    for (int32_t i = 0; i < w; ++i) cells[i] = blend_cell<uint16_t>(cells[i], source, mode, 16);
  }
}

// The defined order: rows top to bottom, columns left to right, each pixel
// read and written before the next. Needed where pixels stray off the
// canvas, since they all land on pixel (0, 0) and blend it again each time.
void blend_pixel_by_pixel(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                          uint32_t colour, uint32_t mode) {
  for (int32_t r = 0; r < h; ++r) {
    auto row = static_cast<int32_t>(static_cast<uint32_t>(y) + r);
    for (int32_t c = 0; c < w; ++c) {
      auto column = static_cast<int32_t>(static_cast<uint32_t>(x) + c);
      PutPixel(canvas, column, row, BlendPixel(canvas, column, row, colour, mode));
    }
  }
}

}  // namespace

void DrawLine(const Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t colour) {
  IntPair delta = PointDelta(x1, y1, x2, y2);
  int32_t n = VectorLength(delta.First, delta.Second);
  if (n <= 0) return;
  bool exact_length = std::abs(int64_t{delta.First}) <= n && std::abs(int64_t{delta.Second}) <= n;
  if (!exact_length) return draw_line_by_division(canvas, x1, y1, delta, n, colour);
  if (canvas.BitsPerPixel == 32) return draw_line_steps<uint32_t>(canvas, x1, y1, delta, n, colour);
  if (canvas.BitsPerPixel == 16) return draw_line_steps<uint16_t>(canvas, x1, y1, delta, n, colour);
}

void DrawQuarterArc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius_x,
                    int32_t radius_y, uint32_t colour) {
  const Canvas copy = canvas;
  for (int32_t t = 900; t >= 1; --t) {
    int32_t x = centre_x + PolarPoint(radius_x, t).Second;
    int32_t y = centre_y + PolarPoint(radius_y, t).First;
    PutPixel(copy, x, y, colour);
  }
}

// A height of zero or less draws nothing (the colour step divides by it).
void FillGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t base_colour) {
  if (height <= 0) return;
  if (width < 1 || width > kLongestExactSpan)
    return fill_gradient_by_lines(canvas, x, y, width, height, base_colour);
  if (canvas.BitsPerPixel == 32)
    return fill_gradient_rows<uint32_t>(canvas, x, y, width, height, base_colour);
  if (canvas.BitsPerPixel == 16)
    return fill_gradient_rows<uint16_t>(canvas, x, y, width, height, base_colour);
}

// A width or height of zero or less blends nothing.
void FillBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t colour, uint32_t mode) {
  if (width <= 0 || height <= 0) return;
  if (!raster::rect_inside(canvas, x, y, width, height))
    return blend_pixel_by_pixel(canvas, x, y, width, height, colour, mode);
  if (canvas.BitsPerPixel == 32) return blend_inside_32(canvas, x, y, width, height, colour, mode);
  if (canvas.BitsPerPixel == 16) return blend_inside_16(canvas, x, y, width, height, colour, mode);
}
