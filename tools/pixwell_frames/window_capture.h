// Reads a window's client area back through its device context.
#pragma once

#include "frame_image.h"
#include "platform/win32.h"

// Copies the client area's top-left width by height pixels with BitBlt.
FrameImage capture_client_area(HWND window, int width, int height);
