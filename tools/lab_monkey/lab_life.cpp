#include "lab_life.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/lab_window.h"
#include "lab_checks.h"
#include "process_stats.h"
#include "window_closer.h"

namespace {

constexpr double kMinute = 60;
constexpr double kSampleSeconds = 10;
// Input stops for this long before memory is read, so that sounds just
// started and the threads playing them have ended.
constexpr double kQuietSeconds = 1.5;
// What the sanitizers print when they find something.
constexpr const char* kReportMarks[] = {"ERROR: AddressSanitizer",
                                        "runtime error:", "ERROR: LeakSanitizer"};

std::string format(const char* pattern, double a, double b = 0) {
  char text[200];
  std::snprintf(text, sizeof(text), pattern, a, b);
  return text;
}

void add_problem(LifeResult& result, const std::string& problem) {
  result.problem += (result.problem.empty() ? "" : "; ") + problem;
}

bool wait_quietly(LifeContext& c, double seconds) {
  c.planned += seconds;
  return c.presentations.watch(seconds);
}

void sample_memory(pid_t pid, LifeResult& result) {
  int64_t kib = resident_kib(pid);
  if (kib < 0) return;
  result.rss_low = std::min(result.rss_low, kib);
  result.rss_high = std::max(result.rss_high, kib);
}

// The stacks of every thread of a hung program go to its log, where gdb is
// installed, to tell where it waits.
void write_stacks(pid_t pid, const std::string& log_path) {
  std::string command = "command -v gdb >/dev/null && gdb -p " + std::to_string(pid) +
                        " -batch -ex 'thread apply all bt 40' >>'" + log_path + "' 2>&1";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "no stacks written (gdb)\n");
}

// A program that stopped presenting may be busy printing a sanitizer
// report before it aborts: it gets some seconds to end by itself.
std::string why_it_stopped(LifeContext& c, pid_t pid) {
  std::string at = format("%.1f s into its life", c.planned);
  int code = 0;
  if (has_ended(pid, code))
    return "ended by itself with exit code " + std::to_string(code) + ", " + at;
  std::string hang = c.presentations.hang() + ", " + at;
  write_stacks(pid, c.log_path);
  code = wait_for_exit(pid, 10 * c.timeout_scale);
  if (code == -1) return hang + "; killed 10 s later";
  return hang + "; then it ended with exit code " + std::to_string(code);
}

// Reads memory after the first minute and at the end, each after a quiet
// spell; samples it every 10 s for the range.
bool watch_memory(LifeContext& c, pid_t pid, double& next_sample, LifeResult& result) {
  if (c.planned >= next_sample) sample_memory(pid, result), next_sample += kSampleSeconds;
  if (result.rss_after_minute >= 0 || c.planned < kMinute) return true;
  if (!wait_quietly(c, kQuietSeconds)) return false;
  result.rss_after_minute = resident_kib(pid);
  return true;
}

// Drives the Lab until its planned seconds are used; false with the problem
// set when it ended or hung.
bool drive(LifeContext& c, pid_t pid, MonkeyTarget& target, double seconds, LifeResult& result) {
  double next_sample = 0;
  while (c.planned < seconds) {
    bool alive = c.hand.act(target) && watch_memory(c, pid, next_sample, result);
    int code = 0;
    if (!alive || has_ended(pid, code)) {
      result.problem =
          alive ? "ended by itself with exit code " + std::to_string(code) : why_it_stopped(c, pid);
      result.problem += "; the last actions: " + c.hand.recent_actions();
      return false;
    }
  }
  if (result.rss_after_minute < 0) return true;
  if (!wait_quietly(c, kQuietSeconds)) {
    result.problem = why_it_stopped(c, pid);
    return false;
  }
  result.rss_at_end = resident_kib(pid);
  sample_memory(pid, result);
  return true;
}

void check_memory(LifeResult& result) {
  if (result.rss_after_minute <= 0 || result.rss_at_end < 0) return;
  double growth = static_cast<double>(result.rss_at_end - result.rss_after_minute) /
                  static_cast<double>(result.rss_after_minute);
  if (growth > kMemoryGrowthAllowed)
    add_problem(result,
                format("resident memory grew by %.1f%% after the first minute (allowed %.0f%%)",
                       100 * growth, 100 * kMemoryGrowthAllowed));
}

// The leak check at exit scans the whole heap; on a loaded machine that
// alone can take many seconds.
void close_and_wait(LifeContext& c, pid_t pid, LifeResult& result) {
  if (!close_window_titled(kLabWindowTitle)) {
    stop_program(pid);
    add_problem(result, "its window was gone when it was to be closed");
    return;
  }
  int code = wait_for_exit(pid, 60 * c.timeout_scale);
  if (code != 0)
    add_problem(result, "closing its window ended it with exit code " + std::to_string(code));
}

// Adds the log's first sanitizer report line, if any, to the problem.
void scan_log(const std::string& path, LifeResult& result) {
  std::ifstream log(path);
  std::string line;
  while (std::getline(log, line))
    for (const char* mark : kReportMarks)
      if (line.find(mark) != std::string::npos) {
        add_problem(result, "sanitizer report in " + path + ": " + line);
        return;
      }
}

}  // namespace

LifeResult live_one_life(LifeContext& c, double seconds) {
  LifeResult result;
  c.planned = 0;
  pid_t pid = start_program_logged(c.command, c.log_path.c_str());
  LabScreen screen{};
  if (!wait_for_lab(c.x, pid, screen, result.problem)) {
    stop_program(pid);
  } else {
    MonkeyTarget target{screen.window, screen.left, screen.top, kLabWindowWidth, kLabWindowHeight};
    c.presentations.restart(pid);
    if (drive(c, pid, target, seconds, result)) {
      check_memory(result);
      close_and_wait(c, pid, result);
    }
  }
  scan_log(c.log_path, result);
  return result;
}
