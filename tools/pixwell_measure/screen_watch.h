// Reads pixels of the X screen: where the animation's green disc centre
// first appears, and a row of the animation to tell frames apart. Screen
// changes are learnt from the X server's damage reports where it has them,
// so that waiting for a frame takes no processor time from the program being
// measured.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cstdint>
#include <optional>

struct ScreenPoint {
  int x;
  int y;
};

class ScreenWatch {
 public:
  ScreenWatch();
  ~ScreenWatch();
  bool is_open() const { return display_ != nullptr; }
  // The first pixel of the given colour in the top-left width by height area.
  std::optional<ScreenPoint> find_colour(uint32_t colour, int width, int height);
  // A hash of `width` pixels of row y from column x.
  uint64_t row_hash(int x, int y, int width);
  // Waits up to timeout_ms for the screen to change; true when it may have
  // (always, after a short sleep, on a server without damage reports).
  bool wait_for_change(int timeout_ms);

 private:
  bool take_damage_events();

  Display* display_;
  Damage damage_ = 0;
  int damage_event_base_ = 0;
};
