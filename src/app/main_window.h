// The process's spine: the entry routine, the window class "ZORV", the
// "Debug" window whose creation starts graphics, the strip and the timer, and
// the message loop that runs until the window is closed.
#pragma once

#include <cstdint>

#include "platform/win32.h"

constexpr UINT_PTR kStripTimerId = 1;
constexpr UINT kStripTimerPeriod = 50;  // milliseconds
constexpr int32_t kMainWindowWidth = 600;
constexpr int32_t kMainWindowHeight = 480;
constexpr int32_t kStripFrameWidth = 550;
constexpr int32_t kStripFrameHeight = 350;
constexpr int32_t kStripFrameCount = 36;

extern HINSTANCE ModuleHandle;
extern HWND MainWindow;

[[noreturn]] void ProgramEntry();
DWORD RunMainWindow(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show_command);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The steps of RunMainWindow, shared with the tools and tests that drive the
// same window through a loop of their own.
void register_main_window_class(HINSTANCE instance);
// Registers a class as the main window's is: redrawn when resized, the
// standard icon and arrow, the button-face background, no menu.
void register_standard_window_class(HINSTANCE instance, const char* class_name, WNDPROC procedure);
HWND create_main_window(HINSTANCE instance);
void show_main_window();
// Runs the thread's message loop; returns the wParam of WM_QUIT, the exit code.
DWORD run_message_loop();
