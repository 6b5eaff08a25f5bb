// Runs a sequence of rasterizer and geometry calls read from the input, with
// arguments over the whole 32-bit range, on a small canvas at 16 or 32 bits
// per pixel. Where the literal per-pixel version of a call is cheap for its
// arguments, it runs on a twin canvas and both canvases must be identical.
//
// Input: one byte for the canvas (bit 0: 16 or 32 bits per pixel; bits 1..3:
// width − 1; bits 4..6: height − 1), four bytes seeding its background, then
// calls of one operation byte followed by its arguments, four little-endian
// bytes each (zero past the end of the input).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "geometry/point_list.h"
#include "raster/canvas.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "raster/literal/raster_literal.h"

namespace {

constexpr int kMostCalls = 24;
// Most PutPixel calls a literal version may make and still be compared.
constexpr uint64_t kLiteralBudget = 300000;
constexpr int32_t kMostRampEntries = 512;
constexpr int32_t kMostPoints = 12;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint32_t word() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t{byte()} << (8 * i);
    return value;
  }
  int32_t integer() { return static_cast<int32_t>(word()); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A canvas and its twin for the literal versions, over stores of their own.
struct Twins {
  std::vector<uint32_t> fast_store, literal_store;
  Canvas fast, literal;
  size_t bytes;

  Twins(uint32_t width, uint32_t height, int32_t depth, uint32_t seed)
      : fast_store(width * height + 1), literal_store(width * height + 1) {
    fast = {fast_store.data(), width, height, depth};
    literal = {literal_store.data(), width, height, depth};
    bytes = size_t{width} * height * static_cast<uint32_t>(depth) / 8;
    for (uint32_t& cell : fast_store) cell = seed = seed * 1664525u + 1013904223u;
    literal_store = fast_store;
  }
  void check() const {
    if (std::memcmp(fast.Pixels, literal.Pixels, bytes) != 0) __builtin_trap();
  }
  void resync() { literal_store = fast_store; }
};

// A ramp filled by CreateColourRamp with a bounded count, freed at the end.
struct Ramp {
  ColourRamp ramp{};
  Ramp(const Canvas& canvas, Reader& in) {
    int32_t x = in.integer(), y = in.integer(), span = in.integer();
    int32_t count = 1 + static_cast<int32_t>(in.word() % kMostRampEntries);
    CreateColourRamp(canvas, ramp, x, y, span, count, in.word());
  }
  ~Ramp() { FreeColourRamp(ramp); }
};

void gradient_rect(Twins& t, Reader& in) {
  int32_t x = in.integer(), y = in.integer(), w = in.integer(), h = in.integer();
  uint32_t c = in.word();
  FillGradientRect(t.fast, x, y, w, h, c);
  int32_t n = VectorLength(w, 0);
  if (h > 0 && static_cast<uint64_t>(h) * static_cast<uint64_t>(n > 0 ? n : 1) <= kLiteralBudget) {
    literal::FillGradientRect(t.literal, x, y, w, h, c);
    return t.check();
  }
  if (h <= 0) t.check();  // nothing drawn
  t.resync();
}

void blend_rect(Twins& t, Reader& in) {
  int32_t x = in.integer(), y = in.integer(), w = in.integer(), h = in.integer();
  uint32_t c = in.word(), mode = in.word() % 5;
  FillBlendRect(t.fast, x, y, w, h, c, mode);
  // The literal loops visit every row, even of a rectangle with no columns.
  uint64_t rows = h > 0 ? uint64_t(h) : 0, columns = w > 0 ? uint64_t(w) : 0;
  if (rows * (columns + 1) <= kLiteralBudget) {
    literal::FillBlendRect(t.literal, x, y, w, h, c, mode);
    return t.check();
  }
  t.resync();
}

void gradient_disc(Twins& t, Reader& in) {
  int32_t cx = in.integer(), cy = in.integer(), r = in.integer();
  uint32_t c = in.word();
  FillGradientDisc(t.fast, cx, cy, r, c);
  if (r > 0 && (uint64_t(r) + 1) * 3600 <= kLiteralBudget) {
    literal::FillGradientDisc(t.literal, cx, cy, r, c);
    return t.check();
  }
  if (r <= 0) t.check();
  t.resync();
}

void colour_ramp(Twins& t, Reader& in) {
  Ramp ramp(t.fast, in);
  int32_t x = in.integer(), y = in.integer();
  DrawColourRamp(t.fast, ramp.ramp, x, y);
  uint64_t per_stripe = ramp.ramp.Span < 0 ? 0 : uint64_t(ramp.ramp.Span) + 1;
  if (per_stripe * static_cast<uint64_t>(ramp.ramp.Count) <= kLiteralBudget) {
    literal::DrawColourRamp(t.literal, ramp.ramp, x, y);
    return t.check();
  }
  t.resync();
}

void ramp_rings(Twins& t, Reader& in) {
  Ramp ramp(t.fast, in);
  int32_t cx = in.integer(), cy = in.integer();
  DrawRampRings(t.fast, ramp.ramp, cx, cy);
  literal::DrawRampRings(t.literal, ramp.ramp, cx, cy);
  t.check();
}

void line(Twins& t, Reader& in) {
  int32_t x1 = in.integer(), y1 = in.integer(), x2 = in.integer(), y2 = in.integer();
  uint32_t c = in.word();
  DrawLine(t.fast, x1, y1, x2, y2, c);
  literal::DrawLine(t.literal, x1, y1, x2, y2, c);
  t.check();
}

// Calls without a literal twin: they must finish and stay in bounds.
void arcs(Twins& t, Reader& in) {
  int32_t cx = in.integer(), cy = in.integer(), rx = in.integer(), ry = in.integer();
  uint32_t c = in.word();
  DrawQuarterArc(t.fast, cx, cy, rx, ry, c);
  ArcCentreX = cx, ArcCentreY = cy, ArcRadiusX = rx, ArcRadiusY = ry, ArcColour = c;
  ArcCanvas = t.fast;
  DrawArcPair(0);
  ArcCanvas = {nullptr, 0, 0, 0};
  t.resync();
}

void pixels(Twins& t, Reader& in) {
  int32_t x = in.integer(), y = in.integer();
  uint32_t c = in.word(), mode = in.word();
  PutPixel(t.fast, x, y, BlendPixel(t.fast, x, y, c, mode) ^ GetPixel(t.fast, y, x));
  RgbTriple triple;
  UnpackColour(triple, c, t.fast.BitsPerPixel);
  PackColour(triple.Red, triple.Green, triple.Blue, t.fast.BitsPerPixel);
  ClampPackColour(x, y, static_cast<int32_t>(c), t.fast.BitsPerPixel);
  PixelIndex(static_cast<uint32_t>(x), static_cast<uint32_t>(y), c, mode);
  t.resync();
}

void arithmetic(Reader& in) {
  int32_t a = in.integer(), b = in.integer(), c = in.integer(), d = in.integer();
  MultiplyWide(uint32_t(a), uint32_t(b));
  ScaleDiv(uint32_t(a), uint32_t(b), uint32_t(c));
  ScalePair(a, b, c, d);
  PointDelta(a, b, c, d);
  VectorLength(a, b);
  HalvePair(uint32_t(a), uint32_t(b));
  QuadrantMirror(a, b, uint32_t(c));
  PointInRect(a, b, c, d, a, b);
  PolarPoint(a, b);
  PolarPointExact(a, b);
  PolarPointRad20(a, b);
  DivideByTan(a, b);
  CosEntry(c);
  SinEntry(c);
  TanEntry(c);
  AngleOfVector(a, b);
  RotatePoint(a, b, c, d, a, b);
  ProjectPoint(a, b, c, d, a, b);
}

void wireframe(Twins& t, Reader& in) {
  int32_t cx = in.integer(), cy = in.integer(), z = in.integer();
  int32_t w = in.integer(), h = in.integer(), depth = in.integer();
  DrawWireBox(t.fast, cx, cy, z, w, h, depth, in.word());
  Point3 points[kMostPoints];
  int32_t n = 1 + static_cast<int32_t>(in.byte() % kMostPoints);
  for (Point3& p : points) p = {in.integer(), in.integer(), in.integer(), in.word()};
  LoadPoints(points, n);
  AddPoint(in.integer(), in.integer(), in.integer(), in.word());
  DrawPointPolyline(t.fast);
  Point3 p;
  GetPoint(p, in.integer());
  ClearPoints();
  t.resync();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool table = (BuildAngleTable(), true);
  (void)table;
  Reader in(data, size);
  uint8_t shape = in.byte();
  Twins t(1 + ((shape >> 1) & 7u), 1 + ((shape >> 4) & 7u), shape & 1 ? 16 : 32, in.word());
  for (int call = 0; call < kMostCalls && !in.done(); ++call) {
    switch (in.byte() % 10) {
      case 0: line(t, in); break;
      case 1: gradient_rect(t, in); break;
      case 2: blend_rect(t, in); break;
      case 3: gradient_disc(t, in); break;
      case 4: colour_ramp(t, in); break;
      case 5: ramp_rings(t, in); break;
      case 6: arcs(t, in); break;
      case 7: pixels(t, in); break;
      case 8: arithmetic(in); break;
      default: wireframe(t, in); break;
    }
  }
  return 0;
}
