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
#include "platform/posix_gdi.h"
#include "platform/posix_kernel.h"
#include "platform/posix_shell.h"
#include "platform/posix_types.h"
#include "platform/posix_user.h"
#include "platform/posix_user_text.h"
#include "platform/posix_wgl.h"
#include "platform/posix_winmm.h"
#endif
