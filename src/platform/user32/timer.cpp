// Timers. A timer turns due on a fixed schedule; like on Windows it has at
// most one WM_TIMER pending, made when the queue is read, so ticks missed
// while the thread was busy coalesce into one.
#include <time.h>

#include <algorithm>
#include <vector>

#include "platform/user32/user_objects.h"

namespace posix {
namespace {

constexpr UINT kShortestPeriod = 10;  // USER_TIMER_MINIMUM
constexpr UINT kLongestPeriod = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimerId = 0x7FFF;

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT period;
  TIMERPROC procedure;
  uint64_t next_due;
  bool pending;
  uint64_t pending_since;
};

std::vector<Timer>& timers() {
  static std::vector<Timer>* instance = new std::vector<Timer>;
  return *instance;
}

Timer* find_timer(HWND window, UINT_PTR id) {
  for (Timer& timer : timers())
    if (timer.window == window && timer.id == id) return &timer;
  return nullptr;
}

UINT_PTR unused_thread_timer_id() {
  static UINT_PTR next = kFirstThreadTimerId;
  while (find_timer(nullptr, next) != nullptr || next == 0) ++next;
  return next++;
}

// Marks timers whose time has come and moves their schedule past now.
void mark_due(uint64_t now) {
  for (Timer& timer : timers()) {
    if (now < timer.next_due) continue;
    if (!timer.pending) timer.pending_since = now;
    timer.pending = true;
    timer.next_due += timer.period * ((now - timer.next_due) / timer.period + 1);
  }
}

}  // namespace

uint64_t monotonic_ms() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

void drop_window_timers(HWND window) {
  auto& all = timers();
  all.erase(
      std::remove_if(all.begin(), all.end(), [&](const Timer& t) { return t.window == window; }),
      all.end());
}

int next_timer_delay() {
  if (timers().empty()) return -1;
  uint64_t now = monotonic_ms(), nearest = UINT64_MAX;
  for (const Timer& timer : timers()) {
    if (timer.pending) return 0;
    nearest = std::min(nearest, timer.next_due);
  }
  return nearest <= now ? 0 : static_cast<int>(std::min<uint64_t>(nearest - now, 0x7FFFFFFF));
}

// Of the pending timers, the one pending longest goes first, so a fast
// timer can't starve a slow one.
bool take_due_timer(HWND filter, MSG* message, bool remove) {
  uint64_t now = monotonic_ms();
  mark_due(now);
  Timer* chosen = nullptr;
  for (Timer& timer : timers())
    if (timer.pending && (filter == nullptr || timer.window == filter) &&
        (chosen == nullptr || timer.pending_since < chosen->pending_since))
      chosen = &timer;
  if (chosen == nullptr) return false;
  *message = MSG{
      chosen->window,          WM_TIMER, chosen->id, reinterpret_cast<LPARAM>(chosen->procedure),
      static_cast<DWORD>(now), POINT{}};
  if (remove) chosen->pending = false;
  return true;
}

bool is_timer_procedure(HWND window, UINT_PTR id, LPARAM procedure) {
  Timer* timer = find_timer(window, id);
  return timer != nullptr && reinterpret_cast<LPARAM>(timer->procedure) == procedure;
}

}  // namespace posix

using namespace posix;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  if (window != nullptr && !IsWindow(window)) {
    SetLastError(1400);
    return 0;
  }
  if (window == nullptr && (id == 0 || find_timer(nullptr, id) == nullptr))
    id = unused_thread_timer_id();
  UINT period = std::clamp(elapse, kShortestPeriod, kLongestPeriod);
  uint64_t due = monotonic_ms() + period;
  if (Timer* existing = find_timer(window, id)) {
    *existing = Timer{window, id, period, procedure, due, false, 0};
  } else {
    timers().push_back(Timer{window, id, period, procedure, due, false, 0});
  }
  wake_message_loop();  // a waiting loop must learn of the nearer deadline
  return window != nullptr && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  auto& all = timers();
  auto found = std::find_if(all.begin(), all.end(),
                            [&](const Timer& t) { return t.window == window && t.id == id; });
  if (found == all.end()) return FALSE;
  all.erase(found);
  return TRUE;
}
