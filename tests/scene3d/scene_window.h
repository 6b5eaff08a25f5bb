// The scene's test window: a 600 by 480 pop-up window (client area equal to
// its window rectangle) at the screen's origin, with graphics start-up and
// InitScene run on it once per test process.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/opengl.h"
#include "support/picture.h"

constexpr int kSceneWidth = 600;
constexpr int kSceneHeight = 480;

HWND scene_test_window();

// Puts every scene global that a test may change back to its initial value,
// sets the projection for the whole window and draws one frame, so that
// light 0 again points the way the initial state gives it.
void reset_scene();

// One frame of the window: 0x00RRGGBB values, bottom row first as OpenGL
// counts rows.
struct SceneFrame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The frame as the screen shows it, top row first.
  Picture picture() const;
};

// Reads the picture that the last SwapBuffers put on the window.
SceneFrame read_shown_frame(int width = kSceneWidth, int height = kSceneHeight);
// Fills the back buffer with one colour, without showing it.
void mark_back_buffer(float red, float green, float blue);
