// Shell calls of the POSIX platform layer: ShellExecuteA, with the names,
// types and values of <shellapi.h>.
#pragma once

#include "platform/shared/types.h"

#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

HINSTANCE ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, INT show);
