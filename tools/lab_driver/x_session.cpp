#include "x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace {

std::string title_of(Display* display, Window window) {
  char* name = nullptr;
  std::string title = XFetchName(display, window, &name) && name ? name : "";
  if (name) XFree(name);
  return title;
}

bool has_title(Display* display, Window window, const std::string& title) {
  return title_of(display, window) == title;
}

// Searches the tree below `parent` breadth first: window managers and Wine
// may put the titled window one level below the root's children.
Window find_titled(Display* display, Window parent, const std::string& title, int depth) {
  Window root = 0, up = 0, found = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !found; ++i)
    if (has_title(display, children[i], title)) found = children[i];
  for (unsigned int i = 0; i < count && !found && depth > 0; ++i)
    found = find_titled(display, children[i], title, depth - 1);
  if (children) XFree(children);
  return found;
}

// Whether `inner` is `outer` or one of its descendants.
bool is_within(Display* display, Window inner, Window outer) {
  Window root = 0;
  while (inner != 0 && inner != outer) {
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, inner, &root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    if (inner == root) return false;
    inner = parent;
  }
  return inner == outer;
}

// Windows come and go while the tree is searched; an error about one that
// has just gone is no reason to end the driver.
int ignore_error(Display*, XErrorEvent*) { return 0; }

}  // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(ignore_error); }

XSession::~XSession() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

ScreenArea XSession::screen() const {
  return {0, 0, DisplayWidth(display_, DefaultScreen(display_)),
          DisplayHeight(display_, DefaultScreen(display_))};
}

Window XSession::find_window(const std::string& title) {
  return find_titled(display_, DefaultRootWindow(display_), title, 2);
}

std::string XSession::title(Window window) { return title_of(display_, window); }

ScreenImage XSession::capture(ScreenArea area) {
  ScreenImage image{area, {}};
  XImage* shot = XGetImage(display_, DefaultRootWindow(display_), area.x, area.y, area.width,
                           area.height, AllPlanes, ZPixmap);
  if (shot == nullptr) return image;
  image.pixels.resize(static_cast<size_t>(area.width) * area.height);
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x)
      image.pixels[y * area.width + x] = XGetPixel(shot, x, y) & 0xFFFFFF;
  XDestroyImage(shot);
  return image;
}

uint64_t XSession::hash(ScreenArea area) {
  ScreenImage image = capture(area);
  uint64_t value = 1469598103934665603ull;  // FNV-1a over the pixel values
  for (uint32_t pixel : image.pixels) value = (value ^ pixel) * 1099511628211ull;
  return value;
}

void XSession::move_pointer(int x, int y) {
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XFlush(display_);
}

void XSession::click(unsigned button) {
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  XFlush(display_);
}

void XSession::press_key(unsigned long keysym) {
  KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XFlush(display_);
}

void XSession::key(unsigned long keysym, bool down) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False, CurrentTime);
  XFlush(display_);
}

void XSession::button(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  XFlush(display_);
}

void XSession::resize_window(Window window, int width, int height) {
  XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XFlush(display_);
}

bool XSession::keys_reach(Window window) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  if (focus == PointerRoot) {
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &wx, &wy, &mask);
    focus = child;
  }
  return focus != None && is_within(display_, focus, window);
}
