// pixwell-measure [--seconds N] COMMAND...
// Starts COMMAND (Pixwell, or Pixwell.exe under Wine) on the current X
// display and reports: the time from its start to the first frame on the
// screen, the intervals between frames over N seconds of playing (10 by
// default), the CPU time used over those seconds and the resident memory.
// pixwell-measure --close COMMAND...
// Starts COMMAND, closes its "Debug" window once a frame shows, as a window
// manager's close button does, and succeeds when it exits with code 0.
// pixwell-measure --soak SECONDS COMMAND...
// Starts COMMAND, samples its resident memory every 10 s for SECONDS once a
// frame shows, then closes its window and succeeds on exit code 0.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "process_stats.h"
#include "screen_watch.h"
#include "window_closer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kGreenCentre = 0x00FB00;  // only a shown frame has it
constexpr int kSearchWidth = 700;
constexpr int kSearchHeight = 560;

double milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// Says which display could not be opened, so a missing DISPLAY is told apart
// from a program that shows nothing.
bool screen_open(const ScreenWatch& screen) {
  if (screen.is_open()) return true;
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == 0)
    std::fprintf(stderr, "pixwell-measure: DISPLAY is not set: no X display to watch\n");
  else
    std::fprintf(stderr, "pixwell-measure: cannot open X display \"%s\"\n", display);
  return false;
}

// Polls the screen until the green disc's centre shows; returns its place.
// The screen is read again only when it has changed, so the wait leaves the
// processor to the program starting up.
std::optional<ScreenPoint> wait_for_first_frame(ScreenWatch& screen, Clock::time_point deadline) {
  for (;;) {
    if (auto found = screen.find_colour(kGreenCentre, kSearchWidth, kSearchHeight)) return found;
    Clock::duration left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return std::nullopt;
    screen.wait_for_change(
        static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
  }
}

// Times every change of the animation's row through the green centre.
std::vector<double> frame_intervals(ScreenWatch& screen, ScreenPoint row, double seconds) {
  std::vector<double> intervals;
  Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(seconds));
  uint64_t last = screen.row_hash(row.x, row.y, 550);
  Clock::time_point last_change = Clock::now();
  bool seen_change = false;
  while (Clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    uint64_t hash = screen.row_hash(row.x, row.y, 550);
    if (hash == last) continue;
    Clock::time_point now = Clock::now();
    if (seen_change) intervals.push_back(milliseconds(now - last_change));
    seen_change = true;
    last = hash;
    last_change = now;
  }
  return intervals;
}

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[index];
}

void report_intervals(const std::vector<double>& intervals) {
  if (intervals.size() < 2) {
    std::printf("frame intervals: too few frames seen (%zu)\n", intervals.size());
    return;
  }
  double sum = 0;
  for (double interval : intervals) sum += interval;
  std::printf("frame intervals: %zu, mean %.2f ms, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
              intervals.size(), sum / static_cast<double>(intervals.size()),
              percentile(intervals, 0.5), percentile(intervals, 0.99),
              *std::max_element(intervals.begin(), intervals.end()));
}

int measure(char** command, double seconds) {
  ScreenWatch screen;
  if (!screen_open(screen)) return 1;
  Clock::time_point start = Clock::now();
  pid_t pid = start_program(command);
  auto found = wait_for_first_frame(screen, start + std::chrono::seconds(60));
  if (!found) {
    stop_program(pid);
    std::fprintf(stderr, "pixwell-measure: no frame appeared within 60 s\n");
    return 1;
  }
  std::printf("first frame shown %.1f ms after the process started\n",
              milliseconds(Clock::now() - start));
  ScreenPoint row{found->x - 200, found->y};  // frame 0's green centre is at (200, 100)
  double cpu_before = cpu_seconds(pid);
  std::vector<double> intervals = frame_intervals(screen, row, seconds);
  double cpu_used = cpu_seconds(pid) - cpu_before;
  std::printf("CPU: %.2f s over %.0f s of playing, %.1f%% of one core\n", cpu_used, seconds,
              100.0 * cpu_used / seconds);
  std::printf("resident memory while playing: %.1f MiB\n",
              static_cast<double>(resident_kib(pid)) / 1024.0);
  report_intervals(intervals);
  stop_program(pid);
  return 0;
}

// Closes the "Debug" window and waits for the program's exit code.
int close_and_wait(pid_t pid) {
  if (!close_window_titled("Debug")) {
    stop_program(pid);
    std::fprintf(stderr, "pixwell-measure: no window titled \"Debug\"\n");
    return 1;
  }
  int code = wait_for_exit(pid, 10);
  std::printf("closed: exit code %d\n", code);
  return code == 0 ? 0 : 1;
}

int close_after_first_frame(char** command) {
  ScreenWatch screen;
  if (!screen_open(screen)) return 1;
  pid_t pid = start_program(command);
  if (!wait_for_first_frame(screen, Clock::now() + std::chrono::seconds(60))) {
    stop_program(pid);
    std::fprintf(stderr, "pixwell-measure: no frame appeared within 60 s\n");
    return 1;
  }
  return close_and_wait(pid);
}

int soak(char** command, double seconds) {
  ScreenWatch screen;
  if (!screen_open(screen)) return 1;
  pid_t pid = start_program(command);
  if (!wait_for_first_frame(screen, Clock::now() + std::chrono::seconds(60))) {
    stop_program(pid);
    std::fprintf(stderr, "pixwell-measure: no frame appeared within 60 s\n");
    return 1;
  }
  constexpr double kSampleSeconds = 10;
  int64_t lowest = INT64_MAX, highest = 0;
  Clock::time_point start = Clock::now();
  for (int n = 0;; ++n) {
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    int64_t kib = resident_kib(pid);
    if (kib < 0) {
      std::fprintf(stderr, "pixwell-measure: the program ended after %.0f s of soak\n", elapsed);
      return 1;
    }
    lowest = std::min(lowest, kib);
    highest = std::max(highest, kib);
    std::printf("sample %d at %.0f s: resident %lld KiB\n", n, elapsed,
                static_cast<long long>(kib));
    std::fflush(stdout);
    if (elapsed >= seconds) break;
    std::this_thread::sleep_until(start +
                                  std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>((n + 1) * kSampleSeconds)));
  }
  std::printf("resident memory range: %lld .. %lld KiB\n", static_cast<long long>(lowest),
              static_cast<long long>(highest));
  return close_and_wait(pid);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--close") == 0) return close_after_first_frame(argv + 2);
  if (argc > 3 && std::strcmp(argv[1], "--soak") == 0 && std::atof(argv[2]) > 0)
    return soak(argv + 3, std::atof(argv[2]));
  double seconds = 10;
  int first = 1;
  if (argc > 3 && std::strcmp(argv[1], "--seconds") == 0) {
    seconds = std::atof(argv[2]);
    first = 3;
  }
  if (first >= argc || seconds <= 0) {
    std::fprintf(stderr,
                 "usage: pixwell-measure [--seconds N] COMMAND...\n       pixwell-measure --close "
                 "COMMAND...\n       pixwell-measure --soak SECONDS COMMAND...\n");
    return 2;
  }
  return measure(argv + first, seconds);
}
