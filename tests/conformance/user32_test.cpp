// USER32: window classes and the windows made from them, a class's own DC,
// what minimizing leaves, and timers asked for by ids that are not theirs.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "conformance/conformance.h"

namespace {

LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A class name no other case uses.
std::string fresh_class_name() {
  static int serial = 0;
  return "PixwellConformance" + std::to_string(serial++);
}

WNDCLASSEXA describe_class(const std::string& name, UINT style) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof(description);
  description.style = style;
  description.lpfnWndProc = plain_procedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  description.lpszClassName = name.c_str();
  return description;
}

// A registered class of the case's own, unregistered with its windows.
class ScratchClass {
 public:
  explicit ScratchClass(UINT style = 0) : name_(fresh_class_name()) {
    WNDCLASSEXA description = describe_class(name_, style);
    registered_ = RegisterClassExA(&description) != 0;
  }
  ~ScratchClass() {
    for (HWND window : windows_)
      if (IsWindow(window)) DestroyWindow(window);
    UnregisterClassA(name_.c_str(), GetModuleHandleA(nullptr));
  }
  ScratchClass(const ScratchClass&) = delete;
  ScratchClass& operator=(const ScratchClass&) = delete;

  bool registered() const { return registered_; }
  const char* name() const { return name_.c_str(); }
  // A hidden overlapped window of the class.
  HWND create_window() {
    HWND window = CreateWindowExA(0, name_.c_str(), "conformance", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(window);
    return window;
  }

 private:
  std::string name_;
  bool registered_ = false;
  std::vector<HWND> windows_;
};

// Wine (RegisterClassExW): a negative count of extra class or window bytes
// is an invalid parameter, and the class is not registered.
TEST(WindowClass, RefusesNegativeExtraBytes) {
  std::string name = fresh_class_name();
  for (auto [class_extra, window_extra] : {std::pair{-1, 0}, std::pair{0, -1}}) {
    WNDCLASSEXA description = describe_class(name, 0);
    description.cbClsExtra = class_extra;
    description.cbWndExtra = window_extra;
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(RegisterClassExA(&description), 0) << class_extra << " " << window_extra;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  // The name itself was never taken.
  WNDCLASSEXA description = describe_class(name, 0);
  EXPECT_NE(RegisterClassExA(&description), 0);
  EXPECT_TRUE(UnregisterClassA(name.c_str(), GetModuleHandleA(nullptr)));
}

// Documented (UnregisterClass): a class with a window still made from it,
// or one that is not registered, is not unregistered; the errors are Wine's
// (and the system error codes' names for these two cases).
TEST(WindowClass, IsNotUnregisteredWhileAWindowOfItLives) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(UnregisterClassA(window_class.name(), instance));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  // The class is still there: a second window can be made from it.
  EXPECT_NE(window_class.create_window(), nullptr);
  DestroyWindow(window);
  EXPECT_FALSE(UnregisterClassA(window_class.name(), instance));  // the second window
}

TEST(WindowClass, UnregisteringAnUnknownClassSaysItDoesNotExist) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_TRUE(UnregisterClassA(window_class.name(), instance));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(UnregisterClassA(window_class.name(), instance));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

// Documented (class styles, GetDC, ReleaseDC): a CS_OWNDC window has one DC
// of its own, which keeps its settings across GetDC and ReleaseDC (ReleaseDC
// has no effect on it). Wine: BeginPaint hands out that DC too.
TEST(OwnDc, IsOneDcThatKeepsItsSettings) {
  ScratchClass own(CS_OWNDC);
  ASSERT_TRUE(own.registered());
  HWND window = own.create_window();
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  ASSERT_NE(dc, nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, TRANSPARENT);
  EXPECT_NE(ReleaseDC(window, dc), 0);
  HDC again = GetDC(window);
  EXPECT_EQ(again, dc);
  EXPECT_EQ(GetTextColor(again), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(again), TRANSPARENT);
  ReleaseDC(window, again);
  PAINTSTRUCT paint{};
  EXPECT_EQ(BeginPaint(window, &paint), dc);
  EndPaint(window, &paint);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
}

// Documented (GetDC): a common DC gets the default settings at every GetDC.
TEST(OwnDc, CommonDcsStartFromTheDefaultsAtEveryGetDc) {
  ScratchClass common;
  ASSERT_TRUE(common.registered());
  HWND window = common.create_window();
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, TRANSPARENT);
  ReleaseDC(window, dc);
  HDC again = GetDC(window);
  EXPECT_EQ(GetTextColor(again), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(again), OPAQUE);
  ReleaseDC(window, again);
}

// Documented (ShowWindow): the result says whether the window was visible
// before. Wine: SW_MINIMIZE makes a hidden window visible (minimized), so
// the next ShowWindow finds it visible.
TEST(ShowWindow, MinimizeLeavesAHiddenWindowVisible) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(ShowWindow(window, SW_MINIMIZE));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(ShowWindow(window, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(ShowWindow(window, SW_HIDE));
}

// Documented (SetWindowTextA, GetWindowTextA): the text set is read back,
// cut to the buffer with its terminator. Wine: a null text empties the
// title, and a handle that names no window is ERROR_INVALID_WINDOW_HANDLE.
TEST(WindowText, IsReadBackAsSet) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  char text[32] = "unchanged";
  EXPECT_TRUE(SetWindowTextA(window, "new title"));
  EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 9);
  EXPECT_STREQ(text, "new title");
  EXPECT_EQ(GetWindowTextA(window, text, 4), 3);
  EXPECT_STREQ(text, "new");
  EXPECT_TRUE(SetWindowTextA(window, nullptr));
  EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 0);
  EXPECT_STREQ(text, "");
  DestroyWindow(window);
  SetLastError(0);
  EXPECT_FALSE(SetWindowTextA(window, "gone"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

// Documented (KillTimer, SetTimer): a window's timer is killed once, by its
// own window and id; a timer for a window that is gone is not set.
TEST(Timers, AWindowTimerIsKilledOnceByItsOwnId) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  HWND other = window_class.create_window();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(KillTimer(window, 7));  // never set
  ASSERT_NE(SetTimer(window, 7, 10000, nullptr), 0u);
  EXPECT_FALSE(KillTimer(window, 8));
  EXPECT_FALSE(KillTimer(other, 7));
  EXPECT_TRUE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
  DestroyWindow(other);
  EXPECT_EQ(SetTimer(other, 7, 10000, nullptr), 0u);
}

// Documented (SetTimer): with no window, an id that names no timer is
// ignored and a new id is made; an id that names one replaces that timer.
TEST(Timers, AThreadTimerGetsAnIdOfItsOwn) {
  UINT_PTR id = SetTimer(nullptr, 1, 10000, nullptr);
  ASSERT_NE(id, 0u);
  EXPECT_NE(id, 1u);
  EXPECT_FALSE(KillTimer(nullptr, 1));
  EXPECT_EQ(SetTimer(nullptr, id, 20000, nullptr), id);
  EXPECT_TRUE(KillTimer(nullptr, id));
  EXPECT_FALSE(KillTimer(nullptr, id));
}

}  // namespace
