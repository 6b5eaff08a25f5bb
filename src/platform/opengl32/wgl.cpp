// OpenGL on windows through SDL2 and Mesa: one pixel format (double-buffered
// RGBA with depth) offered wherever an OpenGL context can be made for the
// window, rendering contexts as SDL contexts, and buffer swaps.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/opengl.h"
#include "platform/user32/user_objects.h"

namespace posix {
namespace {

constexpr int kOnlyFormat = 1;

struct GlContext : HandleObject {
  static constexpr HandleKind kKind = HandleKind::kGlContext;
  GlContext() : HandleObject(kKind) {}
  SDL_GLContext context = nullptr;
  HWND window = nullptr;
  std::thread::id current_on;  // the thread it is current to, if any
};

struct Current {
  HGLRC context = nullptr;
  HDC dc = nullptr;
};

thread_local Current current;

Window* window_of_dc(HDC handle) {
  DeviceContext* dc = find_as<DeviceContext>(handle);
  return dc && dc->dc_kind == DcKind::kWindow ? find_window(dc->window) : nullptr;
}

// The window of a DC; null with ERROR_INVALID_HANDLE for a DC that is not
// one at all, null alone for a live DC that belongs to no window.
Window* window_of_live_dc(HDC handle) {
  if (find_as<DeviceContext>(handle) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return window_of_dc(handle);
}

// Leaves the calling thread with no current context.
void release_current() {
  if (GlContext* context = find_as<GlContext>(current.context)) {
    if (video_started()) SDL_GL_MakeCurrent(nullptr, nullptr);
    context->current_on = std::thread::id();
  }
  current = Current{};
}

// Whether a context is current to a thread other than the calling one.
bool current_elsewhere(const GlContext& context) {
  return context.current_on != std::thread::id() &&
         context.current_on != std::this_thread::get_id();
}

// The context a handle names, if this thread may use it; else null, with
// ERROR_INVALID_HANDLE for no context and ERROR_BUSY for one current to
// another thread.
GlContext* context_for_this_thread(HGLRC handle) {
  GlContext* context = find_as<GlContext>(handle);
  if (context == nullptr || current_elsewhere(*context)) {
    SetLastError(context == nullptr ? ERROR_INVALID_HANDLE : ERROR_BUSY);
    return nullptr;
  }
  return context;
}

// Makes a context current without disturbing the caller's own.
SDL_GLContext make_context(Window& window) {
  SDL_Window* previous_window = SDL_GL_GetCurrentWindow();
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_GLContext made = SDL_GL_CreateContext(window.sdl);
  SDL_GL_MakeCurrent(previous_window, previous);
  return made;
}

// Whether a context can be made for the window; learnt once per window by
// making one, which is kept for the window's first wglCreateContext: making
// an OpenGL context costs milliseconds, and start-up needs just one.
bool context_possible(Window& window) {
  if (!window.gl_capable || window.sdl == nullptr) return false;
  SDL_GLContext probe = make_context(window);
  if (probe == nullptr) return false;
  window.spare_gl_context = probe;
  return true;
}

// The window's spare context if it has one, else a new one.
SDL_GLContext take_context(Window& window) {
  SDL_GLContext spare = window.spare_gl_context;
  window.spare_gl_context = nullptr;
  return spare != nullptr ? spare : make_context(window);
}

void describe(PIXELFORMATDESCRIPTOR& format) {
  format = PIXELFORMATDESCRIPTOR{};
  format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cRedBits = format.cGreenBits = format.cBlueBits = 8;
  format.cRedShift = 16;
  format.cGreenShift = 8;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
}

}  // namespace

void release_window_gl(Window& window) {
  if (window.spare_gl_context != nullptr) SDL_GL_DeleteContext(window.spare_gl_context);
  window.spare_gl_context = nullptr;
  HWND handle = static_cast<HWND>(window.handle);
  if (GlContext* context = find_as<GlContext>(current.context);
      context && context->window == handle)
    release_current();
}

}  // namespace posix

using namespace posix;

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
  Window* window = window_of_live_dc(dc);
  if (window == nullptr || request == nullptr || !(request->dwFlags & PFD_SUPPORT_OPENGL) ||
      !window->gl_capable)
    return 0;
  return kOnlyFormat;
}

// A window takes one pixel format for good; setting the same one again
// succeeds, another one fails.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
  Window* window = window_of_live_dc(dc);
  if (window == nullptr || format != kOnlyFormat) return FALSE;
  if (window->pixel_format != 0) return window->pixel_format == format;
  if (!context_possible(*window)) return FALSE;
  window->pixel_format = format;
  return TRUE;
}

// A DC that is not one has no pixel format (ERROR_INVALID_PIXEL_FORMAT, as
// Windows says it).
int GetPixelFormat(HDC dc) {
  if (find_as<DeviceContext>(dc) == nullptr) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return 0;
  }
  Window* window = window_of_dc(dc);
  return window ? window->pixel_format : 0;
}

int DescribePixelFormat(HDC dc, int format, UINT size, LPPIXELFORMATDESCRIPTOR description) {
  Window* window = window_of_live_dc(dc);
  if (window == nullptr || !window->gl_capable) return 0;
  if (description != nullptr) {
    if (format != kOnlyFormat || size < sizeof(PIXELFORMATDESCRIPTOR)) return 0;
    describe(*description);
  }
  return kOnlyFormat;
}

HGLRC wglCreateContext(HDC dc) {
  Window* window = window_of_live_dc(dc);
  if (window == nullptr) return nullptr;
  if (window->pixel_format == 0) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return nullptr;
  }
  SDL_GLContext made = take_context(*window);
  if (made == nullptr) return nullptr;
  auto context = std::make_unique<GlContext>();
  context->context = made;
  context->window = static_cast<HWND>(window->handle);
  return static_cast<HGLRC>(add_handle(std::move(context)));
}

// A context current to another thread is not deleted (ERROR_BUSY); the
// calling thread's own is released first.
BOOL wglDeleteContext(HGLRC handle) {
  GlContext* context = context_for_this_thread(handle);
  if (context == nullptr) return FALSE;
  if (current.context == handle) release_current();
  SDL_GL_DeleteContext(context->context);
  remove_handle(handle);
  return TRUE;
}

// A null context releases the thread's current one; with neither a current
// context nor a DC there is nothing to release, which Windows refuses
// (ERROR_INVALID_HANDLE). A context current to another thread is not taken
// from it (ERROR_BUSY).
BOOL wglMakeCurrent(HDC dc, HGLRC handle) {
  if (handle == nullptr) {
    if (current.context == nullptr && dc == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    release_current();
    return TRUE;
  }
  GlContext* context = context_for_this_thread(handle);
  if (context == nullptr) return FALSE;
  Window* window = window_of_live_dc(dc);
  if (window == nullptr) return FALSE;
  if (window->pixel_format == 0) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return FALSE;
  }
  if (SDL_GL_MakeCurrent(window->sdl, context->context) != 0) return FALSE;
  if (current.context != handle)
    if (GlContext* previous = find_as<GlContext>(current.context))
      previous->current_on = std::thread::id();
  context->current_on = std::this_thread::get_id();
  current = Current{handle, dc};
  return TRUE;
}

HGLRC wglGetCurrentContext() {
  return find_as<GlContext>(current.context) ? current.context : nullptr;
}

HDC wglGetCurrentDC() { return find_as<GlContext>(current.context) ? current.dc : nullptr; }

namespace {

// Keeps the window's framebuffer equal to the picture being swapped to the
// screen, as Windows' window DC reads what the screen shows: GDI drawn over
// the OpenGL picture then presents its own pixels over that picture, not over
// what GDI drew before, and BitBlt from the window reads the picture.
void copy_back_buffer_to_framebuffer(Window& window) {
  Bitmap& frame = window.framebuffer;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window.sdl, &width, &height);
  width = std::min(width, frame.width);
  height = std::min(height, frame.height);
  if (frame.pixels == nullptr || width <= 0 || height <= 0) return;
  std::vector<uint32_t> rows(static_cast<size_t>(width) * height);
  GLint read_buffer = 0, alignment = 0;
  glGetIntegerv(GL_READ_BUFFER, &read_buffer);
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glReadBuffer(static_cast<GLenum>(read_buffer));
  // OpenGL's rows run bottom-up; the framebuffer's top row is row 0.
  for (int y = 0; y < height; ++y)
    std::memcpy(frame.row(y), &rows[static_cast<size_t>(height - 1 - y) * width],
                static_cast<size_t>(width) * 4);
}

}  // namespace

// A window DC without a pixel format has no buffers: ERROR_INVALID_HANDLE,
// as Wine answers.
BOOL SwapBuffers(HDC dc) {
  Window* window = window_of_live_dc(dc);
  if (window == nullptr) return FALSE;
  if (window->pixel_format == 0 || window->sdl == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (SDL_GL_GetCurrentWindow() != window->sdl) return FALSE;
  copy_back_buffer_to_framebuffer(*window);
  SDL_GL_SwapWindow(window->sdl);
  return TRUE;
}
