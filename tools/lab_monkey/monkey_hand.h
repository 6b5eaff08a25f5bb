// The monkey's hand: one seeded random action at a time on the Lab's window
// through XTest, from key taps and held keys (which the X server repeats) to
// clicks, drags, pointer glides, window resizes and pauses. Every wait
// between two steps of an action goes through the caller's watch, so a hang
// is seen while a key is held too.
#pragma once

#include <deque>
#include <functional>
#include <random>
#include <string>

#include "x_session.h"

// Where the hand acts: the Lab's window and its client area on the screen.
struct MonkeyTarget {
  Window window;
  int left;
  int top;
  int width;
  int height;
};

struct MonkeyCounts {
  long events = 0;  // XTest events and window requests sent
  long resizes = 0;
  long sound_presses = 0;    // P and M presses that reached the window
  long held_sound_keys = 0;  // of those, held long enough to repeat
};

class MonkeyHand {
 public:
  // `watch` waits the given seconds; false when it saw a hang.
  using Watch = std::function<bool(double)>;

  MonkeyHand(XSession& x, std::mt19937_64& random, Watch watch)
      : x_(x), random_(random), watch_(std::move(watch)) {}
  // One random action; false when a wait inside it saw a hang. Whatever it
  // pressed is released on every path.
  bool act(MonkeyTarget& target);
  const MonkeyCounts& counts() const { return counts_; }
  // The last few actions, oldest first, to tell what came before a fault.
  std::string recent_actions() const;

 private:
  double uniform(double low, double high);
  int pick(int count);
  unsigned long pick_key();
  void point_somewhere(const MonkeyTarget& target, int& x, int& y);
  bool glide(const MonkeyTarget& target, int steps);
  bool tap_key(const MonkeyTarget& target, bool hold);
  bool click(const MonkeyTarget& target, unsigned button);
  bool drag(const MonkeyTarget& target, unsigned button);
  bool resize(MonkeyTarget& target);
  void note_key_press(const MonkeyTarget& target, unsigned long key, bool hold);
  void remember(std::string action);

  XSession& x_;
  std::mt19937_64& random_;
  Watch watch_;
  MonkeyCounts counts_;
  std::deque<std::string> recent_;
};
