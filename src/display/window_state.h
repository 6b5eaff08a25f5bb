// What the interactive window keeps for the levels above the display: which
// picture it shows and the key held down. The layers set both; the scene and
// the text views read the key, the programs read the mode.
#pragma once

#include <cstdint>

// 0 shows the layers, 1 the OpenGL scene.
extern int32_t DisplayMode;
// The virtual-key code of the last WM_KEYDOWN; 0 after any WM_KEYUP.
extern uint32_t LastKey;
