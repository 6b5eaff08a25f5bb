// A global list of 3D points with a perspective projection onto a canvas,
// the polyline joining them and a wireframe box built on both.
#pragma once

#include <cstdint>

#include "geometry/integer_helpers.h"
#include "raster/canvas.h"

struct Point3 {
  int32_t X;
  int32_t Y;
  int32_t Z;
  uint32_t Colour;
};
static_assert(sizeof(Point3) == 16, "a point is four 32-bit integers");

constexpr int32_t kPointSlots = 10000;

// The list's store lies in the angle block; BuildAngleTable sets all three.
extern Point3* PointStore;
extern int32_t PointCapacity;  // bytes
extern int32_t PointListCount;

int32_t LoadPoints(const Point3* source, int32_t count);
int32_t AddPoint(int32_t x, int32_t y, int32_t z, uint32_t colour);
void GetPoint(Point3& point, int32_t index);
int32_t PointCount();
void ClearPoints();
IntPair ProjectPoint(int32_t x, int32_t y, int32_t z, int32_t canvas_width, int32_t canvas_height,
                     int32_t view_angle);
void DrawPointPolyline(const Canvas& canvas);
void DrawWireBox(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t z, int32_t width,
                 int32_t height, int32_t depth, uint32_t colour);
