// A pop-up window at the screen's origin, its client area equal to its
// window rectangle, with graphics start-up, InitScene and ResizeScene done:
// the scene as the interactive window's 3D mode shows it, driven by keys.
#pragma once

#include <string>

#include "frame_image.h"
#include "platform/win32.h"

HWND open_scene_window(int width, int height);
// Ends what open_scene_window made: the scene's quadrics, the OpenGL
// context, the window's DC and the window, each once.
void close_scene_window(HWND window);
// Presses one key as the interactive window passes it on (LastKey, then
// SceneKey), or 'R' for a RenderScene of its own. Returns whether a frame
// was drawn.
bool apply_scene_action(HWND window, char action);
// The frame that the last buffer swap showed, top row first.
FrameImage read_scene_frame(int width, int height);
// Handles the window's messages for the given time, drawing nothing.
void hold_scene_window(int milliseconds);
