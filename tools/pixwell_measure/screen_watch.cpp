#include "screen_watch.h"

#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <thread>

namespace {

// The pixel at (x, y) without XGetPixel's per-pixel dispatch where the image
// is the usual 32 bits per pixel.
uint32_t pixel_at(XImage* image, int x, int y) {
  if (image->bits_per_pixel != 32) return static_cast<uint32_t>(XGetPixel(image, x, y));
  const char* row = image->data + static_cast<long>(y) * image->bytes_per_line;
  return reinterpret_cast<const uint32_t*>(row)[x];
}

}  // namespace

ScreenWatch::ScreenWatch() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) return;
  int error_base = 0;
  if (XDamageQueryExtension(display_, &damage_event_base_, &error_base))
    damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportNonEmpty);
}

ScreenWatch::~ScreenWatch() {
  if (display_ == nullptr) return;
  if (damage_ != 0) XDamageDestroy(display_, damage_);
  XCloseDisplay(display_);
}

std::optional<ScreenPoint> ScreenWatch::find_colour(uint32_t colour, int width, int height) {
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), 0, 0, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return std::nullopt;
  std::optional<ScreenPoint> found;
  for (int y = 0; y < height && !found; ++y)
    for (int x = 0; x < width && !found; ++x)
      if ((pixel_at(image, x, y) & 0xFFFFFF) == colour) found = ScreenPoint{x, y};
  XDestroyImage(image);
  return found;
}

uint64_t ScreenWatch::row_hash(int x, int y, int width) {
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), x, y, width, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixel values
  for (int i = 0; i < width; ++i)
    hash = (hash ^ (pixel_at(image, i, 0) & 0xFFFFFF)) * 1099511628211ull;
  XDestroyImage(image);
  return hash;
}

// Reads every queued event; true when one of them reported damage, which is
// then cleared so that the next change is reported again.
bool ScreenWatch::take_damage_events() {
  bool damaged = false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == damage_event_base_ + XDamageNotify) damaged = true;
  }
  if (damaged) XDamageSubtract(display_, damage_, None, None);
  return damaged;
}

bool ScreenWatch::wait_for_change(int timeout_ms) {
  if (damage_ == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  }
  if (take_damage_events()) return true;
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  if (poll(&connection, 1, timeout_ms) <= 0) return false;
  return take_damage_events();
}
