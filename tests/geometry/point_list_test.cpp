#include "geometry/point_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

class PointListTest : public testing::Test {
 protected:
  void SetUp() override {
    ensure_angle_table();
    ClearPoints();
  }
};

void expect_pair(IntPair p, int32_t first, int32_t second) {
  EXPECT_EQ(p.First, first);
  EXPECT_EQ(p.Second, second);
}

TEST_F(PointListTest, AddedPointsLieFiveHundredTwelveDeeper) {
  EXPECT_EQ(AddPoint(1, 2, 3, 0xC0FFEE), 0xC0FFEE);
  Point3 p;
  GetPoint(p, 0);
  EXPECT_EQ(p.X, 1);
  EXPECT_EQ(p.Y, 2);
  EXPECT_EQ(p.Z, 515);
  EXPECT_EQ(p.Colour, 0xC0FFEEu);
  EXPECT_EQ(PointCount(), 1);
}

TEST_F(PointListTest, LoadTakesAtMost9999AndIgnoresEmptyCounts) {
  std::vector<Point3> points(10000, Point3{4, 5, 6, 7});
  EXPECT_EQ(LoadPoints(points.data(), 10000), -1);
  EXPECT_EQ(PointCount(), 0);
  LoadPoints(points.data(), 9999);
  EXPECT_EQ(PointCount(), 9999);
  Point3 p;
  GetPoint(p, 9998);
  EXPECT_EQ(p.Z, 6);  // copied unchanged
  LoadPoints(points.data(), 0);
  LoadPoints(points.data(), -4);
  EXPECT_EQ(PointCount(), 9999);
  EXPECT_EQ(AddPoint(0, 0, 0, 1), 1);
  EXPECT_EQ(AddPoint(0, 0, 0, 1), -1);  // all 10,000 slots taken
}

TEST_F(PointListTest, GetPointBeyondTheStoreGivesAZeroPoint) {
  Point3 p{1, 1, 1, 1};
  GetPoint(p, 10000);
  EXPECT_EQ(p.X, 0);
  EXPECT_EQ(p.Colour, 0u);
  GetPoint(p, -1);
  EXPECT_EQ(p.Z, 0);
}

TEST_F(PointListTest, ProjectionScalesEachAxisByItsCanvasSize) {
  expect_pair(ProjectPoint(0, 0, 512, 1024, 768, 450), 512, 384);
  expect_pair(ProjectPoint(100, 50, 512, 1024, 768, 450), 712, 459);
  expect_pair(ProjectPoint(-100, -50, 512, 1024, 768, 450), 312, 309);
  expect_pair(ProjectPoint(-100, -50, 1024, 1024, 768, 450), 412, 346);
  expect_pair(ProjectPoint(100, 50, 0, 1024, 768, 450), 512, 384);  // depth 0: the centre
}

TEST_F(PointListTest, PolylineUsesEachSegmentsFirstColour) {
  CanvasBuffer buffer(64, 48, 32);
  AddPoint(0, 0, 0, 0x11);  // projects to (32, 24)
  DrawPointPolyline(buffer.canvas());
  EXPECT_EQ(buffer.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 0);
  AddPoint(256, 0, 0, 0x22);  // projects to (64, 24): off the canvas
  DrawPointPolyline(buffer.canvas());
  EXPECT_EQ(buffer.at(40, 24), 0x11u);
  EXPECT_EQ(buffer.at(0, 0), 0x11u);  // the stray end pixels
  EXPECT_EQ(PointCount(), 2);
}

TEST_F(PointListTest, WireBoxDrawsBothFacesAndEmptiesTheList) {
  CanvasBuffer buffer(1024, 768, 32);
  DrawWireBox(buffer.canvas(), 0, 0, 0, 200, 100, 512, 0xFF);
  EXPECT_EQ(PointCount(), 0);
  for (auto [x, y] : {std::pair{312, 309},
                      {712, 309},
                      {712, 459},
                      {312, 459},
                      {412, 346},
                      {612, 346},
                      {612, 422},
                      {412, 422},
                      {500, 309},
                      {512, 422}})
    EXPECT_EQ(buffer.at(x, y), 0xFFu) << x << "," << y;
  EXPECT_EQ(buffer.at(512, 384), 0u);
  EXPECT_EQ(buffer.at(311, 309), 0u);

  CanvasBuffer untouched(64, 64, 32);
  AddPoint(1, 1, 1, 1);
  DrawWireBox(untouched.canvas(), 0, 0, -1, 10, 10, 10, 0xFF);
  EXPECT_EQ(PointCount(), 1);
  EXPECT_EQ(untouched.count_pixels([](int32_t, int32_t, uint32_t c) { return c != 0; }), 0);
}

}  // namespace
