#include "scene3d/scene.h"

#include "display/graphics_startup.h"
#include "display/window_state.h"

GLdouble FieldOfView = 5.0;
GLdouble SceneAspect = 1.0;
GLdouble NearPlane = 3.0;
GLdouble FarPlane = 7.0;

GLfloat Object1Position[3] = {0.0f, 0.0f, -5.0f};
GLfloat Object1Step[3] = {0.0f, 0.0f, 0.0f};
GLfloat Object1Angles[3] = {0.0f, 0.0f, 0.0f};
GLfloat Object1Material[4] = {0.6f, 0.4f, 0.2f, 0.0f};
GLdouble Object1Radius = 0.11;
int32_t Object1Tessellation = 32;
GLfloat Object2Position[3] = {0.01f, 0.0f, 0.12f};
GLfloat Object2Step[3] = {0.0f, 0.0f, 0.0f};
GLfloat Object2Angles[3] = {0.0f, 0.0f, 0.0f};
GLfloat Object2Material[4] = {0.8f, 0.8f, 0.0f, 0.0f};
GLdouble Object2Radius = 0.01;
int32_t Object2Tessellation = 24;
GLfloat Object3Step[3] = {0.0f, 0.0f, 0.0f};
GLUquadric* Sphere1Quadric = nullptr;
GLUquadric* Sphere2Quadric = nullptr;

GLfloat Light0Position[4] = {-2.0f, -2.0f, -4.0f, 0.0f};
GLfloat Light1Position[4] = {2.0f, 2.0f, 4.0f, 0.0f};
GLfloat Light2Position[4] = {-2.0f, 2.0f, 4.0f, 0.0f};
GLfloat Light0Ambient[4] = {0.2f, 0.0f, 0.0f, 1.0f};
GLfloat Light1Ambient[4] = {0.0f, 0.2f, 0.0f, 1.0f};
GLfloat Light2Ambient[4] = {0.0f, 0.0f, 0.2f, 1.0f};
GLfloat LightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
GLfloat LightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
// Outside the range OpenGL accepts (0 to 90, or 180): the call is refused
// with GL_INVALID_VALUE and the light keeps its cut-off of 180, no spot.
GLfloat LightSpotCutoff = -1.0f;
GLfloat LightSpotExponent = 0.0f;
GLfloat LightSpotDirection[3] = {-1.0f, -1.0f, -1.0f};
GLfloat LightAttenuation = 1.0f;

namespace {

// Virtual-key codes of the camera keys.
constexpr uint32_t kKeySpinLeft = 'A';
constexpr uint32_t kKeySpinRight = 'D';
constexpr uint32_t kKeyTiltUp = 'W';
constexpr uint32_t kKeyTiltDown = 'S';
constexpr uint32_t kKeyNarrow = 'X';
constexpr uint32_t kKeyWiden = 'Z';

// Degrees of spin a frame per key press, and of field of view. The spin is
// added in single precision, so that every target rounds the sum alike.
constexpr GLfloat kSpinStep = GLfloat{10} / 100;
constexpr GLdouble kFieldOfViewStep = GLdouble{500} / 100;

void add_spin(GLfloat& step, GLfloat amount) { step += amount; }

// The size handling of the interactive window does the same: the window
// rectangle's right and bottom edges serve as width and height.
void reapply_projection(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  ResizeScene(rect.right, rect.bottom);
}

void delete_quadric(GLUquadric*& quadric) {
  if (quadric != nullptr) gluDeleteQuadric(quadric);
  quadric = nullptr;
}

}  // namespace

void InitScene() {
  SetupLight(GL_LIGHT0, Light0Position, Light0Ambient);
  SetupLight(GL_LIGHT1, Light1Position, Light1Ambient);
  SetupLight(GL_LIGHT2, Light2Position, Light2Ambient);
  Sphere1Quadric = MakeSphereList(kSphere1List, GLU_FILL, GLU_SMOOTH, Object1Material,
                                  &Object1Radius, Object1Tessellation);
  Sphere2Quadric = MakeSphereList(kSphere2List, GLU_FILL, GLU_SMOOTH, Object2Material,
                                  &Object2Radius, Object2Tessellation);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_NORMALIZE);
}

void ResizeScene(int32_t width, int32_t height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfView, SceneAspect, NearPlane, FarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// Each object's matrix stays in force for the objects after it, so sphere 2
// is carried round sphere 1, and light 0's direction, given again under the
// matrix of objects 1 and 2, turns with them (lighting them from the next
// frame on). Object 3 advances object 2's angles a second time.
void RenderScene() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  DrawSceneObject(kSphere1List, Object1Position, Object1Step, Object1Angles);
  DrawSceneObject(kSphere2List, Object2Position, Object2Step, Object2Angles);
  glLightfv(GL_LIGHT0, GL_POSITION, Light0Position);
  DrawSceneObject(kObject3List, Object2Position, Object3Step, Object2Angles);
  glPopMatrix();
  SwapBuffers(WindowDC);
}

void SceneKey(HWND window) {
  switch (LastKey) {
    case kKeySpinLeft:
      add_spin(Object1Step[0], -kSpinStep);
      RenderScene();
      break;
    case kKeySpinRight:
      add_spin(Object1Step[0], kSpinStep);
      RenderScene();
      break;
    case kKeyTiltUp: add_spin(Object1Step[1], kSpinStep); break;
    case kKeyTiltDown: add_spin(Object1Step[1], -kSpinStep); break;
    case kKeyNarrow:
      FieldOfView -= kFieldOfViewStep;
      reapply_projection(window);
      break;
    case kKeyWiden:
      FieldOfView += kFieldOfViewStep;
      reapply_projection(window);
      break;
    default: break;
  }
}

// The position goes through the modelview matrix current at the call.
void SetupLight(GLenum light, const GLfloat* position, const GLfloat* ambient) {
  glLightfv(light, GL_POSITION, position);
  glLightfv(light, GL_DIFFUSE, LightDiffuse);
  glLightfv(light, GL_SPECULAR, LightSpecular);
  glLightfv(light, GL_AMBIENT, ambient);
  glLightfv(light, GL_CONSTANT_ATTENUATION, &LightAttenuation);
  glLightfv(light, GL_LINEAR_ATTENUATION, &LightAttenuation);
  glLightfv(light, GL_QUADRATIC_ATTENUATION, &LightAttenuation);
  glLightfv(light, GL_SPOT_CUTOFF, &LightSpotCutoff);
  glLightfv(light, GL_SPOT_EXPONENT, &LightSpotExponent);
  glLightfv(light, GL_SPOT_DIRECTION, LightSpotDirection);
  glEnable(light);
}

// The quadric outlives the list it was compiled into; ReleaseScene ends it.
GLUquadric* MakeSphereList(GLuint list, GLenum style, GLenum normals, const GLfloat* material,
                           const GLdouble* radius, GLint slices_and_stacks) {
  glNewList(list, GL_COMPILE);
  GLUquadric* quadric = gluNewQuadric();
  gluQuadricDrawStyle(quadric, style);
  gluQuadricNormals(quadric, normals);
  glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
  gluSphere(quadric, *radius, slices_and_stacks, slices_and_stacks);
  glEndList();
  return quadric;
}

namespace {

// Four vertices twice over, as a quad strip at depth z.
void square_strip(GLint z) {
  glBegin(GL_QUAD_STRIP);
  glVertex3i(0, 0, z);
  glVertex3i(0, 1, z);
  glVertex3i(0, 1, z);
  glVertex3i(1, 1, z);
  glVertex3i(1, 1, z);
  glVertex3i(1, 0, z);
  glVertex3i(1, 0, z);
  glVertex3i(0, 0, z);
  glEnd();
}

}  // namespace

// Not built by InitScene: whoever wants list 3 to show something builds it.
void MakeSquareList(GLuint list) {
  glNewList(list, GL_COMPILE);
  glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, Object1Material);
  square_strip(-1);
  square_strip(0);
  glEndList();
}

// Translate, then turn about y, x and z by the angles advanced by the step.
void DrawSceneObject(GLuint list, const GLfloat* position, const GLfloat* step, GLfloat* angles) {
  glTranslatef(position[0], position[1], position[2]);
  angles[0] += step[0];
  glRotatef(angles[0], 0.0f, 1.0f, 0.0f);
  angles[1] += step[1];
  glRotatef(angles[1], 1.0f, 0.0f, 0.0f);
  angles[2] += step[2];
  glRotatef(angles[2], 0.0f, 0.0f, 1.0f);
  glCallList(list);
}

// Safe to call twice or before InitScene: a quadric is deleted once, a null
// one never, and the handles are null afterwards.
void ReleaseScene() {
  delete_quadric(Sphere1Quadric);
  delete_quadric(Sphere2Quadric);
}
