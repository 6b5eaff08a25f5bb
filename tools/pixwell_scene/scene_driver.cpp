#include "scene_driver.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "display/graphics_startup.h"
#include "layers/layer_window.h"
#include "layers/startup.h"
#include "scene3d/scene.h"
#include "support/plain_window.h"

HWND open_scene_window(int width, int height) {
  HWND window = create_plain_window("PixwellScene", DefWindowProcA, WS_POPUP, width, height);
  ShowWindow(window, SW_SHOWNORMAL);
  pump_messages();
  GraphicsStartup(window);
  if (GLContext == nullptr) {
    DestroyWindow(window);
    return nullptr;
  }
  InitScene();
  RECT rect{};
  GetWindowRect(window, &rect);
  ResizeScene(rect.right, rect.bottom);
  return window;
}

void close_scene_window(HWND window) {
  ReleaseScene();
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(GLContext);
  GLContext = nullptr;
  ReleaseDC(window, WindowDC);
  WindowDC = nullptr;
  DestroyWindow(window);
  pump_messages();
}

bool apply_scene_action(HWND window, char action) {
  if (action == 'R') {
    RenderScene();
  } else {
    LastKey = static_cast<unsigned char>(action);
    SceneKey(window);
    LastKey = 0;
  }
  pump_messages();
  return action == 'R' || action == 'A' || action == 'D';
}

// The buffer swap copies the back buffer to the window and keeps it (Mesa
// here, natively and under Wine), so it holds the frame shown.
FrameImage read_scene_frame(int width, int height) {
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  FrameImage image;
  image.width = width;
  image.height = height;
  image.rgb.resize(rows.size());
  size_t row_bytes = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)  // OpenGL counts rows from the bottom
    std::copy_n(&rows[(height - 1 - y) * row_bytes], row_bytes, &image.rgb[y * row_bytes]);
  return image;
}

void hold_scene_window(int milliseconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<int32_t>(end - GetTickCount()) > 0) {
    pump_messages();
    Sleep(20);
  }
}
