#include "lab_figures.h"

#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/lab_window.h"
#include "process_stats.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpu_percent_over(LabScreen& s, double seconds) {
  double before = cpu_seconds(s.pid);
  usleep(static_cast<useconds_t>(seconds * 1e6));
  return 100.0 * (cpu_seconds(s.pid) - before) / seconds;
}

// Milliseconds from the key event to the first changed pixel of the line.
double key_to_picture_ms(LabScreen& s, unsigned long key, ScreenArea line) {
  uint64_t before = s.x->hash(line);
  auto start = Clock::now();
  s.x->press_key(key);
  while (s.x->hash(line) == before) {
    if (Clock::now() - start > std::chrono::seconds(3)) return -1;
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

void report_lab_figures(LabScreen& s) {
  s.x->move_pointer(s.left + 5, s.top + 5);
  usleep(500000);
  std::printf("CPU idle (layer mode, pointer on no layer): %.1f%%\n", cpu_percent_over(s, 5));
  const LabArea& frame = kLabFrameArea;
  s.x->move_pointer(s.left + frame.X + 50, s.top + frame.Y + 51);
  std::printf("CPU hovering the frame animation: %.1f%%\n", cpu_percent_over(s, 5));
  const LabArea& view = kLabTextArea;
  s.x->move_pointer(s.left + view.X + 300, s.top + view.Y + 300);
  usleep(300000);
  ScreenArea line{s.left + view.X + 20, s.top + view.Y + 11, 500, 21};
  std::vector<double> latencies;
  for (int i = 0; i < 10; ++i) {
    latencies.push_back(key_to_picture_ms(s, i % 2 == 0 ? XK_Up : XK_Down, line));
    usleep(100000);
  }
  auto [low, high] = std::minmax_element(latencies.begin(), latencies.end());
  std::printf("key press to changed picture: median %.1f ms (min %.1f, max %.1f, 10 presses)\n",
              median(latencies), *low, *high);
  s.x->move_pointer(s.left + 5, s.top + 5);
  s.x->click(3);  // some seconds of the 3D scene, for the Lab's own count of its rate
  std::printf("CPU in 3D mode: %.1f%%\n", cpu_percent_over(s, 4));
  s.x->click(3);
}
