#include "screen_watch.h"

#include <X11/Xutil.h>

ScreenWatch::ScreenWatch() : display_(XOpenDisplay(nullptr)) {}

ScreenWatch::~ScreenWatch() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::optional<ScreenPoint> ScreenWatch::find_colour(uint32_t colour, int width, int height) {
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), 0, 0, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return std::nullopt;
  std::optional<ScreenPoint> found;
  for (int y = 0; y < height && !found; ++y)
    for (int x = 0; x < width && !found; ++x)
      if ((XGetPixel(image, x, y) & 0xFFFFFF) == colour) found = ScreenPoint{x, y};
  XDestroyImage(image);
  return found;
}

uint64_t ScreenWatch::row_hash(int x, int y, int width) {
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), x, y, width, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixel values
  for (int i = 0; i < width; ++i)
    hash = (hash ^ (XGetPixel(image, i, 0) & 0xFFFFFF)) * 1099511628211ull;
  XDestroyImage(image);
  return hash;
}
