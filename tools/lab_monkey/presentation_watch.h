// Tells a program that still presents from one that hangs. Every
// presentation draws into the program's window, which the X server reports
// as damage whether or not the pixels changed. A gap between two reports
// longer than the limit is a hang when the window's thread spent most of it
// blocked (neither running nor waiting for a processor): a slow frame, such
// as the first of the 3D scene under ASan's full unwinding at every
// allocation, is not. A gap longer than the busy limit is a hang even so.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

#include "screen_watch.h"

class PresentationWatch {
 public:
  PresentationWatch(double limit_seconds, double busy_limit_seconds)
      : limit_(limit_seconds), busy_limit_(busy_limit_seconds) {}
  bool is_open() const { return screen_.is_open(); }
  // Starts the clock afresh, for a program that has just shown its window.
  void restart(pid_t pid);
  // Watches for `seconds`; false as soon as it sees a hang.
  bool watch(double seconds);
  double limit() const { return limit_; }
  double busy_limit() const { return busy_limit_; }
  // Over every restart: the longest gap, and the gaps past the limit that
  // were forgiven since the window's thread was computing.
  double longest_gap() const { return longest_; }
  int busy_gaps() const { return busy_gaps_; }
  // What the last hang looked like.
  const std::string& hang() const { return hang_; }

 private:
  using Clock = std::chrono::steady_clock;

  double gap() const;
  void note_presentation();
  bool is_hang(double gap);

  ScreenWatch screen_;
  double limit_;
  double busy_limit_;
  pid_t pid_ = 0;
  Clock::time_point last_ = Clock::now();
  double busy_at_last_ = 0;  // the thread's busy seconds at the last presentation
  bool counted_ = false;     // the current gap is already among the busy gaps
  double longest_ = 0;
  int busy_gaps_ = 0;
  std::string hang_;
};
