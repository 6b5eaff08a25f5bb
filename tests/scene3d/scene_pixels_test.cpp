// The rendered frames, read back from the window, against the model's
// projection and lighting equations (scene_model.h).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "layers/layer_window.h"
#include "scene3d/scene.h"
#include "scene3d/scene_model.h"
#include "scene3d/scene_window.h"
#include "support/picture_diff.h"

namespace {

using namespace scene_model;

constexpr Vec3 kMaterial1{0.6, 0.4, 0.2};
constexpr Vec3 kMaterial2{0.8, 0.8, 0.0};
constexpr double kRadius1 = 0.11;
constexpr double kRadius2 = 0.01;
constexpr Vec3 kLight0{-2, -2, -4};
constexpr int kChannelTolerance = 2;

// The scene as the model sees it: object 1's angles, the angles object 2
// was drawn with, and light 0's eye-space direction.
struct ModelScene {
  View view;
  std::array<Sphere, 2> spheres;
  std::array<Light, 3> lights;
};

ModelScene model_scene(double fov, Vec3 angles1 = {}, Vec3 angles2 = {}, Vec3 light0 = kLight0) {
  Mat4 object1 = object_matrix({0, 0, -5}, angles1);
  Mat4 object2 = multiply(object1, object_matrix({0.01, 0, 0.12}, angles2));
  return {
      View{kSceneWidth, kSceneHeight, fov},
      {Sphere{object1, kRadius1, 32, kMaterial1}, Sphere{object2, kRadius2, 24, kMaterial2}},
      {Light{light0, {0.2, 0, 0}}, Light{{2, 2, 4}, {0, 0.2, 0}}, Light{{-2, 2, 4}, {0, 0, 0.2}}}};
}

uint32_t packed(Vec3 colour) {
  return static_cast<uint32_t>(to_byte(colour.x) << 16 | to_byte(colour.y) << 8 |
                               to_byte(colour.z));
}

int channel_difference(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift : {0, 8, 16})
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                   static_cast<int>((b >> shift) & 0xFF)));
  return most;
}

// Sphere 2 is the only surface without blue: sphere 1's ambient blue alone
// is 0.2 × 0.4 of full.
bool is_sphere2(uint32_t pixel) { return (pixel & 0xFF) == 0 && pixel != 0; }

// Which sphere, if any, covers a pixel for sure: the same one with the
// silhouettes grown and shrunk by 1.5 pixels. -1: none; -2: an edge.
int sure_cover(const ModelScene& scene, int x, int y) {
  std::optional<Hit> inner = cast(scene.view, scene.spheres, x, y, -1.5);
  std::optional<Hit> outer = cast(scene.view, scene.spheres, x, y, 1.5);
  if (!outer) return -1;
  return inner && inner->sphere == outer->sphere ? inner->sphere : -2;
}

struct Comparison {
  int compared[2] = {0, 0};
  int worst = 0;
  int worst_x = 0, worst_y = 0;
};

// Compares every pixel well inside a sphere, facing the eye and lit the
// same way at its facet's corners, with the model's Gouraud colour.
Comparison compare_interior(const SceneFrame& frame, const ModelScene& scene) {
  Comparison result;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      int sphere = sure_cover(scene, x, y);
      if (sphere < 0) continue;
      Vec3 ray = pixel_ray(scene.view, x + 0.5, y + 0.5);
      std::optional<Hit> hit = cast(scene.view, scene.spheres, x, y);
      std::optional<Vec3> colour = gouraud_colour(scene.spheres[sphere], ray, scene.lights);
      if (!colour || -dot(normalised(ray), hit->normal) < 0.3) continue;
      ++result.compared[sphere];
      int difference = channel_difference(packed(*colour), frame.at(x, y));
      if (difference <= result.worst) continue;
      result.worst = difference;
      result.worst_x = x;
      result.worst_y = y;
    }
  }
  return result;
}

void expect_interior_matches(const SceneFrame& frame, const ModelScene& scene) {
  Comparison result = compare_interior(frame, scene);
  EXPECT_LE(result.worst, kChannelTolerance)
      << "at (" << result.worst_x << ", " << result.worst_y << "): " << std::hex
      << frame.at(result.worst_x, result.worst_y);
  EXPECT_GT(result.compared[0], 10000);
  EXPECT_GT(result.compared[1], 100);
}

// Every pixel that no sphere comes within 1.5 pixels of is black; every
// pixel surely inside one is not.
void expect_black_exactly_outside(const SceneFrame& frame, const ModelScene& scene) {
  int lit_outside = 0, dark_inside = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      int sphere = sure_cover(scene, x, y);
      lit_outside += sphere == -1 && frame.at(x, y) != 0;
      dark_inside += sphere >= 0 && frame.at(x, y) == 0;
    }
  EXPECT_EQ(lit_outside, 0);
  EXPECT_EQ(dark_inside, 0);
}

// The run of pixels on a row (or column) that a predicate accepts, as its
// first and last index.
template <typename Accept>
std::array<int, 2> run_along(const SceneFrame& frame, bool row, int at, Accept accept) {
  int first = -1, last = -1;
  int length = row ? frame.width : frame.height;
  for (int i = 0; i < length; ++i) {
    uint32_t pixel = row ? frame.at(i, at) : frame.at(at, i);
    if (!accept(pixel)) continue;
    if (first < 0) first = i;
    last = i;
  }
  return {first, last};
}

double measured_radius(std::array<int, 2> run) { return (run[1] - run[0] + 1) / 2.0; }

double focal_length(double fov) { return 1.0 / std::tan(fov * std::numbers::pi / 360.0); }

// Half the extent, in pixels across a viewport side of `side` pixels, of a
// sphere seen from the eye: the tangents from the eye at the sphere's angle
// (in the plane of that axis) plus and minus its angular radius.
double projected_radius(double fov, double side, double lateral, double depth, double radius) {
  double centre = std::atan2(lateral, depth);
  double half_angle = std::asin(radius / std::hypot(lateral, depth));
  double f = focal_length(fov);
  return (std::tan(centre + half_angle) - std::tan(centre - half_angle)) / 2 * f * side / 2;
}

class ScenePixelsTest : public testing::Test {
 protected:
  void SetUp() override { reset_scene(); }
  void TearDown() override { reset_scene(); }
  static SceneFrame render() {
    RenderScene();
    return read_shown_frame();
  }
};

// Aspect 1 on a 600 by 480 viewport: each sphere is an ellipse 600 / 480
// times as wide as high. Sphere 1 is centred; sphere 2 lies at (0.01, 0,
// -4.88) in eye space.
void expect_radii(const SceneFrame& frame, double fov) {
  auto any = [](uint32_t pixel) { return pixel != 0; };
  double radius1_x = projected_radius(fov, kSceneWidth, 0, 5, kRadius1);
  double radius1_y = projected_radius(fov, kSceneHeight, 0, 5, kRadius1);
  EXPECT_NEAR(measured_radius(run_along(frame, true, kSceneHeight / 2, any)), radius1_x, 1);
  EXPECT_NEAR(measured_radius(run_along(frame, false, kSceneWidth / 2 - 1, any)), radius1_y, 1);

  double radius2_x = projected_radius(fov, kSceneWidth, 0.01, 4.88, kRadius2);
  double radius2_y = projected_radius(fov, kSceneHeight, 0, std::hypot(0.01, 4.88), kRadius2);
  std::array<double, 2> centre2 = project(View{kSceneWidth, kSceneHeight, fov}, {0.01, 0, -4.88});
  int row = static_cast<int>(centre2[1]), column = static_cast<int>(centre2[0]);
  EXPECT_NEAR(measured_radius(run_along(frame, true, row, is_sphere2)), radius2_x, 1);
  EXPECT_NEAR(measured_radius(run_along(frame, false, column, is_sphere2)), radius2_y, 1);
}

TEST_F(ScenePixelsTest, SpheresProjectToThePerspectivesRadii) {
  expect_radii(render(), 5);
  LastKey = 'Z';
  SceneKey(scene_test_window());
  SceneKey(scene_test_window());
  expect_radii(render(), 15);
}

TEST_F(ScenePixelsTest, BlackOutsideTheSpheres) {
  expect_black_exactly_outside(render(), model_scene(5));
  LastKey = 'Z';
  SceneKey(scene_test_window());
  SceneKey(scene_test_window());
  expect_black_exactly_outside(render(), model_scene(15));
}

// At the pixels next to each sphere's pole (a vertex of its mesh, facing
// the eye) the colour is the lighting equation at the pixel's normal:
// material × (global ambient 0.2 + the three ambient terms) plus the diffuse
// terms of lights 1 and 2, which face it; light 0 faces away.
TEST_F(ScenePixelsTest, ColourAtThePolesFollowsTheLightingEquation) {
  SceneFrame frame = render();
  ModelScene scene = model_scene(5);
  Vec3 pole_normal{0, 0, 1};
  EXPECT_LT(dot(pole_normal, normalised(kLight0)), 0);
  // Sphere 1 at (0, 0): red saturates, green 0.4 × 2.03, blue 0.2 × 2.03.
  EXPECT_EQ(packed(lit_colour(kMaterial1, pole_normal, scene.lights)), 0xFFCF68u);
  std::array<double, 2> pole2 = project(scene.view, {0.01, 0, -4.87});
  const std::array<std::array<int, 3>, 4> samples{{{299, 240, 0},
                                                   {299, 239, 0},
                                                   {static_cast<int>(pole2[0]), 239, 1},
                                                   {static_cast<int>(pole2[0]), 240, 1}}};
  for (const auto& [x, y, sphere] : samples) {
    std::optional<Hit> hit = cast(scene.view, scene.spheres, x, y);
    ASSERT_TRUE(hit.has_value());
    ASSERT_EQ(hit->sphere, sphere);
    EXPECT_GT(hit->normal.z, 0.99);
    uint32_t expected =
        packed(lit_colour(scene.spheres[sphere].material, hit->normal, scene.lights));
    EXPECT_LE(channel_difference(frame.at(x, y), expected), kChannelTolerance)
        << "(" << x << ", " << y << "): " << std::hex << frame.at(x, y) << " against " << expected;
  }
}

// Everywhere inside the spheres, away from their outlines and from the
// lines where a light starts to face the surface.
TEST_F(ScenePixelsTest, ColourInsideBothSpheresFollowsTheLightingEquation) {
  expect_interior_matches(render(), model_scene(5));
}

TEST_F(ScenePixelsTest, FramesFromTheInitialStateAreIdentical) {
  SceneFrame first = render();
  for (int frame = 0; frame < 3; ++frame) EXPECT_SAME_PICTURE(first.picture(), render().picture());
}

// Sphere 2 is placed under sphere 1's rotation: as object 1 spins about y
// (or x), sphere 2's pixels centre on where that rotation carries it.
TEST_F(ScenePixelsTest, SphereTwoCirclesSphereOneAsItSpins) {
  const std::array<std::array<GLfloat, 2>, 5> turns{
      {{30, 0}, {-50, 0}, {0, 40}, {0, -35}, {25, 25}}};
  for (const auto& [about_y, about_x] : turns) {
    reset_scene();
    Object1Step[0] = about_y;
    Object1Step[1] = about_x;
    SceneFrame frame = render();
    ModelScene scene = model_scene(5, {about_y, about_x, 0});
    std::array<double, 2> expected = project(scene.view, scene.spheres[1].centre());
    double sum_x = 0, sum_y = 0;
    int count = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x)
        if (is_sphere2(frame.at(x, y))) {
          sum_x += x + 0.5;
          sum_y += y + 0.5;
          ++count;
        }
    SCOPED_TRACE(testing::Message()
                 << "turned " << about_y << " about y, " << about_x << " about x");
    ASSERT_GT(count, 300);
    EXPECT_NEAR(sum_x / count, expected[0], 1);
    EXPECT_NEAR(sum_y / count, expected[1], 1);
  }
}

// Light 0 lights each frame from the direction given during the frame
// before: spinning object 1 by 90 degrees a frame about z, frame 1 is lit
// from the initial direction and frame 2 from it turned by 90 degrees.
TEST_F(ScenePixelsTest, LightZeroLightsEachFrameFromThePreviousFramesDirection) {
  Object1Step[2] = 90;
  SceneFrame frame1 = render();
  SceneFrame frame2 = render();
  Vec3 turned = transform_direction(rotation(90, {0, 0, 1}), kLight0);
  expect_interior_matches(frame1, model_scene(5, {0, 0, 90}, {}, kLight0));
  expect_interior_matches(frame2, model_scene(5, {0, 0, 180}, {}, turned));
  // Lit from the current frame's direction instead, frame 2 would differ.
  Vec3 current = transform_direction(rotation(180, {0, 0, 1}), kLight0);
  EXPECT_GT(compare_interior(frame2, model_scene(5, {0, 0, 180}, {}, current)).worst, 40);
}

}  // namespace
