// One life of Pixwell Lab under the monkey: started, driven for its planned
// seconds, closed through the window manager protocol, and judged: it must
// present all along, end with exit code 0 when closed, print no sanitizer
// report, and, when it lived past a minute, hold its resident memory.
#pragma once

#include <cstdint>
#include <string>

#include "monkey_hand.h"
#include "presentation_watch.h"

struct LifeContext {
  XSession& x;
  PresentationWatch& presentations;
  MonkeyHand& hand;
  double& planned;  // seconds of this life the hand has used so far
  char** command;
  std::string log_path;
  double timeout_scale;
};

struct LifeResult {
  std::string problem;            // empty when the life ended well
  int64_t rss_after_minute = -1;  // KiB, when it lived past a minute
  int64_t rss_at_end = -1;
  int64_t rss_low = INT64_MAX;
  int64_t rss_high = 0;
};

// Resident memory may grow by this fraction from the end of the first
// minute to the end of a life; freed memory the allocator keeps varies
// a little with what was done last.
constexpr double kMemoryGrowthAllowed = 0.05;

LifeResult live_one_life(LifeContext& context, double seconds);
