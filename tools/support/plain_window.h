// A window of a class registered for it, at the screen's top-left corner,
// and a pump for the messages its creation queues: what the test
// executables, the benchmarks and the tools that need a real window start
// from.
#pragma once

#include "platform/win32.h"

HWND create_plain_window(const char* class_name, WNDPROC procedure, DWORD style, int width,
                         int height);

// Translates and dispatches every message queued for the thread.
void pump_messages();
