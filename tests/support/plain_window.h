// A window of a class registered for it, at the screen's top-left corner:
// what every test executable that needs a real window starts from.
#pragma once

#include "platform/win32.h"

HWND create_plain_window(const char* class_name, WNDPROC procedure, DWORD style, int width,
                         int height);
