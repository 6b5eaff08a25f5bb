// The one door through which the system reaches the Win32 API. On Windows it
// is the real API; elsewhere it is the project's own implementation of the
// calls the system makes, declared with the same names, types and values.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Multimedia and shell calls, which the lean <windows.h> leaves out.
#include <mmsystem.h>
#include <shellapi.h>
#else
#include "platform/gdi32/gdi32.h"
#include "platform/kernel32/kernel32.h"
#include "platform/opengl32/wgl.h"
#include "platform/shared/types.h"
#include "platform/shell32/shell32.h"
#include "platform/user32/char_case.h"
#include "platform/user32/user32.h"
#include "platform/winmm/winmm.h"
#endif
