// The GL state that the scene sets up, read back from OpenGL: lights, lists,
// enables, the projection, and what the camera keys and each frame change.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "layers/layer_window.h"
#include "scene3d/scene.h"
#include "scene3d/scene_model.h"
#include "scene3d/scene_window.h"

namespace {

using scene_model::Mat4;
using scene_model::Vec3;

class SceneStateTest : public testing::Test {
 protected:
  void SetUp() override { reset_scene(); }
  void TearDown() override { reset_scene(); }
  static HWND window() { return scene_test_window(); }
  static void press(uint32_t key, int times = 1) {
    LastKey = key;
    for (int i = 0; i < times; ++i) SceneKey(window());
  }
};

std::array<GLfloat, 4> light_vector(GLenum light, GLenum name) {
  std::array<GLfloat, 4> value{-9, -9, -9, -9};
  glGetLightfv(light, name, value.data());
  return value;
}

GLfloat light_scalar(GLenum light, GLenum name) { return light_vector(light, name)[0]; }

void expect_vector(const std::array<GLfloat, 4>& actual, std::array<double, 4> expected,
                   int count = 4, double tolerance = 1e-6) {
  for (int i = 0; i < count; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "index " << i;
}

Mat4 matrix_of(GLenum name) {
  GLdouble values[16] = {};
  glGetDoublev(name, values);
  Mat4 m{};
  for (int i = 0; i < 16; ++i) m[i] = values[i];
  return m;
}

void expect_matrix(const Mat4& actual, const Mat4& expected) {
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-5 * (1 + std::fabs(expected[i]))) << "element " << i;
}

std::array<GLint, 4> viewport() {
  std::array<GLint, 4> box{};
  glGetIntegerv(GL_VIEWPORT, box.data());
  return box;
}

// Every light keeps what SetupLight gave it: the positions as given (the
// modelview matrix was the identity), white diffuse and specular, its own
// ambient colour, attenuations of 1, and no spot: the cut-off of -1 is
// refused and stays 180.
TEST_F(SceneStateTest, LightsHoldTheirPositionsColoursAttenuationsAndNoSpot) {
  const std::array<std::array<double, 4>, 3> positions{
      {{-2, -2, -4, 0}, {2, 2, 4, 0}, {-2, 2, 4, 0}}};
  const std::array<std::array<double, 4>, 3> ambients{
      {{0.2, 0, 0, 1}, {0, 0.2, 0, 1}, {0, 0, 0.2, 1}}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    GLenum light = GL_LIGHT0 + i;
    EXPECT_TRUE(glIsEnabled(light));
    expect_vector(light_vector(light, GL_POSITION), positions[i]);
    expect_vector(light_vector(light, GL_DIFFUSE), {1, 1, 1, 1});
    expect_vector(light_vector(light, GL_SPECULAR), {1, 1, 1, 1});
    expect_vector(light_vector(light, GL_AMBIENT), ambients[i]);
    EXPECT_EQ(light_scalar(light, GL_CONSTANT_ATTENUATION), 1.0f);
    EXPECT_EQ(light_scalar(light, GL_LINEAR_ATTENUATION), 1.0f);
    EXPECT_EQ(light_scalar(light, GL_QUADRATIC_ATTENUATION), 1.0f);
    EXPECT_EQ(light_scalar(light, GL_SPOT_CUTOFF), 180.0f);
    EXPECT_EQ(light_scalar(light, GL_SPOT_EXPONENT), 0.0f);
    expect_vector(light_vector(light, GL_SPOT_DIRECTION), {-1, -1, -1}, 3);
  }
  EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
}

// Of SetupLight's ten calls only the spot cut-off is refused, and it leaves
// the default of 180 in place.
TEST_F(SceneStateTest, SetupLightsOnlyErrorIsTheRefusedSpotCutOff) {
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLfloat position[4] = {1, 0, 0, 0};
  GLfloat ambient[4] = {0.1f, 0.2f, 0.3f, 1};
  SetupLight(GL_LIGHT3, position, ambient);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(light_scalar(GL_LIGHT3, GL_SPOT_CUTOFF), 180.0f);
  expect_vector(light_vector(GL_LIGHT3, GL_AMBIENT), {0.1, 0.2, 0.3, 1});
  EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
  glDisable(GL_LIGHT3);
}

TEST_F(SceneStateTest, InitSceneBuildsListsOneAndTwoAndEnablesInOrder) {
  EXPECT_TRUE(glIsList(kSphere1List));
  EXPECT_TRUE(glIsList(kSphere2List));
  EXPECT_FALSE(glIsList(kObject3List));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  GLint shade_model = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shade_model);
  EXPECT_EQ(shade_model, GL_SMOOTH);
  EXPECT_NE(Sphere1Quadric, nullptr);
  EXPECT_NE(Sphere2Quadric, nullptr);
  // Calling list 3, never built, draws nothing and raises no error.
  RenderScene();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneStateTest, ProjectionIsThePerspectiveOfTheFieldOfViewWithAspectOne) {
  expect_matrix(matrix_of(GL_PROJECTION_MATRIX), scene_model::perspective(5, 1, 3, 7));
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, kSceneWidth, kSceneHeight}));
  // A frame leaves the modelview matrix as it found it: the identity.
  RenderScene();
  expect_matrix(matrix_of(GL_MODELVIEW_MATRIX), scene_model::identity());
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

// 'Z' widens by 5 degrees and rebuilds the projection at once, from the
// window rectangle's right and bottom edges, with aspect 1 whatever the
// window's shape.
TEST_F(SceneStateTest, ZTwiceGivesFifteenDegreesAndRebuildsTheProjectionAtOnce) {
  ResizeScene(50, 40);
  press('Z', 2);
  EXPECT_EQ(FieldOfView, 15.0);
  expect_matrix(matrix_of(GL_PROJECTION_MATRIX), scene_model::perspective(15, 1, 3, 7));
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, kSceneWidth, kSceneHeight}));
  press('X');
  EXPECT_EQ(FieldOfView, 10.0);
  expect_matrix(matrix_of(GL_PROJECTION_MATRIX), scene_model::perspective(10, 1, 3, 7));
}

TEST_F(SceneStateTest, CameraKeysTakeTheWindowRectanglesRightAndBottomEdges) {
  MoveWindow(window(), 100, 50, 600, 480, FALSE);
  press('Z');
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 700, 530}));
}

// One 'X' from the start leaves a field of view of 0, a degenerate
// projection; frames are still drawn and the next 'X' goes below 0.
TEST_F(SceneStateTest, XNarrowsWithoutBounds) {
  press('X');
  EXPECT_EQ(FieldOfView, 0.0);
  RenderScene();
  press('X');
  EXPECT_EQ(FieldOfView, -5.0);
  RenderScene();
  press('Z', 3);
  EXPECT_EQ(FieldOfView, 10.0);
  expect_matrix(matrix_of(GL_PROJECTION_MATRIX), scene_model::perspective(10, 1, 3, 7));
}

// 'W' and 'S' change the spin about the x axis and draw nothing: the back
// buffer keeps a mark and the angles stay; the next frame applies the step.
TEST_F(SceneStateTest, WAndSChangeTheXAxisSpinWithoutDrawing) {
  mark_back_buffer(0, 0, 1);
  press('W');
  EXPECT_FLOAT_EQ(Object1Step[1], 0.1f);
  EXPECT_EQ(Object1Angles[1], 0.0f);
  EXPECT_EQ(read_shown_frame(4, 4).at(0, 0), 0x0000FFu);
  RenderScene();
  EXPECT_FLOAT_EQ(Object1Angles[1], 0.1f);
  EXPECT_EQ(read_shown_frame(4, 4).at(0, 0), 0u);
  press('S', 3);
  EXPECT_NEAR(Object1Step[1], -0.2f, 1e-6);
  EXPECT_FLOAT_EQ(Object1Angles[1], 0.1f);
  EXPECT_EQ(Object1Step[0], 0.0f);
}

// 'D' three times: 0.3 degrees a frame more about the y axis, and a frame
// drawn at each press, which advances the angle by the step of that moment.
TEST_F(SceneStateTest, DThreeTimesAddsPointThreeAndDrawsAtEachPress) {
  for (int press_number = 1; press_number <= 3; ++press_number) {
    mark_back_buffer(0, 0, 1);
    press('D');
    EXPECT_NEAR(Object1Step[0], 0.1 * press_number, 1e-6);
    EXPECT_EQ(read_shown_frame(4, 4).at(0, 0), 0u) << "press " << press_number;
  }
  EXPECT_NEAR(Object1Step[0], 0.3, 1e-6);
  EXPECT_NEAR(Object1Angles[0], 0.1 + 0.2 + 0.3, 1e-5);
  press('A', 3);
  EXPECT_NEAR(Object1Step[0], 0.0, 1e-6);
  EXPECT_NEAR(Object1Angles[0], 0.6 + 0.2 + 0.1 + 0.0, 1e-5);
  EXPECT_EQ(Object1Step[1], 0.0f);
}

TEST_F(SceneStateTest, OtherKeysChangeNothing) {
  const std::array<uint32_t, 7> keys{0, 'Q', 'a', 'd', 'z', 0x26 /* VK_UP */, 0x1000044};
  for (uint32_t key : keys) {
    mark_back_buffer(0, 0, 1);
    press(key);
    EXPECT_EQ(read_shown_frame(4, 4).at(0, 0), 0x0000FFu) << key;
  }
  EXPECT_EQ(FieldOfView, 5.0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Object1Step[i], 0.0f);
  expect_matrix(matrix_of(GL_PROJECTION_MATRIX), scene_model::perspective(5, 1, 3, 7));
}

// Objects 2 and 3 share object 2's angles: each frame advances them by
// both steps.
TEST_F(SceneStateTest, SharedAngleOfObjectsTwoAndThreeAdvancesTwiceAFrame) {
  Object2Step[0] = Object3Step[0] = 1;
  for (int frame = 1; frame <= 3; ++frame) {
    RenderScene();
    EXPECT_EQ(Object2Angles[0], 2.0f * frame);
  }
  EXPECT_EQ(Object2Angles[1], 0.0f);
  EXPECT_EQ(Object1Angles[0], 0.0f);
}

TEST_F(SceneStateTest, AnglesGrowWithoutWrapping) {
  Object1Step[0] = 100;
  Object1Step[1] = -150;
  for (int frame = 0; frame < 5; ++frame) RenderScene();
  EXPECT_EQ(Object1Angles[0], 500.0f);
  EXPECT_EQ(Object1Angles[1], -750.0f);
}

// Light 0's direction is given again under the matrix that objects 1 and 2
// built in that frame: its eye-space direction is that matrix times its
// position.
TEST_F(SceneStateTest, LightZeroTurnsWithTheMatrixOfObjectsOneAndTwo) {
  const Vec3 step1{20, 10, 5}, step2{7, -3, 11}, step3{1, 2, -4};
  for (int i = 0; i < 3; ++i) {
    Object1Step[i] = static_cast<GLfloat>((&step1.x)[i]);
    Object2Step[i] = static_cast<GLfloat>((&step2.x)[i]);
    Object3Step[i] = static_cast<GLfloat>((&step3.x)[i]);
  }
  for (int frame = 1; frame <= 3; ++frame) {
    RenderScene();
    // Object 2 was drawn with its angles before object 3 advanced them.
    Vec3 angles1 = static_cast<double>(frame) * step1;
    Vec3 angles2 = static_cast<double>(frame - 1) * (step2 + step3) + step2;
    Mat4 objects = scene_model::multiply(scene_model::object_matrix({0, 0, -5}, angles1),
                                         scene_model::object_matrix({0.01, 0, 0.12}, angles2));
    Vec3 expected = scene_model::transform_direction(objects, {-2, -2, -4});
    SCOPED_TRACE(frame);
    expect_vector(light_vector(GL_LIGHT0, GL_POSITION), {expected.x, expected.y, expected.z, 0}, 4,
                  1e-4);
    // The other two lights stay where InitScene put them.
    expect_vector(light_vector(GL_LIGHT1, GL_POSITION), {2, 2, 4, 0});
  }
}

// ReleaseScene twice, or before InitScene (both handles null), deletes no
// quadric twice and no null one; afterwards both handles are null. The
// lists, compiled already, still draw.
TEST_F(SceneStateTest, ReleaseSceneTwiceOrBeforeInitDeletesEachQuadricOnce) {
  GLUquadric* first = Sphere1Quadric;
  GLUquadric* second = Sphere2Quadric;
  Sphere1Quadric = Sphere2Quadric = nullptr;
  ReleaseScene();  // as before InitScene
  EXPECT_EQ(Sphere1Quadric, nullptr);
  Sphere1Quadric = first;
  Sphere2Quadric = second;
  ReleaseScene();
  EXPECT_EQ(Sphere1Quadric, nullptr);
  EXPECT_EQ(Sphere2Quadric, nullptr);
  ReleaseScene();
  EXPECT_EQ(Sphere1Quadric, nullptr);
  EXPECT_EQ(Sphere2Quadric, nullptr);
  RenderScene();
  EXPECT_NE(read_shown_frame().at(kSceneWidth / 2 - 40, kSceneHeight / 2), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// List 3 exists once somebody builds it with MakeSquareList.
TEST_F(SceneStateTest, MakeSquareListBuildsListThree) {
  MakeSquareList(kObject3List);
  EXPECT_TRUE(glIsList(kObject3List));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteLists(kObject3List, 1);
  EXPECT_FALSE(glIsList(kObject3List));
}

}  // namespace
