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

struct PageLatency {
  const char* page;
  unsigned long page_key;
  unsigned long there, back;  // two keys that change the picture and undo it
  ScreenArea area;            // in the client: where the change shows
};

// Pictures that stand still between key presses: no rate display inside.
constexpr PageLatency kPageLatencies[] = {
    {"gallery (C, the selected tile's colour)", XK_F2, XK_c, XK_c, {0, 0, 960, 520}},
    {"bmp (Right / Left)", XK_F3, XK_Right, XK_Left, {20, 10, 440, 240}},
    {"geometry (Right / Left)", XK_F4, XK_Right, XK_Left, {20, 10, 920, 520}},
    {"words (Down / Up)", XK_F5, XK_Down, XK_Up, {20, 10, 620, 520}},
};

void report_latency(const char* what, const std::vector<double>& latencies) {
  auto [low, high] = std::minmax_element(latencies.begin(), latencies.end());
  std::printf(
      "key press to changed picture, %s: median %.1f ms (min %.1f, max %.1f, %zu presses)\n", what,
      median(latencies), *low, *high, latencies.size());
}

// Per page, the same median of ten presses; and the CPU the gallery takes
// standing still and while A changes every tile at every frame.
void report_page_figures(LabScreen& s) {
  for (const PageLatency& page : kPageLatencies) {
    s.x->press_key(page.page_key);
    usleep(500000);
    ScreenArea area{s.left + page.area.x, s.top + page.area.y, page.area.width, page.area.height};
    std::vector<double> latencies;
    for (int i = 0; i < 10; ++i) {
      latencies.push_back(key_to_picture_ms(s, i % 2 == 0 ? page.there : page.back, area));
      usleep(100000);
    }
    report_latency(page.page, latencies);
  }
  s.x->press_key(XK_F2);
  usleep(500000);
  std::printf("CPU on the gallery, standing still: %.1f%%\n", cpu_percent_over(s, 5));
  s.x->press_key(XK_a);
  std::printf("CPU on the gallery, every tile changing (A): %.1f%%\n", cpu_percent_over(s, 5));
  s.x->press_key(XK_a);
  s.x->press_key(XK_F1);
  usleep(500000);
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
  report_latency("layers (Up / Down, the text view)", latencies);
  report_page_figures(s);
  s.x->move_pointer(s.left + 5, s.top + 5);
  s.x->click(3);  // some seconds of the 3D scene, for the Lab's own count of its rate
  std::printf("CPU in 3D mode: %.1f%%\n", cpu_percent_over(s, 4));
  s.x->click(3);
}
