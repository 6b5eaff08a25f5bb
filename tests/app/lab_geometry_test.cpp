// The geometry page's angles: turning below zero or past a full turn comes
// back into 0..3599 tenths, and the angle shown keeps its tenth.
#include <gtest/gtest.h>

#include "app/lab_page_geometry.h"

TEST(LabGeometry, AnglesWrapAndShowTheirTenths) {
  EXPECT_EQ(WrapTenths(-1), 3599);
  EXPECT_EQ(WrapTenths(-7200), 0);
  EXPECT_EQ(WrapTenths(3600 + 5), 5);
  GeometryView view;
  view.Yaw = WrapTenths(-1);
  view.Pitch = 5;
  EXPECT_EQ(GeometryAngles(view), "yaw 359.9 degrees, pitch 0.5 degrees");
}
