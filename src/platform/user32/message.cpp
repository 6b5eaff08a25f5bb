// The thread's message queue: posted messages, the quit request, paint and
// timer messages made on demand, and a wait that sleeps until input, a post
// or the next timer is due.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/user32/user_objects.h"

namespace posix {
namespace {

struct Queue {
  std::mutex lock;
  std::condition_variable posted_signal;
  std::deque<MSG> posted;
  bool woken = false;
  bool quit = false;
  int quit_code = 0;
};

Queue& queue() {
  static Queue* instance = new Queue;  // lives until the process ends
  return *instance;
}

bool in_range(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool matches(const MSG& message, HWND window, UINT first, UINT last) {
  return (window == nullptr || message.hwnd == window) && in_range(message.message, first, last);
}

MSG make_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG made{window, message, wParam, lParam, static_cast<DWORD>(monotonic_ms()), POINT{}};
  return made;
}

bool take_posted(MSG* out, HWND window, UINT first, UINT last, bool remove) {
  Queue& messages = queue();
  std::lock_guard<std::mutex> guard(messages.lock);
  auto found = std::find_if(messages.posted.begin(), messages.posted.end(),
                            [&](const MSG& m) { return matches(m, window, first, last); });
  if (found == messages.posted.end()) return false;
  *out = *found;
  if (remove) messages.posted.erase(found);
  return true;
}

bool take_quit(MSG* out, bool remove) {
  Queue& messages = queue();
  std::lock_guard<std::mutex> guard(messages.lock);
  if (!messages.quit) return false;
  *out = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(messages.quit_code), 0);
  if (remove) messages.quit = false;
  return true;
}

// Retrieves in Windows' order: posted messages and input, the quit
// request, then WM_PAINT for a window with an update region, then WM_TIMER.
bool retrieve(MSG* out, HWND window, UINT first, UINT last, bool remove) {
  pump_backend_events();
  if (take_posted(out, window, first, last, remove)) return true;
  if (take_quit(out, remove)) return true;
  if (in_range(WM_PAINT, first, last)) {
    if (Window* painted = window_needing_paint(window)) {
      *out = make_message(static_cast<HWND>(painted->handle), WM_PAINT, 0, 0);
      return true;
    }
  }
  return in_range(WM_TIMER, first, last) && take_due_timer(window, out, remove);
}

void wait_for_message(int timeout_ms) {
  if (wait_for_backend(timeout_ms)) return;
  Queue& messages = queue();
  std::unique_lock<std::mutex> guard(messages.lock);
  auto woken = [&] { return messages.woken; };
  if (timeout_ms < 0)
    messages.posted_signal.wait(guard, woken);
  else
    messages.posted_signal.wait_for(guard, std::chrono::milliseconds(timeout_ms), woken);
  messages.woken = false;
}

}  // namespace

void post_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    Queue& messages = queue();
    std::lock_guard<std::mutex> guard(messages.lock);
    messages.posted.push_back(make_message(window, message, wParam, lParam));
  }
  wake_message_loop();
}

void drop_window_messages(HWND window) {
  Queue& messages = queue();
  std::lock_guard<std::mutex> guard(messages.lock);
  auto& posted = messages.posted;
  posted.erase(
      std::remove_if(posted.begin(), posted.end(), [&](const MSG& m) { return m.hwnd == window; }),
      posted.end());
}

void wake_message_loop() {
  {
    Queue& messages = queue();
    std::lock_guard<std::mutex> guard(messages.lock);
    messages.woken = true;
  }
  queue().posted_signal.notify_all();
  wake_backend();
}

// Windows are otherwise shown when the queue runs empty. A timer's message
// comes only when nothing else waits, so what was drawn before it is shown
// first: a window whose ticks take longer than its timer's period would
// never run empty, and never show a tick.
void present_before_timer(const MSG& message) {
  if (message.message == WM_TIMER) present_dirty_windows();
}

}  // namespace posix

using namespace posix;

BOOL GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
  if (message == nullptr || (window != nullptr && !IsWindow(window))) {
    SetLastError(1400);
    return -1;
  }
  for (;;) {
    if (retrieve(message, window, first, last, true)) {
      present_before_timer(*message);
      return message->message != WM_QUIT;
    }
    present_dirty_windows();
    wait_for_message(next_timer_delay());
  }
}

BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  if (message == nullptr) return FALSE;
  if (retrieve(message, window, first, last, (remove & PM_REMOVE) != 0)) {
    present_before_timer(*message);
    return TRUE;
  }
  present_dirty_windows();
  return FALSE;
}

BOOL TranslateMessage(const MSG* message) {
  if (message == nullptr) return FALSE;
  bool system = message->message == WM_SYSKEYDOWN;
  if (message->message != WM_KEYDOWN && !system)
    return message->message == WM_KEYUP || message->message == WM_SYSKEYUP;
  if (char character = character_of(static_cast<UINT>(message->wParam)))
    post_message(message->hwnd, system ? WM_SYSCHAR : WM_CHAR,
                 static_cast<unsigned char>(character), message->lParam);
  return TRUE;
}

// A WM_TIMER whose lParam is the procedure of a live timer goes to that
// procedure; any other lParam is never called, so a forged message can't
// jump to an arbitrary address.
LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr) return 0;
  if (message->message == WM_TIMER && message->lParam != 0) {
    if (is_timer_procedure(message->hwnd, message->wParam, message->lParam))
      reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                   static_cast<DWORD>(monotonic_ms()));
    return 0;
  }
  return send_to_window(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && !IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  post_message(window, message, wParam, lParam);
  return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return send_to_window(window, message, wParam, lParam);
}

void PostQuitMessage(int exit_code) {
  {
    Queue& messages = queue();
    std::lock_guard<std::mutex> guard(messages.lock);
    messages.quit = true;
    messages.quit_code = exit_code;
  }
  wake_message_loop();
}
