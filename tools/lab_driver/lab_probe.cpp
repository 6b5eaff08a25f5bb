#include "lab_probe.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

double timeout_scale() {
  const char* scale = std::getenv("PIXWELL_TIMEOUT_SCALE");
  double factor = scale ? std::atof(scale) : 1.0;
  return factor >= 1.0 ? factor : 1.0;
}

bool within(double seconds, const std::function<bool()>& condition) {
  auto end =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds * timeout_scale());
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    usleep(5000);
  }
  return condition();
}

ScreenArea client_area(const LabScreen& s, int x, int y, int width, int height) {
  return {s.left + x, s.top + y, width, height};
}

uint32_t client_pixel(LabScreen& s, int x, int y) {
  return s.x->capture(client_area(s, x, y, 1, 1)).pixels.at(0);
}

void point_at(LabScreen& s, int x, int y) { s.x->move_pointer(s.left + x, s.top + y); }

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%06X", value);
  return text;
}
