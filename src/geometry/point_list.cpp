#include "geometry/point_list.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "geometry/angle_table.h"
#include "raster/lines.h"

Point3* PointStore = nullptr;
int32_t PointCapacity = 0;
int32_t PointListCount = 0;

namespace {
constexpr int32_t kAddedDepth = 512;
constexpr int32_t kViewAngle = 450;
}  // namespace

// Copies at most 9,999 points. A count of zero or less loads nothing and
// leaves the list as it was, returning 0.
int32_t LoadPoints(const Point3* source, int32_t count) {
  if (count >= kPointSlots) return -1;
  if (count <= 0) return 0;
  PointListCount = count;
  std::memcpy(PointStore, source, static_cast<size_t>(count) * sizeof(Point3));
  return count;
}

int32_t AddPoint(int32_t x, int32_t y, int32_t z, uint32_t colour) {
  if (PointListCount * static_cast<int32_t>(sizeof(Point3)) >= PointCapacity) return -1;
  auto depth = static_cast<int32_t>(static_cast<uint32_t>(z) + kAddedDepth);
  PointStore[PointListCount++] = {x, y, depth, colour};
  return static_cast<int32_t>(colour);
}

// An index outside the store's 10,000 slots yields an all-zero point rather
// than memory beyond the store.
void GetPoint(Point3& point, int32_t index) {
  if (index < 0 || index >= kPointSlots) {
    point = {};
    return;
  }
  point = PointStore[index];
}

int32_t PointCount() { return PointListCount; }

void ClearPoints() { PointListCount = 0; }

// A point at depth 0 has no projection; it is placed at the canvas centre
// (the projection of every point on the view axis) instead of dividing by 0.
IntPair ProjectPoint(int32_t x, int32_t y, int32_t z, int32_t canvas_width, int32_t canvas_height,
                     int32_t view_angle) {
  int32_t fx = DivideByTan(canvas_width, view_angle);
  int32_t fy = DivideByTan(canvas_height, view_angle);
  UintPair half =
      HalvePair(static_cast<uint32_t>(canvas_width), static_cast<uint32_t>(canvas_height));
  if (z == 0) return {static_cast<int32_t>(half.First), static_cast<int32_t>(half.Second)};
  long double depth = z;
  int32_t sx = RoundHalfEven(static_cast<long double>(fx) * x / depth);
  int32_t sy = RoundHalfEven(static_cast<long double>(fy) * y / depth);
  return {static_cast<int32_t>(half.First + static_cast<uint32_t>(sx)),
          static_cast<int32_t>(half.Second + static_cast<uint32_t>(sy))};
}

void DrawPointPolyline(const Canvas& canvas) {
  int32_t count = PointCount();
  auto width = static_cast<int32_t>(canvas.Width), height = static_cast<int32_t>(canvas.Height);
  for (int32_t i = 0; i + 1 < count; ++i) {
    Point3 p, q;
    GetPoint(p, i);
    GetPoint(q, i + 1);
    IntPair from = ProjectPoint(p.X, p.Y, p.Z, width, height, kViewAngle);
    IntPair to = ProjectPoint(q.X, q.Y, q.Z, width, height, kViewAngle);
    DrawLine(canvas, from.First, from.Second, to.First, to.Second, p.Colour);
  }
}

namespace {

struct Corner {
  int32_t x, y;
};

// Draws the listed points as one polyline, then empties the list.
void draw_and_clear(const Canvas& canvas) {
  DrawPointPolyline(canvas);
  ClearPoints();
}

}  // namespace

void DrawWireBox(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t z, int32_t width,
                 int32_t height, int32_t depth, uint32_t colour) {
  if (z < 0) return;
  UintPair half = HalvePair(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  auto half_w = static_cast<int32_t>(half.First), half_h = static_cast<int32_t>(half.Second);
  // Corners and depths wrap at 32 bits like every coordinate.
  auto add = [](int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
  };
  auto sub = [](int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
  };
  const Corner corners[4] = {{sub(centre_x, half_w), sub(centre_y, half_h)},
                             {add(centre_x, half_w), sub(centre_y, half_h)},
                             {add(centre_x, half_w), add(centre_y, half_h)},
                             {sub(centre_x, half_w), add(centre_y, half_h)}};
  const int32_t near_z = z, far_z = add(z, depth);
  for (int32_t face_z : {near_z, far_z}) {
    for (int32_t i = 0; i <= 4; ++i) AddPoint(corners[i % 4].x, corners[i % 4].y, face_z, colour);
    draw_and_clear(canvas);
  }
  for (const Corner& corner : corners) {
    AddPoint(corner.x, corner.y, near_z, colour);
    AddPoint(corner.x, corner.y, far_z, colour);
    draw_and_clear(canvas);
  }
}
