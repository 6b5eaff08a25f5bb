#include "scene3d/scene_window.h"

#include <algorithm>
#include <initializer_list>

#include "display/graphics_startup.h"
#include "layers/layer_window.h"
#include "layers/startup.h"
#include "scene3d/scene.h"
#include "support/plain_window.h"

namespace {

HWND create_popup_window() {
  return create_plain_window("PixwellSceneTest", DefWindowProcA, WS_POPUP, kSceneWidth,
                             kSceneHeight);
}

template <size_t N>
void set(GLfloat (&vector)[N], std::initializer_list<GLfloat> values) {
  size_t i = 0;
  for (GLfloat value : values) vector[i++] = value;
}

}  // namespace

HWND scene_test_window() {
  static HWND window = [] {
    HWND created = create_popup_window();
    ShowWindow(created, SW_SHOWNORMAL);
    pump_messages();
    GraphicsStartup(created);
    InitScene();
    return created;
  }();
  return window;
}

void reset_scene() {
  HWND window = scene_test_window();
  MoveWindow(window, 0, 0, kSceneWidth, kSceneHeight, TRUE);
  pump_messages();
  FieldOfView = 5.0;
  set(Object1Step, {0, 0, 0});
  set(Object1Angles, {0, 0, 0});
  set(Object2Step, {0, 0, 0});
  set(Object2Angles, {0, 0, 0});
  set(Object3Step, {0, 0, 0});
  LastKey = 0;
  glClearColor(0, 0, 0, 0);
  ResizeScene(kSceneWidth, kSceneHeight);
  RenderScene();
  glGetError();  // the spot cut-off's refusal, among others, is not ours to keep
}

// The window's front buffer can't be read back on every driver (Mesa's
// software one returns black for it under X); its buffer swap copies the
// back buffer to the window and keeps it, so the back buffer right after
// SwapBuffers holds the frame that the window shows. The screenshots taken
// of the scene tool check this against the screen.
SceneFrame read_shown_frame(int width, int height) {
  SceneFrame frame{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  std::vector<uint8_t> rgba(frame.pixels.size() * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (size_t i = 0; i < frame.pixels.size(); ++i)
    frame.pixels[i] =
        (uint32_t{rgba[i * 4]} << 16) | (uint32_t{rgba[i * 4 + 1]} << 8) | rgba[i * 4 + 2];
  return frame;
}

Picture SceneFrame::picture() const {
  Picture flipped{width, height, std::vector<uint32_t>(pixels.size())};
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels.begin() + static_cast<ptrdiff_t>(height - 1 - y) * width, width,
                flipped.pixels.begin() + static_cast<ptrdiff_t>(y) * width);
  return flipped;
}

void mark_back_buffer(float red, float green, float blue) {
  GLfloat previous[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
  glClearColor(red, green, blue, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(previous[0], previous[1], previous[2], previous[3]);
}
