#include "support/plain_window.h"

HWND create_plain_window(const char* class_name, WNDPROC procedure, DWORD style, int width,
                         int height) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = class_name;
  RegisterClassExA(&window_class);
  return CreateWindowExA(0, class_name, class_name, style, 0, 0, width, height, nullptr, nullptr,
                         window_class.hInstance, nullptr);
}

void pump_messages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
