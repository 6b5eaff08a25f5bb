#include "lab_checks.h"

#include <X11/keysym.h>
#include <unistd.h>

#include <set>

#include "app/lab_gallery_layout.h"
#include "app/lab_window.h"
#include "lab_probe.h"
#include "process_stats.h"
#include "window_closer.h"

namespace {

constexpr uint32_t kMidGrey = 0x7F7F7F;

// The rasterizer's average of two packed colours, channel by channel.
uint32_t average(uint32_t a, uint32_t b) {
  return ((a >> 1) & 0x7F7F7F) + ((b >> 1) & 0x7F7F7F) + (a & b & 0x010101);
}

// The box around every pixel that is not black in an area of the client.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int width() const { return right < left ? 0 : right - left + 1; }
  // Lit pixels that keep clear of the area's edges: a whole sphere, not a
  // stale picture reaching out of the scene.
  bool clear_of_edges(const ScreenArea& area) const {
    return width() > 0 && left > 0 && top > 0 && right < area.width - 1 && bottom < area.height - 1;
  }
};

Box lit_box(LabScreen& s, ScreenArea area) {
  ScreenImage image = s.x->capture(client_area(s, area.x, area.y, area.width, area.height));
  Box box;
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x)
      if (image.pixels[y * area.width + x] != 0) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
  return box;
}

// Right of the frame-rate rows and above the help lines: only the scene draws there.
constexpr ScreenArea kSceneArea{180, 0, 760, 540};

}  // namespace

bool wait_for_lab(XSession& x, pid_t pid, LabScreen& screen, std::string& problem) {
  screen = LabScreen{&x, 0, 0, 0, pid, screen.program, screen.emulated};
  if (!within(90, [&] { return (screen.window = x.find_window(kLabWindowTitle)) != 0; })) {
    problem = "no window titled \"Pixwell Lab\" appeared within 90 s";
    return false;
  }
  // The client's top-left pixel is the background page's top row.
  bool found = within(30, [&] {
    ScreenImage image = x.capture({0, 0, 200, 200});
    for (int y = 0; y < 200; ++y)
      for (int x0 = 0; x0 < 200; ++x0)
        if (image.at(x0, y) == kBackgroundTopRow) {
          screen.left = x0, screen.top = y;
          return true;
        }
    return false;
  });
  if (!found) problem = "the window never showed the background page's top row (00FDFD)";
  return found;
}

// The captioned layer's selected band is its gradient one pixel down,
// averaged with mid-grey: the pixel above-left of the point, before, gives
// the pixel at the point after.
bool hover_shows_selected_band(LabScreen& s, std::string& problem) {
  int x = kLabFirstCaptioned.X + 1 + 100, y = kLabFirstCaptioned.Y + 1 + 45;
  point_at(s, 5, 5);
  usleep(300000);
  uint32_t normal_above_left = client_pixel(s, x - 1, y - 1);
  uint32_t expected = average(normal_above_left, kMidGrey);
  point_at(s, x, y);
  if (within(3, [&] { return client_pixel(s, x, y) == expected; })) return true;
  problem = "pixel shows " + hex(client_pixel(s, x, y)) + ", expected " + hex(expected);
  return false;
}

// Every presentation re-selects the hovered animation and steps it a frame.
bool hover_steps_frame_animation(LabScreen& s, std::string& problem) {
  const LabArea& frame = kLabFrameArea;
  ScreenArea row = client_area(s, frame.X, frame.Y + 1 + 50, frame.Width, 1);
  point_at(s, frame.X + 50, frame.Y + 51);
  std::set<uint64_t> looks;
  int changes = 0;
  uint64_t last = s.x->hash(row);
  within(2, [&] {
    uint64_t now = s.x->hash(row);
    looks.insert(now);
    if (now != last) ++changes, last = now;
    return changes >= 6;
  });
  point_at(s, 5, 5);
  if (looks.size() == 2 && changes >= 6) return true;
  problem = std::to_string(looks.size()) + " different frames and " + std::to_string(changes) +
            " changes in 2 s (expected 2 frames alternating)";
  return false;
}

// VK_UP shows the next page in the first line's place; VK_DOWN brings the
// first page back, pixel for pixel.
bool up_key_pages_text_view(LabScreen& s, std::string& problem) {
  const LabArea& view = kLabTextArea;
  ScreenArea first_line = client_area(s, view.X + 20, view.Y + 1 + 10, 500, 21);
  point_at(s, view.X + 300, view.Y + 300);
  usleep(300000);
  uint64_t first_page = s.x->hash(first_line);
  s.x->press_key(XK_Up);
  if (!within(3, [&] { return s.x->hash(first_line) != first_page; })) {
    problem = "the first line did not change after Up";
    return false;
  }
  s.x->press_key(XK_Down);
  if (within(3, [&] { return s.x->hash(first_line) == first_page; })) return true;
  problem = "Down did not bring the first page back";
  return false;
}

// The right button shows the scene (black around lit spheres), 'Z' twice
// shrinks the spheres to a third, and the right button brings the layers back.
bool right_button_switches_modes(LabScreen& s, std::string& problem) {
  point_at(s, 5, 5);
  s.x->click(3);
  if (!within(5, [&] {
        return client_pixel(s, 0, 0) == 0 && lit_box(s, kSceneArea).clear_of_edges(kSceneArea);
      })) {
    Box box = lit_box(s, kSceneArea);
    problem = "the right button did not show the spheres on black: corner " +
              hex(client_pixel(s, 0, 0)) + ", lit box x " + std::to_string(box.left) + ".." +
              std::to_string(box.right) + " y " + std::to_string(box.top) + ".." +
              std::to_string(box.bottom);
    return false;
  }
  int wide = lit_box(s, kSceneArea).width();
  s.x->press_key(XK_z);
  s.x->press_key(XK_z);
  bool shrank = within(5, [&] {
    Box box = lit_box(s, kSceneArea);
    return box.clear_of_edges(kSceneArea) && box.width() * 2 < wide;
  });
  int narrow = lit_box(s, kSceneArea).width();
  s.x->click(3);
  if (!shrank) {
    problem = "'Z' twice left the spheres " + std::to_string(narrow) + " pixels wide, from " +
              std::to_string(wide);
    return false;
  }
  if (within(5, [&] { return client_pixel(s, 0, 0) == kBackgroundTopRow; })) return true;
  problem = "the second right button did not bring the layers back";
  return false;
}

namespace {

// The frame of every gallery tile, as the screen shows it now: "" when each
// is the plain or the selected colour, otherwise which is not and why.
std::string gallery_frames_problem(LabScreen& s) {
  for (int tile = 0; tile < kGalleryTileCount; ++tile) {
    GalleryPoint corner = GalleryFrameCorner(tile);
    uint32_t frame = client_pixel(s, corner.X, corner.Y);
    if (frame == kGalleryPlainFrame || frame == kGallerySelectedFrame) continue;
    return "tile " + std::to_string(tile) + "'s frame is " + hex(frame) +
           (frame == kGalleryDifferingFrame ? " (its pictures differ)" : "");
  }
  return "";
}

}  // namespace

// F2 shows the gallery; its first tile moved across the left edge, grown and
// recoloured, then every tile changed at every frame, keeps every frame
// free of the red that marks differing pictures; F1 brings the layers back.
bool gallery_shows_no_differing_pixels(LabScreen& s, std::string& problem) {
  point_at(s, 5, 5);
  s.x->press_key(XK_F2);
  GalleryPoint first = GalleryFrameCorner(0);
  if (!within(5, [&] { return client_pixel(s, first.X, first.Y) == kGallerySelectedFrame; })) {
    problem = "F2 did not show the gallery's selected first tile";
    return false;
  }
  for (unsigned long key : {XK_Up, XK_Up, XK_c, XK_j, XK_j, XK_j, XK_i, XK_Right, XK_b, XK_Down})
    s.x->press_key(key);
  s.x->press_key(XK_a);  // every tile changes at every frame from here
  for (int look = 0; look < 20 && problem.empty(); ++look) {
    problem = gallery_frames_problem(s);
    usleep(100000);
  }
  s.x->press_key(XK_a);
  s.x->press_key(XK_F1);
  if (!problem.empty()) return false;
  if (within(5, [&] { return client_pixel(s, 0, 0) == kBackgroundTopRow; })) return true;
  problem = "F1 did not bring the layers back";
  return false;
}

bool close_ends_with_exit_code_0(LabScreen& s, std::string& problem) {
  close_window_titled(kLabWindowTitle);
  int code = wait_for_exit(s.pid, 20 * timeout_scale());
  if (code == 0) return true;
  problem = "exit code " + std::to_string(code);
  return false;
}
