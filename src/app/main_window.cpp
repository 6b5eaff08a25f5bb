#include "app/main_window.h"

#include "app/animation_strip.h"
#include "display/graphics_startup.h"
#include "layers/startup.h"

HINSTANCE ModuleHandle;
HWND MainWindow;

namespace {

constexpr char kClassName[] = "ZORV";
constexpr char kWindowTitle[] = "Debug";

LRESULT on_destroy() {
  PostQuitMessage(0);  // nothing is released: it all ends with the process
  return 0;
}

// Builds the drawing state, the strip and the timer; when graphics start-up
// has asked to quit, the rest is made all the same.
LRESULT on_create(HWND window) {
  PlayerDC = GetDC(window);
  GraphicsStartup(window);
  ActiveStrip =
      CreateAnimationStrip(window, 0, 0, kStripFrameWidth, kStripFrameHeight, kStripFrameCount);
  SetTimer(window, kStripTimerId, kStripTimerPeriod, StripTimerProc);
  return 0;
}

}  // namespace

DWORD run_message_loop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<DWORD>(message.wParam);
}

void register_standard_window_class(HINSTANCE instance, const char* class_name, WNDPROC procedure) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(WNDCLASSEXA);
  window_class.style = CS_VREDRAW | CS_HREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);  // the icon before the cursor
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = class_name;
  window_class.hIconSm = window_class.hIcon;
  RegisterClassExA(&window_class);
}

void register_main_window_class(HINSTANCE instance) {
  register_standard_window_class(instance, kClassName, MainWindowProc);
}

HWND create_main_window(HINSTANCE instance) {
  MainWindow =
      CreateWindowExA(0, kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, kMainWindowWidth,
                      kMainWindowHeight, nullptr, nullptr, instance, nullptr);
  return MainWindow;
}

void show_main_window() {
  ShowWindow(MainWindow, SW_SHOWNORMAL);
  UpdateWindow(MainWindow);
}

void ProgramEntry() {
  ModuleHandle = GetModuleHandleA(nullptr);
  LPSTR command_line = GetCommandLineA();
  ExitProcess(RunMainWindow(ModuleHandle, nullptr, command_line, SW_SHOWDEFAULT));
}

// Only the instance is used: the command line is ignored and the window is
// shown normally whatever show command is passed.
DWORD RunMainWindow(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  register_main_window_class(instance);
  create_main_window(instance);
  show_main_window();
  return run_message_loop();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY: return on_destroy();
    case WM_CREATE: return on_create(window);
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}
