// pixwell-lab-monkey [--seconds N] [--logs DIR] COMMAND...
// Starts COMMAND (pixwell-lab, natively or under Wine) again and again on
// the current X display and drives each run with seeded random input for a
// random stretch before closing its window; N seconds of driving in all
// (600 by default), starting up and closing take a little more. Prints the
// seed first (PIXWELL_MONKEY_SEED replays one), a line per run, and the
// figures at the end; exits 0 only when every run ended well.
// PIXWELL_AUDIO_CAPTURE names the sound capture's file, whose openings are
// counted; PIXWELL_TIMEOUT_SCALE stretches every time limit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "capture_opens.h"
#include "lab_life.h"

namespace {

// The hang limits (PresentationWatch): the Lab presents 40 times a second;
// a gap of a second with its window's thread blocked is a hang, and so is
// any gap of 10 s.
constexpr double kPresentationGapAllowed = 1.0;
constexpr double kBusyGapAllowed = 10.0;
// Runs before the last are closed after 5 to 45 s. The last gets what
// remains, up to kLastLifeAtMost: in a long run it lives past a minute, and
// its memory is checked.
constexpr double kShortestLife = 5;
constexpr double kLongestShortLife = 45;
constexpr double kLastLifeAtMost = 150;

struct Options {
  double seconds = 600;
  std::string logs = ".";
  char** command = nullptr;
};

struct Totals {
  int lives = 0;
  long closes = 0;
  int64_t rss_low = INT64_MAX;
  int64_t rss_high = 0;
  std::string memory_checks;
};

double timeout_scale() {
  const char* scale = std::getenv("PIXWELL_TIMEOUT_SCALE");
  double factor = scale ? std::atof(scale) : 1.0;
  return factor >= 1.0 ? factor : 1.0;
}

uint64_t choose_seed() {
  const char* given = std::getenv("PIXWELL_MONKEY_SEED");
  if (given != nullptr && *given != 0) return std::strtoull(given, nullptr, 10);
  std::random_device device;
  return (static_cast<uint64_t>(device()) << 32 | device()) % 1000000000000ull;
}

double plan_life(std::mt19937_64& random, double remaining, double total) {
  if (remaining <= std::min(kLastLifeAtMost, total / 2)) return remaining;
  double length = std::uniform_real_distribution<double>(kShortestLife, kLongestShortLife)(random);
  return std::min(length, remaining);
}

bool parse(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == '-' && argv[i][1] == '-'; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0)
      options.seconds = std::atof(argv[i + 1]);
    else if (std::strcmp(argv[i], "--logs") == 0)
      options.logs = argv[i + 1];
    else
      return false;
  }
  options.command = argv + i;
  return i < argc && std::strncmp(argv[i], "--", 2) != 0 && options.seconds > 0;
}

void note_memory(int life, const LifeResult& result, Totals& totals) {
  if (result.rss_high > 0) {
    totals.rss_low = std::min(totals.rss_low, result.rss_low);
    totals.rss_high = std::max(totals.rss_high, result.rss_high);
  }
  if (result.rss_after_minute <= 0 || result.rss_at_end < 0) return;
  char text[160];
  std::snprintf(text, sizeof(text),
                "  run %d: %lld KiB after its first minute, %lld KiB at its end (%+.1f%%)\n", life,
                static_cast<long long>(result.rss_after_minute),
                static_cast<long long>(result.rss_at_end),
                100.0 * static_cast<double>(result.rss_at_end - result.rss_after_minute) /
                    static_cast<double>(result.rss_after_minute));
  totals.memory_checks += text;
}

void print_figures(const Totals& totals, const MonkeyCounts& counts, const CaptureOpens& capture,
                   const PresentationWatch& presentations) {
  std::printf("events sent: %ld (%ld window resizes and %ld closes among them)\n",
              counts.events + totals.closes, counts.resizes, totals.closes);
  std::printf("runs: %d, restarts: %d\n", totals.lives, std::max(totals.lives - 1, 0));
  if (totals.rss_high > 0)
    std::printf("resident memory range: %lld .. %lld KiB\n", static_cast<long long>(totals.rss_low),
                static_cast<long long>(totals.rss_high));
  if (totals.memory_checks.empty())
    std::printf("memory growth: not checked, no run lived past a minute\n");
  else
    std::printf("memory growth (at most %.0f%% allowed):\n%s", 100 * kMemoryGrowthAllowed,
                totals.memory_checks.c_str());
  std::printf("sounds: %ld P or M presses reached the window (%ld held to repeat)",
              counts.sound_presses, counts.held_sound_keys);
  if (capture.is_watching())
    std::printf("; the capture device was opened at least %d times", capture.count());
  std::printf(
      "\nlongest gap between presentations: %.2f s; gaps over %.1f s forgiven since the "
      "window's thread was computing: %d\n",
      presentations.longest_gap(), presentations.limit(), presentations.busy_gaps());
}

// One run of the Lab and its line of the report; false when it failed.
bool live_and_report(LifeContext& context, double length, Totals& totals) {
  LifeResult result = live_one_life(context, length);
  bool well = result.problem.empty();
  totals.closes += well ? 1 : 0;
  note_memory(totals.lives, result, totals);
  std::printf("run %d: %.0f s planned, %.0f s driven: %s\n", totals.lives, length, context.planned,
              well ? "closed, exit code 0" : ("FAILED: " + result.problem).c_str());
  std::fflush(stdout);
  return well;
}

int run(const Options& options) {
  XSession x;
  PresentationWatch presentations(kPresentationGapAllowed * timeout_scale(),
                                  kBusyGapAllowed * timeout_scale());
  if (!x.is_open() || !presentations.is_open()) {
    std::fprintf(stderr, "pixwell-lab-monkey: cannot open the X display (is DISPLAY set?)\n");
    return 2;
  }
  uint64_t seed = choose_seed();
  std::printf("seed: %llu (PIXWELL_MONKEY_SEED=%llu replays it)\n",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
  std::fflush(stdout);
  std::mt19937_64 random(seed);
  double planned = 0;
  MonkeyHand hand(x, random, [&](double seconds) {
    planned += seconds;
    return presentations.watch(seconds);
  });
  CaptureOpens capture(std::getenv("PIXWELL_AUDIO_CAPTURE"));
  Totals totals;
  bool all_well = true;
  for (double remaining = options.seconds; remaining > 0 && all_well;) {
    double length = plan_life(random, remaining, options.seconds);
    remaining -= length;
    ++totals.lives;
    LifeContext context{x,
                        presentations,
                        hand,
                        planned,
                        options.command,
                        options.logs + "/run-" + std::to_string(totals.lives) + ".log",
                        timeout_scale()};
    all_well = live_and_report(context, length, totals);
  }
  print_figures(totals, hand.counts(), capture, presentations);
  return all_well ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: pixwell-lab-monkey [--seconds N] [--logs DIR] COMMAND...\n");
    return 2;
  }
  return run(options);
}
