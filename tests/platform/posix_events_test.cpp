// The Linux backend only: SDL events become the window messages Windows
// would send or post, with Windows' key codes and lParam packing.
#ifndef _WIN32
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform_helpers.h"
#include "platform/user32/user_objects.h"

using namespace platform_test;

namespace {

std::vector<MSG> sent;

LRESULT record_sent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE || message == WM_CLOSE || message == WM_DESTROY)
    sent.push_back(MSG{window, message, wParam, lParam, 0, POINT{}});
  return DefWindowProcA(window, message, wParam, lParam);
}

class BackendEvents : public testing::Test {
 protected:
  void SetUp() override {
    sent.clear();
    set_handler(record_sent);
    window = create_test_window(0, 0, 300, 200);
    ShowWindow(window, SW_SHOWNORMAL);
    pump_messages();
    sent.clear();
    sdl_id = posix::find_window(window)->sdl_id;
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    set_handler(nullptr);
  }
  void push_key(Uint32 type, SDL_Keycode key, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = sdl_id;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
  }
  std::vector<MSG> posted() {
    std::vector<MSG> found;
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
      if (message.message != WM_PAINT)
        found.push_back(message);
      else
        ValidateRect(window, nullptr);
    return found;
  }
  HWND window = nullptr;
  Uint32 sdl_id = 0;
};

TEST_F(BackendEvents, KeysBecomeVirtualKeyMessagesWithRepeatAndTransitionFlags) {
  push_key(SDL_KEYDOWN, SDLK_a);
  push_key(SDL_KEYDOWN, SDLK_a, true);
  push_key(SDL_KEYUP, SDLK_a);
  push_key(SDL_KEYDOWN, SDLK_LEFT);
  push_key(SDL_KEYDOWN, SDLK_7);
  push_key(SDL_KEYDOWN, SDLK_F5);
  std::vector<MSG> messages = posted();
  ASSERT_EQ(messages.size(), 6u);
  const UINT kinds[] = {WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYDOWN, WM_KEYDOWN};
  const WPARAM keys[] = {'A', 'A', 'A', VK_LEFT, '7', VK_F1 + 4};
  const uint32_t flags[] = {1, 1 | 1u << 30, 1 | 3u << 30, 1 | 1u << 24, 1, 1};
  for (size_t i = 0; i < messages.size(); ++i) {
    EXPECT_EQ(messages[i].message, kinds[i]) << i;
    EXPECT_EQ(messages[i].wParam, keys[i]) << i;
    EXPECT_EQ(static_cast<uint32_t>(messages[i].lParam), flags[i]) << i;
  }
}

TEST_F(BackendEvents, TranslateMessagePostsTheCharacterOfALetter) {
  push_key(SDL_KEYDOWN, SDLK_q);
  std::vector<MSG> messages = posted();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(TranslateMessage(&messages[0]));
  messages = posted();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(messages[0].wParam, static_cast<WPARAM>('q'));
}

TEST_F(BackendEvents, MouseMessagesPackClientCoordinatesAsWindowsDoes) {
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = sdl_id;
  motion.motion.x = 17;
  motion.motion.y = 300;
  SDL_PushEvent(&motion);
  for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT}) {
    SDL_Event release{};
    release.type = SDL_MOUSEBUTTONUP;
    release.button.windowID = sdl_id;
    release.button.button = button;
    release.button.x = 4;
    release.button.y = 9;
    SDL_PushEvent(&release);
  }
  std::vector<MSG> messages = posted();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(messages[0].lParam, 300 << 16 | 17);
  EXPECT_EQ(messages[1].message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(messages[1].lParam, 9 << 16 | 4);
  EXPECT_EQ(messages[2].message, static_cast<UINT>(WM_RBUTTONUP));
}

TEST_F(BackendEvents, ResizingSendsWmSizeAndLeavesTheWindowToBeErased) {
  SDL_Event resized{};
  resized.type = SDL_WINDOWEVENT;
  resized.window.windowID = sdl_id;
  resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  resized.window.data1 = 400;
  resized.window.data2 = 250;
  SDL_PushEvent(&resized);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, window, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(sent[0].lParam, 250 << 16 | 400);
  RECT client{}, outer{};
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 250);
  EXPECT_EQ(outer.right - outer.left, 400 + 2 * posix::kFrameWidth);
  EXPECT_EQ(outer.bottom - outer.top, 250 + 2 * posix::kFrameWidth + posix::kCaptionHeight);
  DispatchMessageA(&message);  // the default painting erases it all
  HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, 399, 249), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(window, dc);
}

TEST_F(BackendEvents, TheCloseButtonClosesTheWindowThroughWmClose) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = sdl_id;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&close);
  pump_messages();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(sent[1].message, static_cast<UINT>(WM_DESTROY));
  EXPECT_FALSE(IsWindow(window));
}

// A message posted from another thread wakes a GetMessageA that waits.
TEST_F(BackendEvents, APostFromAnotherThreadWakesTheWaitingLoop) {
  std::thread poster([this] {
    Sleep(50);
    PostMessageA(window, WM_USER + 3, 11, 0);
  });
  MSG message{};
  ASSERT_GT(GetMessageA(&message, window, WM_USER + 3, WM_USER + 3), 0);
  EXPECT_EQ(message.wParam, 11u);
  poster.join();
}

int forged_calls = 0;
void CALLBACK forged_target(HWND, UINT, UINT_PTR, DWORD) { ++forged_calls; }

// A WM_TIMER whose lParam is no live timer's procedure is not called.
TEST_F(BackendEvents, DispatchCallsOnlyProceduresOfLiveTimers) {
  forged_calls = 0;
  MSG forged{window, WM_TIMER, 3, reinterpret_cast<LPARAM>(forged_target), 0, POINT{}};
  DispatchMessageA(&forged);
  EXPECT_EQ(forged_calls, 0);
  SetTimer(window, 3, 1000, forged_target);
  DispatchMessageA(&forged);
  EXPECT_EQ(forged_calls, 1);
  KillTimer(window, 3);
  DispatchMessageA(&forged);
  EXPECT_EQ(forged_calls, 1);
}

// The display driver starts with an empty compose table and puts the
// variable back, set or unset, for the programs started afterwards. The
// driver starts once per process, as each test runs under CTest.
void expect_compose_variable_kept(const char* value) {
  if (posix::video_started()) GTEST_SKIP() << "the display was started by an earlier test";
  if (value != nullptr)
    setenv("XCOMPOSEFILE", value, 1);
  else
    unsetenv("XCOMPOSEFILE");
  ASSERT_TRUE(posix::ensure_video());
  const char* after = std::getenv("XCOMPOSEFILE");
  if (value == nullptr)
    EXPECT_EQ(after, nullptr) << after;
  else
    EXPECT_STREQ(after, value);
}

TEST(VideoStart, PutsBackASetComposeVariable) {
  expect_compose_variable_kept("/tmp/pixwell-own-compose");
}

TEST(VideoStart, LeavesAnUnsetComposeVariableUnset) { expect_compose_variable_kept(nullptr); }

// While set, Mesa's libraries load slowly (as from a cold disk), and the
// dlopen below notes the compose variable as each of them starts and ends
// loading.
std::atomic<bool> slow_mesa_loads{false};
std::mutex seen_lock;
std::vector<std::string> compose_variable_seen;

bool is_mesa_library(const char* file) {
  return file != nullptr && (std::strcmp(file, "libGLX_mesa.so.0") == 0 ||
                             std::strstr(file, "/dri/swrast_dri.so") != nullptr);
}

void note_compose_variable() {
  const char* value = std::getenv("XCOMPOSEFILE");
  std::lock_guard<std::mutex> guard(seen_lock);
  compose_variable_seen.push_back(value != nullptr ? value : "(unset)");
}

// The loading thread runs while the display driver starts; the variable is
// the driver's empty table from before the thread starts until it is joined,
// so that no one sets it while the libraries' constructors may read it.
TEST(VideoStart, KeepsTheComposeVariableSetWhileTheOpenGLLibrariesLoad) {
  if (posix::video_started()) GTEST_SKIP() << "the display was started by an earlier test";
  setenv("XCOMPOSEFILE", "/tmp/pixwell-own-compose", 1);
  slow_mesa_loads = true;
  ASSERT_TRUE(posix::ensure_video());
  slow_mesa_loads = false;
  EXPECT_STREQ(std::getenv("XCOMPOSEFILE"), "/tmp/pixwell-own-compose");
  std::lock_guard<std::mutex> guard(seen_lock);
  if (compose_variable_seen.empty()) GTEST_SKIP() << "Mesa's libraries are not loaded ahead here";
  for (const std::string& value : compose_variable_seen) EXPECT_EQ(value, "/dev/null");
}

}  // namespace

// Every dlopen of this program comes here first, so that the test above can
// watch the loading thread; other loads go straight on.
extern "C" void* dlopen(const char* file, int mode) noexcept {
  using Open = void* (*)(const char*, int);
  static const auto real_dlopen = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "dlopen"));
  if (!slow_mesa_loads || !is_mesa_library(file)) return real_dlopen(file, mode);
  note_compose_variable();
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  void* library = real_dlopen(file, mode);
  note_compose_variable();
  return library;
}
#endif
