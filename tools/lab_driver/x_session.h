// A connection to the X display that drives a program as a person would:
// real pointer and key events through the XTest extension and the screen
// read back through XGetImage.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScreenArea {
  int x;
  int y;
  int width;
  int height;
};

// Pixels of an area of the screen, 0x00RRGGBB, row by row.
struct ScreenImage {
  ScreenArea area{};
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[(y - area.y) * area.width + (x - area.x)]; }
};

class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool is_open() const { return display_ != nullptr; }
  // The whole screen of the display.
  ScreenArea screen() const;
  // The top-level window with this title, or 0.
  Window find_window(const std::string& title);
  // The window's title, "" when it has none.
  std::string title(Window window);
  ScreenImage capture(ScreenArea area);
  uint64_t hash(ScreenArea area);
  void move_pointer(int x, int y);
  void click(unsigned button);
  void press_key(unsigned long keysym);
  // Halves of a press, for holding a key (the server repeats it) or a button
  // (a drag) while the pointer moves.
  void key(unsigned long keysym, bool down);
  void button(unsigned button, bool down);
  // Asks for a new size of a top-level window, as a window manager would.
  void resize_window(Window window, int width, int height);
  // Whether key events go to `window`: it or a window inside it has the
  // focus, or the focus follows the pointer and the pointer is inside it.
  bool keys_reach(Window window);

 private:
  Display* display_;
};
