// Calls at the ends of the 32-bit range: positions at ±2,147,483,647, widths
// and heights near 2^31, radii up to 2^31 − 1, lines between the range's
// corners. Each must finish promptly with the defined pixels: checked against
// the literal per-pixel version where that finishes, by hand where not.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>
#include <vector>

#include "raster/discs.h"
#include "raster/lines.h"
#include "raster/literal/raster_literal.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"
#include "support/picture_diff.h"

namespace {

constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;

// Runs a call and fails when it takes a second or more: the per-pixel
// definition of these calls would take hours.
template <typename Call>
void promptly(Call call) {
  auto start = std::chrono::steady_clock::now();
  call();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 1.0);
}

class RangeEnds : public testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { ensure_angle_table(); }

  // A canvas with a pattern, so that untouched pixels are told apart.
  CanvasBuffer patterned(uint32_t width, uint32_t height) {
    CanvasBuffer buffer(width, height, depth());
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x)
        PutPixel(buffer.canvas(), static_cast<int32_t>(x), static_cast<int32_t>(y),
                 0x010203u * (x + 7 * y + 1));
    return buffer;
  }
  int32_t depth() const { return GetParam(); }
  uint32_t pack(uint32_t red, uint32_t green, uint32_t blue) const {
    return PackColour(red, green, blue, depth());
  }
  // A component as the canvas gives it back: three low bits lost at 16 bits.
  uint32_t kept(uint32_t component) const { return depth() == 16 ? component & ~7u : component; }
  uint32_t cell(const CanvasBuffer& buffer, uint32_t x, uint32_t y) const {
    return buffer.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
  }
  // Every pixel but the listed ones still holds the pattern.
  void expect_pattern_except(const CanvasBuffer& buffer,
                             const std::vector<std::pair<uint32_t, uint32_t>>& changed) {
    Picture expected = patterned(buffer.canvas().Width, buffer.canvas().Height).picture();
    for (auto [x, y] : changed) expected.pixels[y * buffer.canvas().Width + x] = cell(buffer, x, y);
    EXPECT_SAME_PICTURE(expected, buffer.picture());
  }
};

struct Ramp {
  ColourRamp ramp{};
  Ramp(const Canvas& canvas, int32_t span, int32_t count, uint32_t base) {
    CreateColourRamp(canvas, ramp, 0, 0, span, count, base);
  }
  ~Ramp() { FreeColourRamp(ramp); }
};

// The ramp that hung: a stripe of span + 1 pixels starting at x = 2^31 − 1
// lies wholly off the canvas, so pixel (0, 0) takes the ramp's entry.
TEST_P(RangeEnds, RampStripesAtTheEndOfTheRange) {
  const uint32_t blue = kept(100);
  for (int32_t span : {0, 1, 2, kMax}) {
    CanvasBuffer fast = patterned(4, 3), literal = patterned(4, 3);
    Ramp ramp(fast.canvas(), span, 1, pack(0, 0, 100));  // one entry: twice the base
    promptly([&] { DrawColourRamp(fast.canvas(), ramp.ramp, kMax, -1); });
    EXPECT_EQ(cell(fast, 0, 0), pack(0, 0, 2 * blue)) << span;
    expect_pattern_except(fast, {{0, 0}});
    if (span <= 2) {
      literal::DrawColourRamp(literal.canvas(), ramp.ramp, kMax, -1);
      EXPECT_SAME_PICTURE(literal.picture(), fast.picture()) << span;
    }
  }
}

// Three stripes two billion pixels long over rows 0 to 2: each row takes its
// entry on every column, and pixel (0, 0), written last by the bottom stripe
// (whose pixels stray off the canvas), the brightest entry.
TEST_P(RangeEnds, RampStripesTwoBillionPixelsLong) {
  CanvasBuffer fast = patterned(4, 3);
  const uint32_t b = kept(100);  // entries 2b, b + 2b div 3, b + b div 3
  Ramp ramp(fast.canvas(), kMax, 3, pack(0, 0, 100));
  promptly([&] { DrawColourRamp(fast.canvas(), ramp.ramp, -5, -1); });
  EXPECT_EQ(cell(fast, 0, 0), pack(0, 0, 2 * b));
  for (uint32_t x = 1; x < 4; ++x) EXPECT_EQ(cell(fast, x, 0), pack(0, 0, b + b / 3)) << x;
  for (uint32_t x = 0; x < 4; ++x) {
    EXPECT_EQ(cell(fast, x, 1), pack(0, 0, b + 2 * b / 3)) << x;
    EXPECT_EQ(cell(fast, x, 2), pack(0, 0, 2 * b)) << x;
  }
  // Stripes starting below the range's end wrap to its start: off the canvas.
  CanvasBuffer wrapped = patterned(4, 3);
  promptly([&] { DrawColourRamp(wrapped.canvas(), ramp.ramp, 0, kMax); });
  EXPECT_EQ(cell(wrapped, 0, 0), pack(0, 0, 2 * b));
  expect_pattern_except(wrapped, {{0, 0}});
}

// A ramp of many stripes, of which only three rows lie on the canvas,
// against the literal version.
TEST_P(RangeEnds, ManyRampStripesMatchTheLiteralVersion) {
  CanvasBuffer fast = patterned(5, 3), literal = patterned(5, 3);
  Ramp ramp(fast.canvas(), 6, 20000, 0x7F3F1F);
  for (int32_t y : {-10000, -20001, -2, kMax - 5, kMin}) {
    promptly([&] { DrawColourRamp(fast.canvas(), ramp.ramp, -3, y); });
    literal::DrawColourRamp(literal.canvas(), ramp.ramp, -3, y);
    ASSERT_SAME_PICTURE(literal.picture(), fast.picture()) << y;
  }
}

// Width and height 2^31 − 1: each row's line has the wrapped length 1 and
// sets one pixel, far off the canvas, so only pixel (0, 0) changes: to the
// last row's colour, b + b × (h − 1) div h = 2b − 1 (253 for 127).
TEST_P(RangeEnds, GradientRectTwoBillionSquare) {
  CanvasBuffer buffer = patterned(8, 8);
  promptly([&] { FillGradientRect(buffer.canvas(), -3, -2, kMax, kMax, pack(0, 0, 127)); });
  EXPECT_EQ(cell(buffer, 0, 0), pack(0, 0, 2 * kept(127) - 1));
  expect_pattern_except(buffer, {{0, 0}});
}

// Two billion rows five pixels wide: rows 0 to 7 are on the canvas, each in
// b + b × i div h = 2b − 1 (i is within 10 of h; 199 for 100), and the last
// row, off the canvas, leaves the same in pixel (0, 0).
TEST_P(RangeEnds, GradientRectTwoBillionRows) {
  CanvasBuffer buffer = patterned(8, 8);
  const uint32_t expected = pack(0, 0, 2 * kept(100) - 1);
  promptly([&] { FillGradientRect(buffer.canvas(), 0, -3, 5, kMax, pack(0, 0, 100)); });
  std::vector<std::pair<uint32_t, uint32_t>> filled = {{0, 0}};
  for (uint32_t y = 0; y < 8; ++y)
    for (uint32_t x = 1; x <= 5; ++x) {
      EXPECT_EQ(cell(buffer, x, y), expected) << x << "," << y;
      filled.emplace_back(x, y);
    }
  EXPECT_EQ(cell(buffer, 0, 0), expected);
  expect_pattern_except(buffer, filled);
}

// Tall and wrapped-length gradients that the literal version still finishes.
TEST_P(RangeEnds, GradientRectsMatchTheLiteralVersion) {
  struct Case {
    int32_t x, y, w, h;
  } cases[] = {{0, -50000, 5, 100000}, {-2, kMax - 4, 9, 30000},  {kMax, 0, 3, 9},
               {-60000, 2, 65537, 5},  {3, 1, -65539, 4},         {-1, -1, 65536, 3},
               {-2, -3, 46341, 4},     {kMin, kMin, kMax, 20000}, {kMax, kMax, -7, 12}};
  for (const Case& c : cases) {
    CanvasBuffer fast = patterned(8, 8), literal = patterned(8, 8);
    promptly([&] { FillGradientRect(fast.canvas(), c.x, c.y, c.w, c.h, 0x7F3FC8); });
    literal::FillGradientRect(literal.canvas(), c.x, c.y, c.w, c.h, 0x7F3FC8);
    EXPECT_SAME_PICTURE(literal.picture(), fast.picture())
        << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
}

// A blend over 2^62 pixels: the 64 on the canvas are blended once, pixel
// (0, 0) once for itself and once for each of the others, so
// (2^31 − 1)^2 − 63 times: an average settles at 254, a sum adds the colour
// (2^31 − 1)^2 − 63 ≡ 194 times modulo 256, an even count of exclusive ors
// cancels out, and a copy leaves the colour.
TEST_P(RangeEnds, BlendRectOverTwoBillionSquared) {
  if (depth() == 16) GTEST_SKIP() << "the hand computation is made for 32 bits per pixel";
  const uint32_t colour = 0x030201;
  struct Case {
    uint32_t mode, origin;
  } cases[] = {{kBlendAverage, 0xFEFEFE}, {kBlendAdd, 0}, {kBlendXor, 0}, {kBlendCopy, colour}};
  for (const Case& c : cases) {
    CanvasBuffer buffer = patterned(8, 8);
    uint32_t before = cell(buffer, 0, 0);
    uint32_t blend_colour = c.mode == kBlendAverage ? 0xFFFFFF : colour;
    promptly([&] { FillBlendRect(buffer.canvas(), -5, -5, kMax, kMax, blend_colour, c.mode); });
    uint32_t expected = c.origin;
    if (c.mode == kBlendAdd) {
      RgbTriple d;
      UnpackColour(d, before, 32);
      expected = PackColour(d.Red + 194 * 3, d.Green + 194 * 2, d.Blue + 194, 32);
    }
    if (c.mode == kBlendXor) expected = before & 0xFFFFFF;
    EXPECT_EQ(cell(buffer, 0, 0), expected) << c.mode;
    CanvasBuffer once = patterned(8, 8);
    for (uint32_t y = 0; y < 8; ++y)
      for (uint32_t x = 0; x < 8; ++x)
        if (x != 0 || y != 0) {
          EXPECT_EQ(cell(buffer, x, y), BlendPixel(once.canvas(), static_cast<int32_t>(x),
                                                   static_cast<int32_t>(y), blend_colour, c.mode))
              << x << "," << y;
        }
  }
}

// Blends that stray far, in every mode, that the literal version finishes.
TEST_P(RangeEnds, BlendRectsMatchTheLiteralVersion) {
  struct Case {
    int32_t x, y, w, h;
  } cases[] = {{-300, -300, 700, 700}, {kMax, 0, 3, 3},  {kMax - 2, kMax - 2, 9, 9},
               {kMin, -2, 5, 100000},  {-1, -1, 2, 2},   {3, 2, 300000, 1},
               {kMin, kMin, 1, 1},     {-4, 6, 7, 30001}};
  for (uint32_t mode = 0; mode < 5; ++mode)
    for (const Case& c : cases) {
      CanvasBuffer fast = patterned(8, 8), literal = patterned(8, 8);
      promptly([&] { FillBlendRect(fast.canvas(), c.x, c.y, c.w, c.h, 0x4080C0, mode); });
      literal::FillBlendRect(literal.canvas(), c.x, c.y, c.w, c.h, 0x4080C0, mode);
      EXPECT_SAME_PICTURE(literal.picture(), fast.picture())
          << "mode " << mode << " at " << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
}

// Radius one billion around a point of the canvas: every ring that touches
// the 8 × 8 canvas, ring radius − k with k within 10 of the radius, has the
// colour b + b × (k − 1) div radius = 2b − 1 (253 for 127), and so has the
// innermost ring that strays (pixel (0, 0)).
TEST_P(RangeEnds, DiscOfRadiusOneBillionAroundTheCanvas) {
  CanvasBuffer buffer = patterned(8, 8);
  const uint32_t expected = pack(0, 2 * kept(127) - 1, 0);
  promptly([&] { FillGradientDisc(buffer.canvas(), 3, 3, 1000000000, pack(0, 127, 0)); });
  EXPECT_EQ(buffer.count_pixels([&](int32_t, int32_t, uint32_t c) { return c != expected; }), 0);
}

// A disc whose centre lies two billion pixels to the right of pixel (0, 0):
// only the rightmost point of the rings reaches row 0, ring radius − k at
// column k in the base colour (the rim, at column 0, in the caller's colour).
// The centre ring, off the canvas and drawn last, leaves 2b − 1 in pixel
// (0, 0).
TEST_P(RangeEnds, DiscReachingTheCanvasFromTheRangesEnd) {
  const uint32_t b = kept(127);
  for (int32_t radius : {1000000000, kMax}) {
    CanvasBuffer buffer = patterned(8, 8);
    promptly([&] { FillGradientDisc(buffer.canvas(), radius, 0, radius, pack(127, 127, 127)); });
    EXPECT_EQ(cell(buffer, 0, 0), pack(2 * b - 1, 2 * b - 1, 2 * b - 1)) << radius;
    std::vector<std::pair<uint32_t, uint32_t>> row = {{0, 0}};
    for (uint32_t x = 1; x < 8; ++x) {
      EXPECT_EQ(cell(buffer, x, 0), pack(b, b, b)) << x;
      row.emplace_back(x, 0);
    }
    expect_pattern_except(buffer, row);
  }
}

// At 16 bits per pixel red is read from every bit above bit 10: 0xFFFF0000
// gives red 2^24 − 256, 256 times radius 65,535, so every inner ring's red
// is a multiple of 256 and packs to 0, like its green and blue; the rim is
// negative. No ring is drawn, although each has a different colour value.
TEST_P(RangeEnds, DiscOfManyTransparentRingsDrawsNothing) {
  if (depth() == 32) GTEST_SKIP() << "red has eight bits at 32 bits per pixel";
  for (auto [cx, cy] : {std::pair{3, 3}, {1000000, 1000000}, {kMax, kMin}}) {
    CanvasBuffer buffer = patterned(8, 8);
    promptly([&] { FillGradientDisc(buffer.canvas(), cx, cy, 65535, 0xFFFF0000); });
    expect_pattern_except(buffer, {});
  }
}

// Discs straying off every edge and past the range's ends, where the literal
// version finishes.
TEST_P(RangeEnds, DiscsMatchTheLiteralVersion) {
  struct Case {
    int32_t cx, cy, r;
    uint32_t colour;
  } cases[] = {{3, 3, 300, 0x7F00},       {-200, 4, 205, 0x7F7F7F}, {kMax, kMax, 40, 0x7F0000},
               {kMin, 2, 60, 0x1F3F7F},   {4, kMin + 3, 9, 0x10},   {-150, -150, 215, 0xFF00FF},
               {100, 3, 120, 0x80000000}, {3, 100, 250, 0x7F7F7F}};
  for (const Case& c : cases) {
    CanvasBuffer fast = patterned(8, 8), literal = patterned(8, 8);
    promptly([&] { FillGradientDisc(fast.canvas(), c.cx, c.cy, c.r, c.colour); });
    literal::FillGradientDisc(literal.canvas(), c.cx, c.cy, c.r, c.colour);
    EXPECT_SAME_PICTURE(literal.picture(), fast.picture()) << c.cx << "," << c.cy << " r " << c.r;
  }
}

TEST_P(RangeEnds, RampRingsMatchTheLiteralVersion) {
  CanvasBuffer fast = patterned(8, 8), literal = patterned(8, 8);
  Ramp ramp(fast.canvas(), 0, 20000, 0x7F3F1F);
  for (auto [cx, cy] : {std::pair{3, 4}, {kMax, kMax}, {kMin, 5}, {-15000, 2}, {20000, 20000}}) {
    promptly([&] { DrawRampRings(fast.canvas(), ramp.ramp, cx, cy); });
    literal::DrawRampRings(literal.canvas(), ramp.ramp, cx, cy);
    ASSERT_SAME_PICTURE(literal.picture(), fast.picture()) << cx << "," << cy;
  }
}

// Between the range's corners the deltas wrap to −1 or −2: lines of one to
// three steps, all of them off the canvas.
TEST_P(RangeEnds, LinesBetweenTheRangesCorners) {
  struct Case {
    int32_t x1, y1, x2, y2;
  } cases[] = {{kMin, kMin, kMax, kMax},
               {-kMax, -kMax, kMax, kMax},
               {kMax, kMin, kMin, kMax},
               {kMax, 3, kMin, 3},
               {kMin, kMax, kMax, kMin}};
  for (const Case& c : cases) {
    CanvasBuffer fast = patterned(8, 8), literal = patterned(8, 8);
    promptly([&] { DrawLine(fast.canvas(), c.x1, c.y1, c.x2, c.y2, 0x123456); });
    literal::DrawLine(literal.canvas(), c.x1, c.y1, c.x2, c.y2, 0x123456);
    EXPECT_SAME_PICTURE(literal.picture(), fast.picture()) << c.x1 << "," << c.y1;
    EXPECT_EQ(cell(fast, 0, 0), 0x123456u & (depth() == 16 ? 0xFFFF : 0xFFFFFF));
    expect_pattern_except(fast, {{0, 0}});
  }
  // A sum of squares past 2^31 reads as negative: no length, nothing drawn.
  CanvasBuffer none = patterned(8, 8);
  DrawLine(none.canvas(), 0, 0, 46340, 46340, 0x123456);
  expect_pattern_except(none, {});
}

// Long lines through, beside and far from the canvas, and lines whose deltas
// wrap, against the literal version.
TEST_P(RangeEnds, LongLinesMatchTheLiteralVersion) {
  std::mt19937 random(2024);
  auto close_by = [&] { return static_cast<int32_t>(random() % 60001) - 30000; };
  auto anywhere = [&] { return static_cast<int32_t>(random()); };
  CanvasBuffer fast = patterned(9, 7), literal = patterned(9, 7);
  for (int round = 0; round < 300; ++round) {
    bool wide = round % 3 == 0;
    int32_t x1 = wide ? anywhere() : close_by(), y1 = wide ? anywhere() : close_by();
    int32_t x2 = round % 2 ? close_by() : anywhere(), y2 = round % 2 ? close_by() : anywhere();
    uint32_t colour = random();
    promptly([&] { DrawLine(fast.canvas(), x1, y1, x2, y2, colour); });
    literal::DrawLine(literal.canvas(), x1, y1, x2, y2, colour);
    ASSERT_SAME_PICTURE(literal.picture(), fast.picture())
        << x1 << "," << y1 << " " << x2 << "," << y2;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, RangeEnds, testing::Values(32, 16),
                         [](const testing::TestParamInfo<int32_t>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

}  // namespace
