#include "lab_shots.h"

#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>

#include "app/lab_window.h"

namespace {

// The part of the screen the Lab's window covers, frame included.
ScreenArea window_area(LabScreen& s) {
  XWindowAttributes attributes{};
  Display* display = XOpenDisplay(nullptr);
  XGetWindowAttributes(display, s.window, &attributes);
  XCloseDisplay(display);
  int width = attributes.width > 0 ? attributes.width : kLabWindowWidth;
  int height = attributes.height > 0 ? attributes.height : kLabWindowHeight;
  return {attributes.x, attributes.y, width, height};
}

bool write_ppm(const ScreenImage& image, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", image.area.width, image.area.height);
  for (uint32_t pixel : image.pixels) {
    unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                            static_cast<unsigned char>(pixel >> 8),
                            static_cast<unsigned char>(pixel)};
    std::fwrite(rgb, 1, 3, file);
  }
  return std::fclose(file) == 0;
}

void press(LabScreen& s, unsigned long key, int times) {
  for (int i = 0; i < times; ++i) {
    s.x->press_key(key);
    usleep(150000);
  }
}

}  // namespace

bool take_lab_shots(LabScreen& s, const std::string& directory) {
  const LabArea& view = kLabTextArea;
  s.x->move_pointer(s.left + view.X + 300, s.top + view.Y + 300);
  usleep(300000);
  press(s, XK_Up, 1);
  s.x->move_pointer(s.left + kLabFirstCaptioned.X + 60, s.top + kLabFirstCaptioned.Y + 40);
  usleep(800000);
  bool ok = write_ppm(s.x->capture(window_area(s)), directory + "/lab-layers.ppm");
  s.x->click(3);
  usleep(500000);
  press(s, XK_d, 3);
  press(s, XK_w, 2);
  press(s, XK_z, 1);
  usleep(1500000);
  ok = write_ppm(s.x->capture(window_area(s)), directory + "/lab-3d.ppm") && ok;
  s.x->click(3);
  return ok;
}
