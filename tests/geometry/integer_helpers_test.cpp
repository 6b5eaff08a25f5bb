#include "geometry/integer_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ScaleDiv, FormsTheProductInSixtyFourBits) {
  UintPair r = ScaleDiv(3, 4, 10);
  EXPECT_EQ(r.First, 7u);
  EXPECT_EQ(r.Second, 2u);
  EXPECT_EQ(ScaleDiv(0, 100, 255).First, 0u);
  r = ScaleDiv(99, 100, 127);
  EXPECT_EQ(r.First, 125u);
  EXPECT_EQ(r.Second, 73u);
  r = ScaleDiv(0x10000, 2, 0x8000);
  EXPECT_EQ(r.First, 1u << 30);
  EXPECT_EQ(r.Second, 0u);
  EXPECT_EQ(MultiplyWide(0xFFFFFFFF, 2), 0x1FFFFFFFEull);
}

TEST(ScalePair, TruncatesTowardZero) {
  IntPair r = ScalePair(-5, 10, 2, 1);
  EXPECT_EQ(r.First, -2);
  EXPECT_EQ(r.Second, 5);
  r = ScalePair(-5, 10, 2, 2);
  EXPECT_EQ(r.First, -5);
  EXPECT_EQ(r.Second, 10);
  r = ScalePair(2000000000, -2000000000, 3, 2);  // products beyond 32 bits
  EXPECT_EQ(r.First, 1333333333);
  EXPECT_EQ(r.Second, -1333333333);
}

TEST(VectorLength, RoundsTheLengthAndFlagsWrappedSums) {
  EXPECT_EQ(VectorLength(3, 4), 5);
  EXPECT_EQ(VectorLength(-3, -4), 5);
  EXPECT_EQ(VectorLength(1, 1), 1);
  EXPECT_EQ(VectorLength(2, 2), 3);
  EXPECT_EQ(VectorLength(0, 0), 0);
  EXPECT_EQ(VectorLength(32767, 32767), 46340);
  EXPECT_EQ(VectorLength(40000, 40000), std::numeric_limits<int32_t>::min());
}

TEST(PairHelpers, DeltaHalvesAndMirrors) {
  IntPair d = PointDelta(10, 20, 5, 30);
  EXPECT_EQ(d.First, -5);
  EXPECT_EQ(d.Second, 10);
  UintPair h = HalvePair(1024, 768);
  EXPECT_EQ(h.First, 512u);
  EXPECT_EQ(h.Second, 384u);
  h = HalvePair(7, 1);
  EXPECT_EQ(h.First, 3u);
  EXPECT_EQ(h.Second, 0u);
  EXPECT_EQ(HalvePair(0xFFFFFFFF, 0).First, 0x7FFFFFFFu);
  IntPair m = QuadrantMirror(3, 4, 2);
  EXPECT_EQ(m.First, -3);
  EXPECT_EQ(m.Second, -4);
  m = QuadrantMirror(3, 4, 0);
  EXPECT_EQ(m.Second, 0);
  m = QuadrantMirror(3, 4, 1);
  EXPECT_EQ(m.First, -3);
  EXPECT_EQ(m.Second, 4);
  m = QuadrantMirror(3, 4, 3);
  EXPECT_EQ(m.First, 3);
  EXPECT_EQ(m.Second, -4);
  m = QuadrantMirror(3, 4, 9);
  EXPECT_EQ(m.First, 3);
  EXPECT_EQ(m.Second, 4);
}

TEST(PointInRect, BothEdgesInclusiveAndNegativesOutside) {
  EXPECT_EQ(PointInRect(110, 60, 10, 10, 100, 50), 1);
  EXPECT_EQ(PointInRect(10, 10, 10, 10, 100, 50), 1);
  EXPECT_EQ(PointInRect(111, 60, 10, 10, 100, 50), -1);
  EXPECT_EQ(PointInRect(110, 61, 10, 10, 100, 50), -1);
  EXPECT_EQ(PointInRect(9, 30, 10, 10, 100, 50), -1);
  EXPECT_EQ(PointInRect(-5, 0, -10, 0, 20, 10), -1);
  EXPECT_EQ(PointInRect(-5, 0, -10, 0, 2, 10), 1 - 2);
}

}  // namespace
