// Text calls of the POSIX platform layer's USER side: character case
// conversion by the ANSI code page (Windows-1252), as Windows does it.
#pragma once

#include "platform/shared/types.h"

// Upper-cases a zero-terminated string in place and returns it. A pointer
// whose high word is zero is taken as one character in its low byte, and
// that character's upper case is returned in the low byte of the result.
LPSTR CharUpperA(LPSTR text);
