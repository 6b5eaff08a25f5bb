#include "app/lab_page_geometry.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "geometry/angle_table.h"
#include "geometry/point_list.h"

const char kGeometryHelpLine[] =
    "Geometry: Left/Right and Up/Down turn by 5 degrees, ,/. by a tenth, drag with the left "
    "button to turn, Z/X nearer and farther, R reset.";

namespace {

constexpr int32_t kCanvasLeft = 20, kCanvasTop = 10, kCanvasWidth = 920, kCanvasHeight = 520;
constexpr int32_t kHalfSide = 150;
constexpr uint32_t kPageColour = 0x202830, kCanvasColour = 0x000000;
constexpr uint32_t kTurnedColour = 0x40FF80, kHelixColour = 0xFFC040, kLibraryBoxColour = 0x606080;

struct Vec {
  int32_t X, Y, Z;
};

GeometryView view;
POINT drag_from{};
bool dragging = false;

// Turns (a, b) by the angle: (a cos − b sin, a sin + b cos), through the
// angle table as the rest of the library turns points.
void turn(int32_t& a, int32_t& b, int32_t tenths) {
  IntPair pa = PolarPoint(a, tenths), pb = PolarPoint(b, tenths);
  int32_t turned_a = pa.First - pb.Second;
  b = pa.Second + pb.First;
  a = turned_a;
}

Vec turned(Vec v) {
  turn(v.X, v.Z, view.Yaw);
  turn(v.Y, v.Z, view.Pitch);
  return {v.X, v.Y, v.Z + view.Distance};
}

void add(Vec v, uint32_t colour) {
  Vec t = turned(v);
  AddPoint(t.X, t.Y, t.Z, colour);
}

// The cube's two faces as closed polylines, then its four side edges.
void draw_turned_box(const Canvas& canvas) {
  const Vec corners[4] = {{-kHalfSide, -kHalfSide, 0},
                          {kHalfSide, -kHalfSide, 0},
                          {kHalfSide, kHalfSide, 0},
                          {-kHalfSide, kHalfSide, 0}};
  for (int32_t z : {-kHalfSide, kHalfSide}) {
    for (int i = 0; i <= 4; ++i) add({corners[i % 4].X, corners[i % 4].Y, z}, kTurnedColour);
    DrawPointPolyline(canvas);
    ClearPoints();
  }
  for (const Vec& c : corners) {
    add({c.X, c.Y, -kHalfSide}, kTurnedColour);
    add({c.X, c.Y, kHalfSide}, kTurnedColour);
    DrawPointPolyline(canvas);
    ClearPoints();
  }
}

// A helix round the vertical axis inside the box: one polyline of 97 points.
void draw_helix(const Canvas& canvas) {
  for (int32_t i = 0; i <= 96; ++i) {
    IntPair p = PolarPoint(kHalfSide * 3 / 4, WrapTenths(i * 150));
    add({p.First, -kHalfSide + i * kHalfSide * 2 / 96, p.Second}, kHelixColour);
  }
  DrawPointPolyline(canvas);
  ClearPoints();
}

void draw_texts(const std::string& status) {
  const std::string lines[3] = {kGeometryHelpLine,
                                GeometryAngles(view) + ", distance " +
                                    std::to_string(view.Distance) +
                                    ".  Grey: DrawWireBox of the same box, unturned.",
                                status};
  WriteLabLines(kLabHelpTop, lines, 3);
}

}  // namespace

int32_t WrapTenths(int32_t tenths) { return ((tenths % 3600) + 3600) % 3600; }

std::string GeometryAngles(const GeometryView& v) {
  char text[64];
  std::snprintf(text, sizeof(text), "yaw %d.%d degrees, pitch %d.%d degrees", v.Yaw / 10,
                v.Yaw % 10, v.Pitch / 10, v.Pitch % 10);
  return text;
}

bool GeometryKey(WPARAM key) {
  switch (key) {
    case VK_LEFT: view.Yaw = WrapTenths(view.Yaw - 50); return true;
    case VK_RIGHT: view.Yaw = WrapTenths(view.Yaw + 50); return true;
    case VK_UP: view.Pitch = WrapTenths(view.Pitch - 50); return true;
    case VK_DOWN: view.Pitch = WrapTenths(view.Pitch + 50); return true;
    case VK_OEM_COMMA: view.Yaw = WrapTenths(view.Yaw - 1); return true;
    case VK_OEM_PERIOD: view.Yaw = WrapTenths(view.Yaw + 1); return true;
    case 'Z': view.Distance = std::max(view.Distance - 50, 300); return true;
    case 'X': view.Distance = std::min(view.Distance + 50, 5000); return true;
    case 'R': view = GeometryView{}; return true;
    default: return false;
  }
}

void GeometryPointer(WPARAM buttons, POINT pointer) {
  bool held = (buttons & MK_LBUTTON) != 0;
  if (held && dragging) {
    view.Yaw = WrapTenths(view.Yaw + (pointer.x - drag_from.x) * 5);
    view.Pitch = WrapTenths(view.Pitch + (pointer.y - drag_from.y) * 5);
  }
  dragging = held;
  drag_from = pointer;
}

void PresentGeometry(const std::string& status) {
  static std::vector<uint32_t> frame(kPageBytes / 4);
  static std::vector<uint32_t> pixels(size_t{kCanvasWidth} * kCanvasHeight);
  std::fill(frame.begin(), frame.end(), kPageColour);
  std::fill(pixels.begin(), pixels.end(), kCanvasColour);
  Canvas canvas{pixels.data(), kCanvasWidth, kCanvasHeight, 32};
  ClearPoints();
  DrawWireBox(canvas, 0, 0, view.Distance - kHalfSide, 2 * kHalfSide, 2 * kHalfSide, 2 * kHalfSide,
              kLibraryBoxColour);
  draw_turned_box(canvas);
  draw_helix(canvas);
  for (int32_t y = 0; y < kCanvasHeight; ++y)
    std::copy_n(&pixels[size_t(y) * kCanvasWidth], kCanvasWidth,
                &frame[size_t(y + kCanvasTop) * kBufferWidth + kCanvasLeft]);
  SetBitmapBits(BackBitmap, kPageBytes, frame.data());
  draw_texts(status);
}
