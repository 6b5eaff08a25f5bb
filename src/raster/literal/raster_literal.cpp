#include "raster/literal/raster_literal.h"

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"

namespace literal {

namespace {

int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// A point and its QuadrantMirror images 1, 2 and 3, in this order.
void put_quadrants(const Canvas& canvas, int32_t cx, int32_t cy, int32_t px, int32_t py,
                   uint32_t c) {
  PutPixel(canvas, wrap_add(cx, px), wrap_add(cy, py), c);
  for (uint32_t quadrant = 1; quadrant <= 3; ++quadrant) {
    IntPair m = QuadrantMirror(px, py, quadrant);
    PutPixel(canvas, wrap_add(cx, m.First), wrap_add(cy, m.Second), c);
  }
}

}  // namespace

void DrawLine(const Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              uint32_t colour) {
  IntPair d = PointDelta(x1, y1, x2, y2);
  int32_t n = VectorLength(d.First, d.Second);
  if (n <= 0) return;
  for (int32_t k = n; k >= 1; --k) {
    IntPair o = ScalePair(d.First, d.Second, n, k);
    PutPixel(canvas, static_cast<int32_t>(static_cast<uint32_t>(x1) + o.First),
             static_cast<int32_t>(static_cast<uint32_t>(y1) + o.Second), colour);
  }
}

void DrawQuarterArc(const Canvas& canvas, int32_t cx, int32_t cy, int32_t rx, int32_t ry,
                    uint32_t colour) {
  for (int32_t t = 900; t >= 1; --t)
    PutPixel(canvas, wrap_add(cx, PolarPoint(rx, t).Second), wrap_add(cy, PolarPoint(ry, t).First),
             colour);
}

void FillGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                      uint32_t colour) {
  const Canvas copy = canvas;
  RgbTriple c;
  UnpackColour(c, colour, copy.BitsPerPixel);
  for (int32_t i = 0; i < h; ++i) {
    auto step = static_cast<uint32_t>(i);
    uint32_t r = c.Red + ScaleDiv(step, h, c.Red).First;
    uint32_t g = c.Green + ScaleDiv(step, h, c.Green).First;
    uint32_t b = c.Blue + ScaleDiv(step, h, c.Blue).First;
    uint32_t packed = PackColour(r, g, b, copy.BitsPerPixel);
    auto row = static_cast<int32_t>(static_cast<uint32_t>(y) + h - step);
    DrawLine(copy, x, row, static_cast<int32_t>(static_cast<uint32_t>(x) + w), row, packed);
  }
}

void FillBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h,
                   uint32_t colour, uint32_t mode) {
  for (int32_t r = 0; r < h; ++r) {
    for (int32_t c = 0; c < w; ++c) {
      auto column = static_cast<int32_t>(static_cast<uint32_t>(x) + static_cast<uint32_t>(c));
      auto row = static_cast<int32_t>(static_cast<uint32_t>(y) + static_cast<uint32_t>(r));
      PutPixel(canvas, column, row, BlendPixel(canvas, column, row, colour, mode));
    }
  }
}

void FillGradientDisc(const Canvas& canvas, int32_t cx, int32_t cy, int32_t radius,
                      uint32_t colour) {
  RgbTriple base;
  UnpackColour(base, colour, canvas.BitsPerPixel);
  uint32_t c = colour;
  uint32_t i = 0;
  for (int32_t rho = radius; rho >= 0; --rho) {
    for (int32_t t = 900; t >= 1; --t) {
      IntPair p = PolarPoint(rho, t);
      int32_t px = p.Second, py = p.First;
      if (static_cast<int32_t>(c) > 0) put_quadrants(canvas, cx, cy, px, py, c);
    }
    c = PackColour(base.Red + ScaleDiv(i, radius, base.Red).First,
                   base.Green + ScaleDiv(i, radius, base.Green).First,
                   base.Blue + ScaleDiv(i, radius, base.Blue).First, canvas.BitsPerPixel);
    ++i;
  }
}

void DrawColourRamp(const Canvas& canvas, const ColourRamp& ramp, int32_t x, int32_t y) {
  for (int32_t j = 0; j < ramp.Count; ++j) {
    uint32_t colour = ramp.Entries[ramp.Count - 1 - j];
    auto row = wrap_add(y, 1 + j);
    // Columns x .. x + span: span + 1 pixels, none for a negative span.
    for (int64_t c = 0; c <= int64_t{ramp.Span}; ++c)
      PutPixel(canvas, wrap_add(x, static_cast<int32_t>(c)), row, colour);
  }
}

void DrawRampRings(const Canvas& canvas, const ColourRamp& ramp, int32_t cx, int32_t cy) {
  for (int32_t rho = ramp.Count; rho >= 1; --rho) {
    uint32_t c = ramp.Entries[rho < ramp.Count - 1 ? rho : ramp.Count - 1];
    for (int32_t t = 900; t >= 0; t -= 90) {
      IntPair p = PolarPoint(rho, t);
      if (static_cast<int32_t>(c) > 0) put_quadrants(canvas, cx, cy, p.Second, p.First, c);
    }
  }
}

void BlockCopy(void* destination, const void* source, uint32_t byte_count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  for (uint32_t i = 0; i < byte_count; ++i) to[i] = from[i];
}

}  // namespace literal
