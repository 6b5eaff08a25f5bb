#include "geometry/angle_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/point_list.h"
#include "geometry/scaled_entry.h"
#include "support/angle_table_once.h"

extern "C" {
__float128 cosq(__float128);
__float128 sinq(__float128);
__float128 tanq(__float128);
}

namespace {

class AngleTableTest : public testing::Test {
 protected:
  void SetUp() override { ensure_angle_table(); }
};

TEST_F(AngleTableTest, EntriesAreSinglePrecisionValuesOfTheExactAngle) {
  EXPECT_EQ(CosEntry(0), 1.0f);
  EXPECT_EQ(SinEntry(900), 1.0f);
  EXPECT_EQ(CosEntry(600), 0.5f);
  EXPECT_EQ(TanEntry(450), 1.0f);
  // The extended-precision 90 degrees lies just past a right angle.
  EXPECT_EQ(TanEntry(900), -0x1.14a3cp+65f);
  EXPECT_EQ(TanEntry(2700), -0x1.2e3c44p+62f);
  EXPECT_EQ(CosEntry(900), -0x1.d9ccecp-66f);
  for (int32_t t = 0; t < kAngleSteps; t += 7) {
    long double theta = TenthsToRadians(t);
    EXPECT_EQ(CosEntry(t), static_cast<float>(cosl(theta))) << t;
    EXPECT_EQ(SinEntry(t), static_cast<float>(sinl(theta))) << t;
  }
}

// Every entry equals the quadruple-precision value of its extended-precision
// angle, rounded once to single precision: the whole table, all three kinds.
TEST_F(AngleTableTest, EveryEntryIsTheCorrectlyRoundedQuadrupleValue) {
  int mismatches = 0;
  for (int32_t t = 0; t < kAngleSteps; ++t) {
    auto theta = static_cast<__float128>(TenthsToRadians(t));
    float cosine = static_cast<float>(static_cast<long double>(cosq(theta)));
    float sine = static_cast<float>(static_cast<long double>(sinq(theta)));
    float tangent = static_cast<float>(static_cast<long double>(tanq(theta)));
    mismatches += (CosEntry(t) != cosine) + (SinEntry(t) != sine) + (TanEntry(t) != tangent);
    if (mismatches > 0) {
      ADD_FAILURE() << "angle " << t << ": " << CosEntry(t) << " " << SinEntry(t) << " "
                    << TanEntry(t);
      break;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(AngleTableTest, PolarPointRoundsHalvesToEvenAndWrapsOnce) {
  auto expect_point = [](IntPair p, int32_t x, int32_t y) {
    EXPECT_EQ(p.First, x);
    EXPECT_EQ(p.Second, y);
  };
  expect_point(PolarPoint(100, 0), 100, 0);
  expect_point(PolarPoint(100, 900), 0, 100);
  expect_point(PolarPoint(100, 4500), 0, 100);
  expect_point(PolarPoint(100, 1800), -100, 0);
  expect_point(PolarPoint(10, 450), 7, 7);
  expect_point(PolarPoint(0, 1234), 0, 0);
  expect_point(PolarPoint(5, 600), 2, 4);  // 2.5 → 2
  expect_point(PolarPoint(7, 600), 4, 6);  // 3.5 → 4
  expect_point(PolarPoint(-7, 600), -4, -6);
}

TEST_F(AngleTableTest, ScaledEntriesMatchTheExtendedProduct) {
  for (int32_t t = 0; t < kAngleSteps; t += 3) {
    geometry::ScaledEntry c = geometry::scaled_entry(CosEntry(t));
    geometry::ScaledEntry s = geometry::scaled_entry(SinEntry(t));
    for (int32_t r : {0, 1, 5, 7, 49, 50, 571, 1000, -3, 123456, 2000000000}) {
      IntPair p = PolarPoint(r, t);
      ASSERT_EQ(geometry::scaled_round(r, c), p.First) << t << " " << r;
      ASSERT_EQ(geometry::scaled_round(r, s), p.Second) << t << " " << r;
    }
  }
}

TEST_F(AngleTableTest, DirectTwinsAndVectorAngles) {
  EXPECT_EQ(DivideByTan(1024, 450), 1024);
  IntPair p = PolarPointExact(100, 900);
  EXPECT_EQ(p.First, 0);
  EXPECT_EQ(p.Second, 100);
  p = PolarPointExact(100, 3600 + 1800 + 3600);
  EXPECT_EQ(p.First, -100);
  p = PolarPointRad20(100, 0);
  EXPECT_EQ(p.First, 100);
  p = PolarPointRad20(1000, 20);  // one radian
  EXPECT_EQ(p.First, 540);
  EXPECT_EQ(p.Second, 841);
  EXPECT_EQ(AngleOfVector(0, 1), 0);
  EXPECT_EQ(AngleOfVector(1, 0), 1800);
  EXPECT_EQ(AngleOfVector(0, -1), 3600);
  EXPECT_EQ(AngleOfVector(-1, 0), -1800);
  EXPECT_EQ(AngleOfVector(1, 1), 900);
  p = RotatePoint(10, 0, 99, 1, 2, 900);
  EXPECT_EQ(p.First, 0);
  EXPECT_EQ(p.Second, -10);
}

TEST_F(AngleTableTest, BlockHoldsTheEmptyPointListBehindTheTables) {
  EXPECT_EQ(reinterpret_cast<char*>(PointStore) - reinterpret_cast<char*>(AngleTable),
            static_cast<ptrdiff_t>(kPointStoreOffset));
  EXPECT_EQ(PointCapacity, 160000);
}

}  // namespace
