#include "monkey_hand.h"

#include <X11/keysym.h>

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

// Every key the Lab acts on: the text view's paging and shifting, the
// scene's spins and zooms, and the two that play load.wav.
constexpr unsigned long kLabKeys[] = {XK_Up, XK_Down, XK_Left, XK_Right, XK_a, XK_d,
                                      XK_w,  XK_s,    XK_z,    XK_x,     XK_p, XK_m};
// Keys it has no use for, which still reach its window procedure. Alt is
// left out: Alt+F4 would close the window outside the monkey's plan.
constexpr unsigned long kOtherKeys[] = {
    XK_q,    XK_space,   XK_Return,    XK_Escape,    XK_Tab,      XK_BackSpace,
    XK_Home, XK_End,     XK_Page_Up,   XK_Page_Down, XK_Delete,   XK_F1,
    XK_1,    XK_Shift_L, XK_Control_L, XK_KP_5,      XK_Caps_Lock};

// How often each action comes, out of their sum.
enum Action { kTap, kHold, kGlide, kLeftClick, kRightClick, kDrag, kResize, kPause, kActionCount };
constexpr int kWeights[kActionCount] = {30, 6, 25, 10, 6, 7, 3, 5};

bool is_sound_key(unsigned long key) { return key == XK_p || key == XK_m; }

constexpr size_t kRecentActions = 8;

std::string point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

void MonkeyHand::remember(std::string action) {
  recent_.push_back(std::move(action));
  if (recent_.size() > kRecentActions) recent_.pop_front();
}

std::string MonkeyHand::recent_actions() const {
  std::string list;
  for (const std::string& action : recent_) list += (list.empty() ? "" : ", ") + action;
  return list;
}

double MonkeyHand::uniform(double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random_);
}

int MonkeyHand::pick(int count) {
  return std::uniform_int_distribution<int>(0, count - 1)(random_);
}

// Two keys in three are the Lab's own.
unsigned long MonkeyHand::pick_key() {
  if (pick(3) < 2) return kLabKeys[pick(static_cast<int>(std::size(kLabKeys)))];
  return kOtherKeys[pick(static_cast<int>(std::size(kOtherKeys)))];
}

// Mostly inside the client area; one point in ten anywhere on the screen.
void MonkeyHand::point_somewhere(const MonkeyTarget& target, int& x, int& y) {
  ScreenArea area{target.left, target.top, target.width, target.height};
  if (pick(10) == 0) area = x_.screen();
  x = area.x + pick(std::max(area.width, 1));
  y = area.y + pick(std::max(area.height, 1));
}

// Moves the pointer in a few steps to a random point.
bool MonkeyHand::glide(const MonkeyTarget& target, int steps) {
  for (int i = 0; i < steps; ++i) {
    int x = 0, y = 0;
    point_somewhere(target, x, y);
    x_.move_pointer(x, y);
    ++counts_.events;
    remember("move to " + point(x, y));
    if (!watch_(uniform(0.01, 0.04))) return false;
  }
  return true;
}

void MonkeyHand::note_key_press(const MonkeyTarget& target, unsigned long key, bool hold) {
  if (!is_sound_key(key) || !x_.keys_reach(target.window)) return;
  ++counts_.sound_presses;
  if (hold) ++counts_.held_sound_keys;
}

// A tap, or a hold long enough for the server's auto-repeat (which starts
// after about 660 ms) to send the key again and again.
bool MonkeyHand::tap_key(const MonkeyTarget& target, bool hold) {
  unsigned long key = pick_key();
  double down_for = hold ? uniform(0.3, 2.0) : uniform(0.02, 0.12);
  note_key_press(target, key, hold && down_for > 0.7);
  remember(std::string(hold ? "hold " : "tap ") + XKeysymToString(key));
  x_.key(key, true);
  bool alive = watch_(down_for);
  x_.key(key, false);
  counts_.events += 2;
  return alive;
}

bool MonkeyHand::click(const MonkeyTarget& target, unsigned button) {
  if (!glide(target, 1)) return false;
  remember("click button " + std::to_string(button));
  x_.button(button, true);
  bool alive = watch_(uniform(0.03, 0.15));
  x_.button(button, false);
  counts_.events += 2;
  return alive;
}

bool MonkeyHand::drag(const MonkeyTarget& target, unsigned button) {
  if (!glide(target, 1)) return false;
  remember("drag with button " + std::to_string(button));
  x_.button(button, true);
  bool alive = glide(target, 3 + pick(10));
  x_.button(button, false);
  counts_.events += 2;
  return alive;
}

// From a sliver to wider and taller than the Lab's back buffer.
bool MonkeyHand::resize(MonkeyTarget& target) {
  target.width = 40 + pick(1240);
  target.height = 30 + pick(990);
  x_.resize_window(target.window, target.width, target.height);
  remember("resize to " + std::to_string(target.width) + "x" + std::to_string(target.height));
  ++counts_.events, ++counts_.resizes;
  return watch_(uniform(0.1, 0.5));
}

bool MonkeyHand::act(MonkeyTarget& target) {
  int roll = pick(std::accumulate(std::begin(kWeights), std::end(kWeights), 0));
  int action = 0;
  while (roll >= kWeights[action]) roll -= kWeights[action++];
  bool alive = true;
  switch (action) {
    case kTap: alive = tap_key(target, false); break;
    case kHold: alive = tap_key(target, true); break;
    case kGlide: alive = glide(target, 1 + pick(8)); break;
    case kLeftClick: alive = click(target, 1); break;
    case kRightClick: alive = click(target, 3); break;
    case kDrag: alive = drag(target, pick(2) == 0 ? 1 : 3); break;
    case kResize: alive = resize(target); break;
    default: break;
  }
  // A person's pause between two actions; a long one now and then.
  if (action == kPause) remember("pause");
  return alive && watch_(action == kPause ? uniform(0.2, 1.5) : uniform(0.02, 0.3));
}
