// The interactive window procedure's process-wide state: the display mode and
// the last key pressed. The text views and the 3D scene's camera keys read
// `LastKey`; the procedure itself keeps both up to date.
#pragma once

#include <cstdint>

// 0 shows the layers, 1 the OpenGL scene.
extern int32_t DisplayMode;
// The virtual-key code of the last WM_KEYDOWN; 0 after any WM_KEYUP.
extern uint32_t LastKey;
