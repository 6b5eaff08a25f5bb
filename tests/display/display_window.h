// One plain window per test process, with graphics start-up run on it once.
#pragma once

#include "platform/win32.h"

HWND display_test_window();
