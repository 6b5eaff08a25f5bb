#include "presentation_watch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "process_stats.h"

namespace {

// The share of a gap the window's thread must have been busy for the gap to
// count as a slow frame rather than a hang.
constexpr double kBusyShare = 0.5;

}  // namespace

void PresentationWatch::restart(pid_t pid) {
  pid_ = pid;
  note_presentation();
}

double PresentationWatch::gap() const {
  return std::chrono::duration<double>(Clock::now() - last_).count();
}

void PresentationWatch::note_presentation() {
  last_ = Clock::now();
  busy_at_last_ = first_thread_busy_seconds(pid_);
  counted_ = false;
}

bool PresentationWatch::is_hang(double gap) {
  if (gap <= limit_) return false;
  double busy = first_thread_busy_seconds(pid_) - busy_at_last_;
  if (gap <= busy_limit_ && busy >= kBusyShare * gap) {
    if (!counted_) ++busy_gaps_, counted_ = true;
    return false;
  }
  char text[160];
  std::snprintf(text, sizeof(text),
                "no presentation for %.1f s, of which its window's thread was busy %.1f s", gap,
                busy);
  hang_ = text;
  return true;
}

bool PresentationWatch::watch(double seconds) {
  Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(seconds));
  for (;;) {
    double now_gap = gap();
    longest_ = std::max(longest_, now_gap);
    if (is_hang(now_gap)) return false;
    double left = std::chrono::duration<double>(end - Clock::now()).count();
    if (left <= 0) return true;
    // Wakes by the time the gap passes the limit, and then every 100 ms.
    double wait = std::min(left, std::max(limit_ - now_gap, 0.1));
    if (screen_.wait_for_change(static_cast<int>(std::ceil(wait * 1000)))) note_presentation();
  }
}
