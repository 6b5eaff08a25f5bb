// OpenGL on a window through the pixel format and WGL calls, as graphics
// start-up sets it up. Where no OpenGL context can be made (a headless
// backend), the calls must fail cleanly instead.
#include <gtest/gtest.h>

#include "platform/opengl.h"
#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

PIXELFORMATDESCRIPTOR start_up_request() {
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = 40;
  request.nVersion = 1;
  request.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 8;
  request.cDepthBits = 16;
  return request;
}

TEST(Wgl, ContextOnAWindowDrawsAndSwapsOrFailsCleanly) {
  HWND window = create_test_window(0, 0, 200, 160);
  ShowWindow(window, SW_SHOWNORMAL);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request = start_up_request();
  int format = ChoosePixelFormat(dc, &request);
  if (format == 0) {
    EXPECT_FALSE(SetPixelFormat(dc, format, &request));
    EXPECT_EQ(wglCreateContext(dc), nullptr);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    GTEST_SKIP() << "no OpenGL context can be made here";
  }
  ASSERT_TRUE(SetPixelFormat(dc, format, &request));
  HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);  // creating does not make it current
  ASSERT_TRUE(wglMakeCurrent(dc, context));
  EXPECT_EQ(wglGetCurrentContext(), context);
  glViewport(0, 0, 4, 4);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  unsigned char pixel[4] = {};
  glReadPixels(1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_EQ(pixel[2], 0);
  GLint depth_bits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
  EXPECT_GE(depth_bits, 16);
  GLUquadric* quadric = gluNewQuadric();
  EXPECT_NE(quadric, nullptr);
  gluDeleteQuadric(quadric);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(context));
  ReleaseDC(window, dc);
  DestroyWindow(window);
}

// Each wglCreateContext gives a context of its own, the first as much as the
// later ones; a window whose format was set but which never got a context
// goes away cleanly.
TEST(Wgl, EveryContextOfAWindowIsItsOwn) {
  HWND unused = create_test_window(0, 0, 64, 64);
  HDC unused_dc = GetDC(unused);
  PIXELFORMATDESCRIPTOR request = start_up_request();
  int format = ChoosePixelFormat(unused_dc, &request);
  if (format == 0) {
    DestroyWindow(unused);
    GTEST_SKIP() << "no OpenGL context can be made here";
  }
  ASSERT_TRUE(SetPixelFormat(unused_dc, format, &request));
  ReleaseDC(unused, unused_dc);
  EXPECT_TRUE(DestroyWindow(unused));

  HWND window = create_test_window(0, 0, 64, 64);
  ShowWindow(window, SW_SHOWNORMAL);
  HDC dc = GetDC(window);
  ASSERT_TRUE(SetPixelFormat(dc, format, &request));
  HGLRC first = wglCreateContext(dc), second = wglCreateContext(dc);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  const float reds[] = {1.0f, 0.0f};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(wglMakeCurrent(dc, i == 0 ? first : second));
    glClearColor(reds[i], 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // Each context keeps the clear colour it was given.
  GLfloat colour[4] = {};
  ASSERT_TRUE(wglMakeCurrent(dc, first));
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
  EXPECT_EQ(colour[0], 1.0f);
  ASSERT_TRUE(wglMakeCurrent(dc, second));
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
  EXPECT_EQ(colour[0], 0.0f);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(first));
  EXPECT_TRUE(wglDeleteContext(second));
  ReleaseDC(window, dc);
  DestroyWindow(window);
}

TEST(Wgl, PixelFormatCallsRefuseDcsThatAreNotAWindows) {
  PIXELFORMATDESCRIPTOR request = start_up_request();
  EXPECT_FALSE(SetPixelFormat(nullptr, 1, &request));
  EXPECT_EQ(wglCreateContext(nullptr), nullptr);
  EXPECT_FALSE(wglMakeCurrent(nullptr, reinterpret_cast<HGLRC>(0x1234)));
}

}  // namespace
