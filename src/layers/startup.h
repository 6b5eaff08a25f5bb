// Graphics start-up as a whole: the display's buffers, the empty layer table,
// then the angle table and the OpenGL context, in that order. The table is
// made here, above the display, so that the display knows nothing of layers.
#pragma once

#include "platform/win32.h"

void GraphicsStartup(HWND window);
