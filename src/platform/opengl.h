// OpenGL 1.1 and GLU for the modules: on Windows through the system's
// opengl32 and glu32, elsewhere through Mesa, bound to windows by the WGL
// calls of platform/win32.h on both.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/win32.h"
