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

void shoot(LabScreen& s, const std::string& directory, const char* name, bool& ok) {
  usleep(800000);
  ok = write_ppm(s.x->capture(window_area(s)), directory + "/lab-" + name + ".ppm") && ok;
}

// One picture of each other page as a person would first use it, and one
// of the loupe over the BMP page's sample.
bool take_page_shots(LabScreen& s, const std::string& directory) {
  bool ok = true;
  s.x->move_pointer(s.left + 5, s.top + 5);
  press(s, XK_F2, 1);
  press(s, XK_Right, 2);
  shoot(s, directory, "gallery", ok);
  press(s, XK_F3, 1);
  press(s, XK_Home, 1);
  press(s, XK_Right, 2);
  shoot(s, directory, "bmp", ok);
  press(s, XK_F4, 1);
  press(s, XK_r, 1);
  press(s, XK_Right, 3);
  shoot(s, directory, "geometry", ok);
  press(s, XK_F5, 1);
  for (unsigned long key : {XK_f, XK_p, XK_s, XK_Return}) press(s, key, 1);
  shoot(s, directory, "words", ok);
  press(s, XK_Escape, 1);
  press(s, XK_F6, 1);
  shoot(s, directory, "tools", ok);
  press(s, XK_F7, 1);
  shoot(s, directory, "keys", ok);
  press(s, XK_F3, 1);
  press(s, XK_Home, 1);
  s.x->move_pointer(s.left + 40 + 48, s.top + 31 + 32);  // where the sample's quadrants meet
  press(s, XK_F8, 1);
  shoot(s, directory, "loupe", ok);
  press(s, XK_F8, 1);
  press(s, XK_F1, 1);
  return ok;
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
  return take_page_shots(s, directory) && ok;
}
