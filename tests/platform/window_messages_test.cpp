// Windows, the message loop and timers, checked through Win32 calls only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

std::vector<std::string> events;
bool creating = false;

struct HandlerScope {
  explicit HandlerScope(Handler handler) {
    events.clear();
    set_handler(handler);
  }
  ~HandlerScope() { set_handler(nullptr); }
};

LRESULT recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
    const char* parameter = static_cast<const char*>(creation->lpCreateParams);
    if (parameter != nullptr)
      events.push_back(std::string("create ") + (creating ? "inside " : "outside ") + parameter);
  }
  if (message == WM_DESTROY) events.push_back("destroy");
  if (message == WM_USER + 1) {
    events.push_back("enter 1");
    LRESULT inner = SendMessageA(window, WM_USER + 2, wParam + 1, 0);
    events.push_back("leave 1");
    return inner * 10;
  }
  if (message == WM_USER + 2) {
    events.push_back("in 2 with " + std::to_string(wParam));
    return 7;
  }
  if (message == WM_TIMER) events.push_back("window timer " + std::to_string(wParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Window, CreateDeliversWmCreateInsideTheCallAndDestroySendsWmDestroy) {
  HandlerScope scope(recording);
  char parameter[] = "param";
  creating = true;
  HWND window = CreateWindowExA(0, test_class_name(), "Test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), parameter);
  creating = false;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"create inside param"}));
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(events.back(), "destroy");
  EXPECT_FALSE(IsWindow(window));
}

TEST(Process, ModuleCommandLineAndStockResourcesAreThere) {
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  const char* line = GetCommandLineA();
  ASSERT_NE(line, nullptr);
  EXPECT_NE(std::string(line).find("test_platform"), std::string::npos);
  EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
}

TEST(Window, TextAndClassNameAreCutToTheBufferAndTerminated) {
  HWND window = create_test_window(0, 0, 200, 100);
  char text[64];
  EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 4);
  EXPECT_STREQ(text, "Test");
  EXPECT_EQ(GetWindowTextA(window, text, 3), 2);
  EXPECT_STREQ(text, "Te");
  EXPECT_EQ(GetClassNameA(window, text, sizeof(text)), static_cast<int>(strlen(test_class_name())));
  EXPECT_STREQ(text, test_class_name());
  DestroyWindow(window);
  EXPECT_EQ(GetClassNameA(window, text, sizeof(text)), 0);
}

TEST(Window, CreateFailsForAnUnknownClass) {
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClassHere", "x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr),
            nullptr);
}

TEST(Window, SendMessageNestsInsideAHandler) {
  HandlerScope scope(recording);
  HWND window = create_test_window(0, 0, 300, 200);
  EXPECT_EQ(SendMessageA(window, WM_USER + 1, 4, 0), 70);
  EXPECT_EQ(events, (std::vector<std::string>{"enter 1", "in 2 with 5", "leave 1"}));
  DestroyWindow(window);
}

TEST(Window, WindowRectIsTheOuterRectangleInScreenCoordinates) {
  HWND window = create_test_window(30, 40, 320, 240);
  RECT outer{}, client{};
  ASSERT_TRUE(GetWindowRect(window, &outer));
  EXPECT_EQ(outer.left, 30);
  EXPECT_EQ(outer.top, 40);
  EXPECT_EQ(outer.right, 350);
  EXPECT_EQ(outer.bottom, 280);
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.top, 0);
  EXPECT_GT(client.right, 0);
  EXPECT_LT(client.right, 320);                              // the frame takes its share
  EXPECT_LT(client.bottom, 240 - (320 - client.right) / 2);  // and so does the caption
  DestroyWindow(window);
}

TEST(MessageLoop, PostedMessagesComeBeforeQuitAndQuitEndsTheLoopWithItsCode) {
  HandlerScope scope(recording);
  HWND window = create_test_window(0, 0, 200, 150);
  PostMessageA(window, WM_USER + 2, 41, 0);
  PostQuitMessage(0);
  MSG message{};
  std::vector<UINT> retrieved;
  BOOL result;
  while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    retrieved.push_back(message.message);
    DispatchMessageA(&message);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 0u);
  ASSERT_FALSE(retrieved.empty());
  EXPECT_EQ(retrieved.front(), static_cast<UINT>(WM_USER + 2));
  EXPECT_NE(std::find(events.begin(), events.end(), "in 2 with 41"), events.end());
  DestroyWindow(window);
  pump_messages();
}

TEST(MessageLoop, DefaultCloseDestroysTheWindowAndDestroyCanPostQuit) {
  HandlerScope scope([](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DESTROY) {
      events.push_back("destroy");
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  });
  HWND window = create_test_window(0, 0, 200, 150);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_EQ(events, (std::vector<std::string>{"destroy"}));
  EXPECT_FALSE(IsWindow(window));
}

int procedure_ticks = 0;
HWND procedure_window = nullptr;
UINT_PTR procedure_id = 0;

void CALLBACK count_tick(HWND window, UINT message, UINT_PTR id, DWORD) {
  if (message == WM_TIMER) ++procedure_ticks;
  procedure_window = window;
  procedure_id = id;
  if (procedure_ticks == 3) PostQuitMessage(0);
}

TEST(Timer, TicksOfATimerWithAProcedureGoToTheProcedureOnly) {
  HandlerScope scope(recording);
  HWND window = create_test_window(0, 0, 200, 150);
  procedure_ticks = 0;
  ASSERT_NE(SetTimer(window, 1, 50, count_tick), 0u);
  ASSERT_NE(SetTimer(window, 2, 5000, nullptr), 0u);  // a watchdog, never due in time
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  EXPECT_EQ(procedure_ticks, 3);
  EXPECT_EQ(procedure_window, window);
  EXPECT_EQ(procedure_id, 1u);
  EXPECT_EQ(std::count(events.begin(), events.end(), "window timer 1"), 0);
  EXPECT_TRUE(KillTimer(window, 1));
  EXPECT_FALSE(KillTimer(window, 1));
  DestroyWindow(window);
}

TEST(Timer, DueTicksCoalesceIntoOneMessage) {
  HWND window = create_test_window(0, 0, 200, 150);
  ASSERT_NE(SetTimer(window, 5, 10, nullptr), 0u);
  Sleep(120);  // some ten periods pass unserved
  MSG message{};
  int timers = 0;
  while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    ++timers;
    EXPECT_EQ(message.wParam, 5u);
  }
  EXPECT_EQ(timers, 1);
  KillTimer(window, 5);
  DestroyWindow(window);
}

TEST(Timer, WindowTimerWithoutProcedureReachesTheWindowProcedure) {
  HandlerScope scope([](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_TIMER && wParam == 9) {
      events.push_back("tick");
      KillTimer(window, 9);
      PostQuitMessage(0);
    }
    return DefWindowProcA(window, message, wParam, lParam);
  });
  HWND window = create_test_window(0, 0, 200, 150);
  SetTimer(window, 9, 20, nullptr);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  EXPECT_EQ(events, (std::vector<std::string>{"tick"}));
  DestroyWindow(window);
}

// The default erasing fills the whole DC it is given with the class brush.
TEST(Paint, DefaultErasingUsesTheClassBrushOfButtonFace) {
  HWND window = create_test_window(0, 0, 240, 180);
  MemoryCanvas canvas(64, 48);
  canvas.fill(0x123456);
  EXPECT_NE(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc), 0), 0);
  uint32_t face = pixel_of(GetSysColor(COLOR_BTNFACE));
  int other = 0;
  for (uint32_t pixel : canvas.snapshot()) other += pixel != face;
  EXPECT_EQ(other, 0);
  DestroyWindow(window);
}

TEST(Paint, AShownWindowIsErasedToButtonFaceAndReadsBackThroughItsDc) {
  HandlerScope scope([](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    return DefWindowProcA(window, message, wParam, lParam);
  });
  HWND window = create_test_window(0, 0, 240, 180);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  pump_messages();
  RECT client{};
  GetClientRect(window, &client);
  HDC window_dc = GetDC(window);
  MemoryCanvas canvas(client.right, client.bottom);
  ASSERT_TRUE(BitBlt(canvas.dc, 0, 0, client.right, client.bottom, window_dc, 0, 0, SRCCOPY));
  uint32_t face = pixel_of(GetSysColor(COLOR_BTNFACE));
  int other = 0;
  for (uint32_t pixel : canvas.snapshot()) other += (pixel & 0xFFFFFF) != face;
  EXPECT_EQ(other, 0);

  // What is drawn on the window DC is what a blit from it reads.
  MemoryCanvas red(16, 16);
  red.fill(0xFF0000);
  ASSERT_TRUE(BitBlt(window_dc, 10, 20, 16, 16, red.dc, 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(canvas.dc, 0, 0, client.right, client.bottom, window_dc, 0, 0, SRCCOPY));
  EXPECT_EQ(canvas.at(10, 20) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(canvas.at(25, 35) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(canvas.at(26, 35) & 0xFFFFFF, face);
  ReleaseDC(window, window_dc);
  DestroyWindow(window);
}

TEST(InvalidHandles, FailAsWin32FailsWithoutCrashing) {
  HWND window = create_test_window(0, 0, 200, 150);
  HDC window_dc = GetDC(window);
  DestroyWindow(window);
  RECT rect{};
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_FALSE(DestroyWindow(nullptr));
  EXPECT_FALSE(GetWindowRect(window, &rect));
  EXPECT_FALSE(GetWindowRect(nullptr, &rect));
  EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
  EXPECT_EQ(GetDC(window), nullptr);
  EXPECT_EQ(SetTimer(window, 1, 50, nullptr), 0u);
  EXPECT_FALSE(ShowWindow(window, SW_SHOWNORMAL));
  MemoryCanvas canvas(4, 4);
  EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 4, 4, window_dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, canvas.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_EQ(SelectObject(nullptr, canvas.bitmap), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc, nullptr), nullptr);
  EXPECT_FALSE(DeleteDC(nullptr));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_EQ(SetBitmapBits(nullptr, 4, canvas.bits), 0);
  EXPECT_EQ(GetBitmapBits(nullptr, 4, canvas.bits), 0);
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
  // Handles of the wrong kind.
  EXPECT_FALSE(BitBlt(reinterpret_cast<HDC>(canvas.bitmap), 0, 0, 4, 4, canvas.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(SelectObject(canvas.dc, canvas.dc), nullptr);
  EXPECT_EQ(GetBitmapBits(reinterpret_cast<HBITMAP>(canvas.dc), 4, canvas.bits), 0);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(canvas.bitmap)));
  EXPECT_FALSE(TextOutA(reinterpret_cast<HDC>(canvas.bitmap), 0, 0, "x", 1));
  EXPECT_EQ(SetBkMode(nullptr, TRANSPARENT), 0);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
  pump_messages();
}

}  // namespace
