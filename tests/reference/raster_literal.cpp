#include "reference/raster_literal.h"

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"

namespace literal {

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
      int32_t column = x + c, row = y + r;
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
      if (static_cast<int32_t>(c) > 0) {
        PutPixel(canvas, cx + px, cy + py, c);
        IntPair m1 = QuadrantMirror(px, py, 1);
        PutPixel(canvas, cx + m1.First, cy + m1.Second, c);
        IntPair m2 = QuadrantMirror(px, py, 2);
        PutPixel(canvas, cx + m2.First, cy + m2.Second, c);
        IntPair m3 = QuadrantMirror(px, py, 3);
        PutPixel(canvas, cx + m3.First, cy + m3.Second, c);
      }
    }
    c = PackColour(base.Red + ScaleDiv(i, radius, base.Red).First,
                   base.Green + ScaleDiv(i, radius, base.Green).First,
                   base.Blue + ScaleDiv(i, radius, base.Blue).First, canvas.BitsPerPixel);
    ++i;
  }
}

}  // namespace literal
