// OPENGL32: pixel formats on a window's DC, rendering contexts and which
// thread they are current to, and the errors of a DC whose window is gone.
// Where no OpenGL context can be made for a window at all, the cases skip.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "conformance/conformance.h"
#include "platform/opengl.h"
#include "support/plain_window.h"

namespace {

PIXELFORMATDESCRIPTOR opengl_request() {
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof(request);
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 24;
  request.cDepthBits = 16;
  request.iLayerType = PFD_MAIN_PLANE;
  return request;
}

// A hidden overlapped window of a class of its own (common DCs), with one
// DC of it taken; both let go of at the end unless the case did so.
class GlWindow {
 public:
  GlWindow()
      : class_name_("PixwellConformanceGl" + std::to_string(serial_++)),
        window_(create_plain_window(class_name_.c_str(), DefWindowProcA, WS_OVERLAPPEDWINDOW, 160,
                                    120)),
        dc_(window_ != nullptr ? GetDC(window_) : nullptr) {}
  ~GlWindow() {
    destroy();
    UnregisterClassA(class_name_.c_str(), GetModuleHandleA(nullptr));
  }
  GlWindow(const GlWindow&) = delete;
  GlWindow& operator=(const GlWindow&) = delete;

  HWND window() const { return window_; }
  HDC dc() const { return dc_; }
  // The format ChoosePixelFormat gives for an OpenGL request, 0 for none.
  int choose() const {
    PIXELFORMATDESCRIPTOR request = opengl_request();
    return ChoosePixelFormat(dc_, &request);
  }
  // Releases the DC and destroys the window; the DC's handle stays known.
  void destroy() {
    if (window_ == nullptr) return;
    ReleaseDC(window_, dc_);
    DestroyWindow(window_);
    window_ = nullptr;
  }

 private:
  static inline int serial_ = 0;
  std::string class_name_;
  HWND window_;
  HDC dc_;
};

#define SKIP_WITHOUT_OPENGL(format) \
  if ((format) == 0) GTEST_SKIP() << "no OpenGL pixel format for a window here"

// Gives the window's DC the format chosen for an OpenGL request (`format`,
// `request`), or skips the case where there is none.
#define SET_OPENGL_FORMAT_OR_SKIP(gl)               \
  ASSERT_NE((gl).window(), nullptr);                \
  int format = (gl).choose();                       \
  SKIP_WITHOUT_OPENGL(format);                      \
  PIXELFORMATDESCRIPTOR request = opengl_request(); \
  ASSERT_TRUE(SetPixelFormat((gl).dc(), format, &request))

// Documented (DescribePixelFormat): with no descriptor it gives the highest
// format index and writes nothing; a format's description says its size.
// Documented (ChoosePixelFormat): the format chosen is one of those indexes
// and has what the request required (OpenGL, a window).
TEST(PixelFormat, DescribeCountsTheFormatsOfTheDc) {
  GlWindow gl;
  ASSERT_NE(gl.window(), nullptr);
  int format = gl.choose();
  SKIP_WITHOUT_OPENGL(format);
  int count = DescribePixelFormat(gl.dc(), 0, 0, nullptr);
  ASSERT_GE(count, format);
  PIXELFORMATDESCRIPTOR described;
  std::memset(&described, 0xAB, sizeof(described));
  EXPECT_EQ(DescribePixelFormat(gl.dc(), format, sizeof(described), &described), count);
  EXPECT_EQ(described.nSize, sizeof(PIXELFORMATDESCRIPTOR));
  EXPECT_EQ(described.dwFlags & (PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW),
            DWORD{PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW});
  EXPECT_EQ(described.iPixelType, PFD_TYPE_RGBA);
  // Past the highest index there is no format to describe.
  EXPECT_EQ(DescribePixelFormat(gl.dc(), count + 1, sizeof(described), &described), 0);
}

// Wine (SetPixelFormat): a window takes one pixel format; setting that one
// again succeeds (with no descriptor too), any other fails. Every DC of the
// window reports it (Wine), and before it is set there is none (documented,
// GetPixelFormat).
TEST(PixelFormat, IsSetOnceForTheWindow) {
  GlWindow gl;
  ASSERT_NE(gl.window(), nullptr);
  int format = gl.choose();
  SKIP_WITHOUT_OPENGL(format);
  EXPECT_EQ(GetPixelFormat(gl.dc()), 0);
  PIXELFORMATDESCRIPTOR request = opengl_request();
  ASSERT_TRUE(SetPixelFormat(gl.dc(), format, &request));
  EXPECT_EQ(GetPixelFormat(gl.dc()), format);
  int count = DescribePixelFormat(gl.dc(), 0, 0, nullptr);
  for (int other = 1; other <= count; ++other)
    EXPECT_EQ(SetPixelFormat(gl.dc(), other, nullptr) != FALSE, other == format) << other;
  HDC second = GetDC(gl.window());
  EXPECT_EQ(GetPixelFormat(second), format);
  ReleaseDC(gl.window(), second);
}

// Wine: a context is made only on a DC whose pixel format is set.
TEST(GlContext, NeedsAPixelFormatFirst) {
  GlWindow gl;
  ASSERT_NE(gl.window(), nullptr);
  SKIP_WITHOUT_OPENGL(gl.choose());
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(wglCreateContext(gl.dc()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
}

// Documented (SwapBuffers): a DC without a pixel format has no buffers to
// swap, so the call fails; Wine: with ERROR_INVALID_HANDLE.
TEST(GlContext, NoSwapWithoutAPixelFormat) {
  GlWindow gl;
  ASSERT_NE(gl.window(), nullptr);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(SwapBuffers(gl.dc()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Documented (wglCreateContext, wglMakeCurrent, wglGetCurrentContext,
// wglGetCurrentDC): a new context is not current; once made current the
// thread's context and DC are those given, until a null context releases
// them. Wine: with nothing current, releasing through a DC succeeds and
// releasing with no DC fails with ERROR_INVALID_HANDLE.
TEST(GlContext, IsCurrentToTheThreadUntilReleased) {
  GlWindow gl;
  SET_OPENGL_FORMAT_OR_SKIP(gl);
  HGLRC context = wglCreateContext(gl.dc());
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(gl.dc(), context));
  EXPECT_EQ(wglGetCurrentContext(), context);
  EXPECT_EQ(wglGetCurrentDC(), gl.dc());
  EXPECT_TRUE(wglMakeCurrent(gl.dc(), context));  // the same again
  EXPECT_TRUE(wglMakeCurrent(gl.dc(), nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);
  EXPECT_TRUE(wglMakeCurrent(gl.dc(), nullptr));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  ASSERT_TRUE(wglMakeCurrent(gl.dc(), context));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(context));
}

// Documented (wglDeleteContext): deleting the thread's current context makes
// it not current first. Wine: no context, or one already deleted, is
// ERROR_INVALID_HANDLE.
TEST(GlContext, DeletingTheCurrentOneLeavesNoneCurrent) {
  GlWindow gl;
  SET_OPENGL_FORMAT_OR_SKIP(gl);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(wglDeleteContext(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  HGLRC context = wglCreateContext(gl.dc());
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(wglMakeCurrent(gl.dc(), context));
  EXPECT_TRUE(wglDeleteContext(context));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(wglDeleteContext(context));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Documented (wglMakeCurrent, wglDeleteContext): a context is current to one
// thread at a time, and deleting one current to another thread is an error;
// the error is ERROR_BUSY (Wine). Wine: a thread with no current context
// gets no strings from OpenGL.
TEST(GlContext, CurrentToAnotherThreadIsBusy) {
  GlWindow gl;
  SET_OPENGL_FORMAT_OR_SKIP(gl);
  HGLRC context = wglCreateContext(gl.dc());
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(wglMakeCurrent(gl.dc(), context));
  struct Seen {
    HGLRC current = reinterpret_cast<HGLRC>(1);
    const GLubyte* version = reinterpret_cast<const GLubyte*>("");
    BOOL made_current = TRUE;
    DWORD make_current_error = 0;
    BOOL deleted = TRUE;
    DWORD delete_error = 0;
  } seen;
  std::thread other([&] {
    HDC dc = GetDC(gl.window());
    seen.current = wglGetCurrentContext();
    seen.version = glGetString(GL_VERSION);
    SetLastError(0xDEADBEEF);
    seen.made_current = wglMakeCurrent(dc, context);
    seen.make_current_error = GetLastError();
    SetLastError(0xDEADBEEF);
    seen.deleted = wglDeleteContext(context);
    seen.delete_error = GetLastError();
    ReleaseDC(gl.window(), dc);
  });
  other.join();
  EXPECT_EQ(seen.current, nullptr);
  EXPECT_EQ(seen.version, nullptr);
  EXPECT_FALSE(seen.made_current);
  EXPECT_EQ(seen.make_current_error, static_cast<DWORD>(ERROR_BUSY));
  EXPECT_FALSE(seen.deleted);
  EXPECT_EQ(seen.delete_error, static_cast<DWORD>(ERROR_BUSY));
  // Still this thread's, and still working.
  EXPECT_EQ(wglGetCurrentContext(), context);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(context));
}

// Documented (glGetString, glGetError): with a current context the strings
// are there; an enum that names none gives NULL and GL_INVALID_ENUM, which
// glGetError reports once.
TEST(GlContext, AnswersOpenGlCallsOnceCurrent) {
  GlWindow gl;
  SET_OPENGL_FORMAT_OR_SKIP(gl);
  HGLRC context = wglCreateContext(gl.dc());
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(wglMakeCurrent(gl.dc(), context));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  for (GLenum name : {GLenum{GL_VENDOR}, GLenum{GL_RENDERER}, GLenum{GL_VERSION}})
    EXPECT_NE(glGetString(name), nullptr) << std::hex << name;
  EXPECT_EQ(glGetString(GL_COLOR_BUFFER_BIT), nullptr);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
}

// Wine: once its window is destroyed, a DC is an invalid handle to the pixel
// format calls, SwapBuffers and wglCreateContext (GetPixelFormat says
// ERROR_INVALID_PIXEL_FORMAT).
TEST(InvalidDc, OfADestroyedWindowIsRefused) {
  GlWindow gl;
  SET_OPENGL_FORMAT_OR_SKIP(gl);
  gl.destroy();
  HDC dead = gl.dc();
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetPixelFormat(dead), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(SetPixelFormat(dead, format, &request));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(DescribePixelFormat(dead, 0, 0, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(ChoosePixelFormat(dead, &request), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(SwapBuffers(dead));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(wglCreateContext(dead), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
