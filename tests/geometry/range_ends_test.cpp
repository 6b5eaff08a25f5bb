// Geometry at the ends of the 32-bit range: wrapping where values are
// defined to wrap, the integer-indefinite value where a rounding leaves the
// range, and defined answers for angles outside the table and zero divisors.
#include <gtest/gtest.h>

#include <climits>

#include "geometry/angle_table.h"
#include "geometry/integer_helpers.h"
#include "geometry/point_list.h"
#include "raster/discs.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;

class GeometryRangeEnds : public testing::Test {
 protected:
  void SetUp() override { ensure_angle_table(); }
};

TEST_F(GeometryRangeEnds, MirrorsAndDeltasWrap) {
  IntPair m = QuadrantMirror(kMin, kMin, 2);
  EXPECT_EQ(m.First, kMin);
  EXPECT_EQ(m.Second, kMin);
  m = QuadrantMirror(kMax, kMin, 1);
  EXPECT_EQ(m.First, -kMax);
  EXPECT_EQ(m.Second, kMin);
  IntPair d = PointDelta(kMax, kMin, kMin, kMax);
  EXPECT_EQ(d.First, 1);
  EXPECT_EQ(d.Second, -1);
  // (2^31 − 1) × (2^31 − 1) + (2^31 − 1) × (2^31 − 1) wraps to 2.
  EXPECT_EQ(VectorLength(kMax, kMax), 1);
}

TEST_F(GeometryRangeEnds, ZeroDivisorsGiveZeroPairs) {
  UintPair q = ScaleDiv(5, 0, 7);
  EXPECT_EQ(q.First, 0u);
  EXPECT_EQ(q.Second, 0u);
  IntPair p = ScalePair(kMax, kMin, 0, 3);
  EXPECT_EQ(p.First, 0);
  EXPECT_EQ(p.Second, 0);
  // A quotient beyond 32 bits keeps its low 32 bits.
  EXPECT_EQ(ScaleDiv(0xFFFFFFFFu, 1, 0xFFFFFFFFu).First, 1u);
  EXPECT_EQ(ScalePair(kMin, kMax, -1, 1).First, kMin);
}

TEST_F(GeometryRangeEnds, AnglesOutsideTheTableWrapByWholeTurns) {
  for (int32_t t : {0, 450, 900, 1799, 3599}) {
    for (int32_t turns : {-3, -1, 1, 2, 500000}) {
      int32_t wrapped = t + turns * 3600;
      EXPECT_EQ(PolarPoint(1000, wrapped).First, PolarPoint(1000, t).First) << wrapped;
      EXPECT_EQ(PolarPoint(1000, wrapped).Second, PolarPoint(1000, t).Second) << wrapped;
      EXPECT_EQ(CosEntry(wrapped), CosEntry(t));
      EXPECT_EQ(SinEntry(wrapped), SinEntry(t));
      EXPECT_EQ(TanEntry(wrapped), TanEntry(t));
    }
  }
  // 2^31 = 596,523 × 3600 + 848, so −2^31 lies 848 tenths short of a turn.
  EXPECT_EQ(PolarPoint(100, kMin).First, PolarPoint(100, 3600 - 848).First);
  EXPECT_EQ(PolarPoint(100, kMin).Second, PolarPoint(100, 3600 - 848).Second);
}

TEST_F(GeometryRangeEnds, RoundingOutsideTheRangeGivesTheIndefiniteValue) {
  EXPECT_EQ(RoundHalfEven(2147483647.4L), kMax);
  EXPECT_EQ(RoundHalfEven(-2147483648.5L), kMin);  // halves to even: −2^31
  EXPECT_EQ(RoundHalfEven(2147483647.5L), kMin);   // rounds to 2^31
  EXPECT_EQ(RoundHalfEven(3e12L), kMin);
  EXPECT_EQ(RoundHalfEven(-3e12L), kMin);
  EXPECT_EQ(DivideByTan(5, 0), kMin);  // the tangent of 0 is 0
  EXPECT_EQ(DivideByTan(0, 0), kMin);  // 0 ÷ 0
  // 1024 × (2^31 − 1) ÷ 1 leaves the range: the screen x is 512 + −2^31.
  IntPair p = ProjectPoint(kMax, 0, 1, 1024, 768, 450);
  EXPECT_EQ(p.First, static_cast<int32_t>(512u + 0x80000000u));
  EXPECT_EQ(p.Second, 384);
}

TEST_F(GeometryRangeEnds, RotationWraps) {
  // Turning by 0: (x + 0, 0 − 0) for the largest and smallest x.
  EXPECT_EQ(RotatePoint(kMax, kMax, 0, 0, 0, 0).First, kMax);
  // Turning by 180 degrees: cos −1 and sin 0: x' = −x, which wraps for −2^31.
  EXPECT_EQ(RotatePoint(kMin, 0, 0, 0, 0, 1800).First, kMin);
  // Turning by 90 degrees: x' = x cos + y sin = y, y' = y cos − x sin = −x.
  IntPair r = RotatePoint(kMin, kMax, 0, 0, 0, 900);
  EXPECT_EQ(r.First, kMax);
  EXPECT_EQ(r.Second, kMin);
}

// A box whose corners and depths wrap is drawn with the wrapped corners and
// leaves the list empty.
TEST_F(GeometryRangeEnds, WireBoxAtTheRangesEnds) {
  CanvasBuffer buffer(16, 16, 32);
  ClearPoints();
  DrawWireBox(buffer.canvas(), kMax, kMin, 0, kMax, kMax, kMax, 0xFF);
  DrawWireBox(buffer.canvas(), 0, 0, kMax, -1, -1, kMax, 0xFF);
  EXPECT_EQ(PointCount(), 0);
}

// A ramp whose entries would not fit the address space is refused: no
// entries, no block, count 0; drawing it draws nothing.
TEST_F(GeometryRangeEnds, RampTooLargeForTheAddressSpaceIsRefused) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "only a 32-bit address space is too small";
  CanvasBuffer buffer(4, 4, 32);
  ColourRamp ramp{};
  CreateColourRamp(buffer.canvas(), ramp, 0, 0, 3, kMax, 0x7F);
  EXPECT_EQ(ramp.Count, 0);
  EXPECT_EQ(ramp.Entries, nullptr);
  DrawColourRamp(buffer.canvas(), ramp, 0, 0);
  EXPECT_EQ(buffer.at(0, 0), 0u);
  FreeColourRamp(ramp);
}

}  // namespace
