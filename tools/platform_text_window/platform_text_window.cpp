// Shows a window with text drawn by TextOutA in "Lucida Console" of
// lfHeight -10 at draft quality, transparent on the button face and opaque
// on a dark band, then closes itself after the seconds given (default 3).
// With "gl" after the seconds, an OpenGL context is first made current on
// the window, as graphics start-up does, to show that GDI output still
// reaches the screen.
#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr char kClassName[] = "PlatformTextWindow";
const char* const kLines[] = {
    "Lucida Console, lfHeight -10, DRAFT_QUALITY",
    "The quick brown fox jumps over the lazy dog.",
    "0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
};

HFONT surface_font() {
  LOGFONTA description{};
  description.lfHeight = -10;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_STROKE_PRECIS;
  description.lfQuality = DRAFT_QUALITY;
  description.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
  std::strcpy(description.lfFaceName, "Lucida Console");
  return CreateFontIndirectA(&description);
}

void draw_lines(HDC dc, int x, int y) {
  for (const char* line : kLines) {
    TextOutA(dc, x, y, line, static_cast<int>(std::strlen(line)));
    y += 14;
  }
}

LRESULT on_paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  HFONT font = surface_font();
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  draw_lines(dc, 8, 8);
  RECT band{0, 56, 400, 110};
  HBRUSH navy = CreateSolidBrush(RGB(0, 0, 96));
  FillRect(dc, &band, navy);
  SetTextColor(dc, RGB(255, 255, 255));
  draw_lines(dc, 8, 62);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 0));
  SetTextColor(dc, RGB(192, 0, 0));
  TextOutA(dc, 8, 118, "OPAQUE: red on yellow cells", 27);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteObject(navy);
  EndPaint(window, &paint);
  return 0;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return on_paint(window);
    case WM_TIMER: return DestroyWindow(window), 0;
    case WM_DESTROY: return PostQuitMessage(0), 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void make_gl_current(HWND window) {
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof(request);
  request.nVersion = 1;
  request.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  request.cColorBits = 8;
  request.cDepthBits = 16;
  if (SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request))
    wglMakeCurrent(dc, wglCreateContext(dc));
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
  WNDCLASSEXA description{};
  description.cbSize = sizeof(WNDCLASSEXA);
  description.style = CS_HREDRAW | CS_VREDRAW;
  description.lpfnWndProc = window_procedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszClassName = kClassName;
  RegisterClassExA(&description);
  HWND window = CreateWindowExA(0, kClassName, "Text", WS_OVERLAPPEDWINDOW, 0, 0, 416, 180, nullptr,
                                nullptr, description.hInstance, nullptr);
  if (argc > 2 && std::strcmp(argv[2], "gl") == 0) make_gl_current(window);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetTimer(window, kCloseTimer, static_cast<UINT>(seconds * 1000), nullptr);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
