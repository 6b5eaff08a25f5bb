#include "window_closer.h"

#include <X11/Xlib.h>

#include <cstring>

namespace {

// The title, or the title followed by ": " and more: the Lab's title
// carries the loupe's readout while the loupe is shown.
bool has_title(Display* display, Window window, const char* title) {
  char* name = nullptr;
  size_t length = std::strlen(title);
  bool matches = XFetchName(display, window, &name) && name &&
                 std::strncmp(name, title, length) == 0 &&
                 (name[length] == '\0' || std::strncmp(name + length, ": ", 2) == 0);
  if (name) XFree(name);
  return matches;
}

Window find_top_level(Display* display, const char* title) {
  Window root = 0, parent = 0, found = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !found; ++i)
    if (has_title(display, children[i], title)) found = children[i];
  if (children) XFree(children);
  return found;
}

}  // namespace

bool close_window_titled(const char* title) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  Window window = find_top_level(display, title);
  if (window != 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
  }
  XCloseDisplay(display);
  return window != 0;
}
