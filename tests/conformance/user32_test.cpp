// USER32: window classes and the windows made from them, a class's own DC,
// what minimizing leaves, timers asked for by ids that are not theirs,
// window text and geometry, the message queue, painting, and the character
// and formatting helpers.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "conformance/conformance.h"

namespace {

// What the counting procedure saw: WM_PAINTs, and the last WM_USER + 1.
int paints_seen = 0;
WPARAM user_wparam_seen = 0;

// Counts WM_PAINT (painted by DefWindowProcA) and answers WM_USER + 1 with
// the sum of its parameters.
LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++paints_seen;
  if (message == WM_USER + 1) {
    user_wparam_seen = wParam;
    return static_cast<LRESULT>(wParam + lParam);
  }
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

// Documented (GetWindowText, GetClassName): the text is cut to the buffer,
// null included, and the answer is the characters copied without it; a
// window that is gone answers 0 (with ERROR_INVALID_WINDOW_HANDLE from
// GetWindowTextA, Wine).
TEST(WindowText, IsCutToTheBuffer) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  char text[64] = {};
  EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 11);
  EXPECT_STREQ(text, "conformance");
  char cut[5];
  std::memset(cut, 'x', sizeof(cut));
  EXPECT_EQ(GetWindowTextA(window, cut, sizeof(cut)), 4);
  EXPECT_STREQ(cut, "conf");
  EXPECT_EQ(GetClassNameA(window, text, sizeof(text)),
            static_cast<int>(std::strlen(window_class.name())));
  EXPECT_STREQ(text, window_class.name());
  std::memset(cut, 'x', sizeof(cut));
  EXPECT_EQ(GetClassNameA(window, cut, sizeof(cut)), 4);
  EXPECT_EQ(std::string(cut), std::string(window_class.name(), 4));
  DestroyWindow(window);
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(GetClassNameA(window, text, sizeof(text)), 0);
}

// Documented (MoveWindow, GetWindowRect, GetClientRect, AdjustWindowRect):
// a moved top-level window has the rectangle given, its client rectangle
// starts at (0, 0), and AdjustWindowRect grows that client rectangle back to
// the window's size. Wine: a window that is gone is
// ERROR_INVALID_WINDOW_HANDLE.
TEST(WindowGeometry, ClientAndWindowRectanglesAgree) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(MoveWindow(window, 30, 40, 300, 200, FALSE));
  RECT outer{};
  ASSERT_TRUE(GetWindowRect(window, &outer));
  EXPECT_EQ(outer.left, 30);
  EXPECT_EQ(outer.top, 40);
  EXPECT_EQ(outer.right, 330);
  EXPECT_EQ(outer.bottom, 240);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.top, 0);
  EXPECT_GT(client.right, 0);
  EXPECT_GT(client.bottom, 0);
  RECT grown = client;
  ASSERT_TRUE(AdjustWindowRect(&grown, WS_OVERLAPPEDWINDOW, FALSE));
  EXPECT_EQ(grown.right - grown.left, 300);
  EXPECT_EQ(grown.bottom - grown.top, 200);
  DestroyWindow(window);
  for (int call = 0; call < 3; ++call) {
    SetLastError(0xDEADBEEF);
    BOOL done = call == 0   ? GetWindowRect(window, &outer)
                : call == 1 ? GetClientRect(window, &client)
                            : MoveWindow(window, 0, 0, 10, 10, FALSE);
    EXPECT_FALSE(done) << call;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE)) << call;
  }
}

// Documented (PostMessage, PeekMessage, DispatchMessage, SendMessage): a
// posted message waits in the queue until removed (PM_NOREMOVE leaves it, a
// filter that excludes it finds nothing); dispatching it calls the window's
// procedure and answers what the procedure returned, as SendMessage does
// directly, without queueing. Wine: a window that is gone is
// ERROR_INVALID_WINDOW_HANDLE to both.
TEST(MessageQueue, APostedMessageWaitsUntilRemoved) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  MSG message{};
  ASSERT_TRUE(PostMessageA(window, WM_USER + 1, 5, 7));
  EXPECT_FALSE(PeekMessageA(&message, window, WM_USER + 2, WM_USER + 9, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&message, window, WM_USER, WM_USER + 9, PM_NOREMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&message, window, WM_USER, WM_USER + 9, PM_REMOVE));
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_EQ(message.lParam, 7);
  EXPECT_FALSE(PeekMessageA(&message, window, WM_USER, WM_USER + 9, PM_REMOVE));
  EXPECT_EQ(DispatchMessageA(&message), 12);
  EXPECT_EQ(user_wparam_seen, 5u);
  EXPECT_EQ(SendMessageA(window, WM_USER + 1, 20, 2), 22);
  EXPECT_EQ(user_wparam_seen, 20u);
  EXPECT_FALSE(PeekMessageA(&message, window, WM_USER, WM_USER + 9, PM_REMOVE));
  DestroyWindow(window);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(PostMessageA(window, WM_USER + 1, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(SendMessageA(window, WM_USER + 1, 1, 1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

// Documented (PostQuitMessage, GetMessage): WM_QUIT carries the exit code
// and makes GetMessage answer 0; GetMessage for a window that is not one
// answers -1 (the error, ERROR_INVALID_WINDOW_HANDLE, is Wine's). Wine:
// messages posted after PostQuitMessage still come before WM_QUIT.
TEST(MessageQueue, QuitComesAfterThePostedMessages) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  PostQuitMessage(3);
  ASSERT_TRUE(PostMessageA(window, WM_USER + 1, 0, 0));
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
  // WM_QUIT is there now, so GetMessage does not wait.
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  DestroyWindow(window);
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

// Documented (TranslateMessage): key-down and key-up messages answer nonzero
// whether or not a character comes of them; other messages answer zero.
TEST(MessageQueue, TranslateMessageAnswersForKeyMessagesOnly) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  MSG key{};
  key.hwnd = window;
  key.wParam = VK_F1;  // no character
  key.lParam = 1;
  for (UINT message : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
    key.message = message;
    EXPECT_NE(TranslateMessage(&key), 0) << message;
  }
  key.message = WM_USER + 1;
  EXPECT_EQ(TranslateMessage(&key), 0);
  MSG drained{};
  while (PeekMessageA(&drained, window, 0, 0, PM_REMOVE)) {
  }
}

// Documented (InvalidateRect, ValidateRect, UpdateWindow): UpdateWindow sends
// WM_PAINT straight to the procedure when the update region is not empty,
// and only then; ValidateRect with no rectangle empties it, and painting
// (BeginPaint in DefWindowProcA) does too.
TEST(Painting, UpdateWindowPaintsOnlyWhatIsInvalid) {
  ScratchClass window_class;
  ASSERT_TRUE(window_class.registered());
  HWND window = window_class.create_window();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);  // the first painting after showing
  paints_seen = 0;
  ASSERT_TRUE(InvalidateRect(window, nullptr, FALSE));
  ASSERT_TRUE(ValidateRect(window, nullptr));
  EXPECT_TRUE(UpdateWindow(window));
  EXPECT_EQ(paints_seen, 0);
  ASSERT_TRUE(InvalidateRect(window, nullptr, FALSE));
  EXPECT_TRUE(UpdateWindow(window));
  EXPECT_EQ(paints_seen, 1);
  EXPECT_TRUE(UpdateWindow(window));
  EXPECT_EQ(paints_seen, 1);
  DestroyWindow(window);
}

// Documented (CharUpper): a string is changed in place and returned; a
// "pointer" whose high word is zero is one character, answered in the low
// word (Wine: nothing in the high word).
TEST(CharCase, UpperTakesAStringOrOneCharacter) {
  char text[] = "Pixwell 1.0, ok?";
  EXPECT_EQ(CharUpperA(text), text);
  EXPECT_STREQ(text, "PIXWELL 1.0, OK?");
  auto one = [](UINT_PTR character) {
    return reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(character)));
  };
  EXPECT_EQ(one('q'), static_cast<UINT_PTR>('Q'));
  EXPECT_EQ(one('Q'), static_cast<UINT_PTR>('Q'));
  EXPECT_EQ(one('5'), static_cast<UINT_PTR>('5'));
  for (UINT_PTR character = 0; character < 256; ++character)
    EXPECT_EQ(one(character) >> 16, 0u) << character;
}

int format_list(char* buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int length = wvsprintfA(buffer, format, arguments);
  va_end(arguments);
  return length;
}

// Documented (wsprintf, wvsprintf): the answer is the characters stored
// without the null; flags, width and precision as listed there; integers are
// 32 bits; wvsprintf takes the same formats with the arguments as a list.
// Wine: "%010ld" of -1 pads after the sign.
TEST(Wsprintf, FormatsAsDocumented) {
  struct Case {
    const char* format;
    int value;
    const char* expected;
  };
  const Case cases[] = {{"%010ld", -1, "-000000001"}, {"%d", -42, "-42"},
                        {"%u", -1, "4294967295"},     {"%x", 0xBEEF, "beef"},
                        {"%#X", 0xBEEF, "0XBEEF"},    {"%-5d|", 12, "12   |"},
                        {"%5d|", 12, "   12|"},       {"%.4u", 7, "0007"},
                        {"%c%%", 'z', "z%"},          {"%lx", -2, "fffffffe"}};
  char buffer[1024];
  for (const Case& c : cases) {
    int length = wsprintfA(buffer, c.format, c.value);
    EXPECT_STREQ(buffer, c.expected) << c.format;
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected))) << c.format;
  }
  EXPECT_EQ(wsprintfA(buffer, "[%.3s][%5s][%-4s]", "abcdef", "ab", "x"), 18);
  EXPECT_STREQ(buffer, "[abc][   ab][x   ]");
  EXPECT_EQ(format_list(buffer, "%s=%04d|%-3c|%X", "key", -7, 'q', 0xA5u), 15);
  EXPECT_STREQ(buffer, "key=-007|q  |A5");
}

// Wine: "I64" takes a 64-bit integer, "I32" a 32-bit one and "I" one the
// size of a pointer; "%p" is a pointer in upper-case hex digits, all of them.
TEST(Wsprintf, TakesSizePrefixesAndPointers) {
  char buffer[64];
  auto check = [&](const char* format, unsigned long long value, const char* expected) {
    int length = wsprintfA(buffer, format, value);
    EXPECT_STREQ(buffer, expected) << format;
    EXPECT_EQ(length, static_cast<int>(std::strlen(expected))) << format;
  };
  check("%I64X", (0x12345ull << 32) | 0x67890A, "123450067890A");
  check("%I64d", 543210ull * 1000000, "543210000000");
  check("%I64X", static_cast<unsigned long long>(-0x12345ll), "FFFFFFFFFFFEDCBB");
  check("%I64u", static_cast<unsigned long long>(-123ll), "18446744073709551493");
  EXPECT_EQ(wsprintfA(buffer, "%I32x|%d", 0xFFFEDCBBu, 5), 10);
  EXPECT_STREQ(buffer, "fffedcbb|5");
  void* pointer = reinterpret_cast<void*>(static_cast<UINT_PTR>(0xFEDCBA98u));
  wsprintfA(buffer, "%p|%Ix", pointer, reinterpret_cast<UINT_PTR>(pointer));
  EXPECT_STREQ(buffer, sizeof(void*) == 8 ? "00000000FEDCBA98|fedcba98" : "FEDCBA98|fedcba98");
}

// Documented (LoadIcon, LoadCursor): a stock icon or cursor is loaded once,
// so loading it again gives the same handle; distinct ones differ.
TEST(StockResources, LoadTheSameHandleEachTime) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), icon);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  EXPECT_NE(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)), arrow);  // IDC_WAIT
}

// Documented (GetSystemMetrics, GetSysColor): an index the call does not
// know gives 0; the screen has a size; a colour is a COLORREF, its high byte
// zero.
TEST(SystemSettings, UnknownIndexesGiveZero) {
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(1000), 0);
  for (int index : {COLOR_SCROLLBAR, COLOR_BACKGROUND, COLOR_WINDOW, COLOR_WINDOWTEXT,
                    COLOR_BTNFACE, COLOR_BTNTEXT})
    EXPECT_EQ(GetSysColor(index) >> 24, 0u) << index;
  EXPECT_EQ(GetSysColor(1000), 0u);
}

}  // namespace
