// Reads pixels of the X screen: where the animation's green disc centre
// first appears, and a row of the animation to tell frames apart.
#pragma once

#include <X11/Xlib.h>

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

 private:
  Display* display_;
};
