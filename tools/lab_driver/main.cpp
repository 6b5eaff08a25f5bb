// pixwell-lab-driver [--measure | --shots DIR] COMMAND...
// Starts COMMAND (pixwell-lab, natively or under Wine), drives it through the
// X server with real pointer and key events, checks what the screen shows by
// pixel values, optionally reports CPU and latency figures, closes the window
// and expects exit code 0. Prints one line per check and a closing count.
// With --shots it takes the documentation's screenshots instead of checking.
#include <cstdio>
#include <cstring>
#include <string>

#include "lab_checks.h"
#include "lab_figures.h"
#include "lab_page_checks.h"
#include "lab_shots.h"
#include "process_stats.h"

namespace {

struct Check {
  const char* name;
  bool (*run)(LabScreen&, std::string&);
  // Why the check cannot run here, or "": it is then skipped with the reason.
  std::string (*why_not)(const LabScreen&) = nullptr;
};

constexpr Check kChecks[] = {
    {"hovering a captioned layer shows its selected band", hover_shows_selected_band},
    {"hovering the frame animation steps it", hover_steps_frame_animation},
    {"Up pages the text view and Down pages back", up_key_pages_text_view},
    {"the right button shows the scene, Z twice shrinks it, and back", right_button_switches_modes},
    {"the gallery's tiles show no differing pixels while their parameters change",
     gallery_shows_no_differing_pixels},
    {"the BMP page shows the sample where it is drawn, and the arrow keys move it",
     bmp_sample_shown_and_moved},
    {"the geometry page's box turns, and a full turn brings it back",
     geometry_box_turns_and_returns},
    {"the words page marks the lines FindWord finds the typed word on",
     words_highlights_match_find_word, why_words_cannot_run},
    {"the tools page's assembler writes code.com beside the Lab", tools_assembler_writes_output,
     why_assembler_cannot_run},
    {"the loupe magnifies the pixels round the pointer", loupe_magnifies_pixels_round_pointer},
};

struct Mode {
  bool measure = false;
  const char* shots = nullptr;  // the folder for screenshots, or null
};

// Which word of the command is the Lab: the first named pixwell-lab*, after
// an emulator's name and before the Lab's own arguments; else the first.
int lab_word(char** command) {
  for (int n = 0; command[n] != nullptr; ++n) {
    const char* slash = std::strrchr(command[n], '/');
    if (std::strncmp(slash ? slash + 1 : command[n], "pixwell-lab", 11) == 0) return n;
  }
  return 0;
}

int run(char** command, const Mode& mode) {
  XSession x;
  if (!x.is_open()) {
    std::fprintf(stderr, "cannot open the X display (is DISPLAY set?)\n");
    return 2;
  }
  pid_t pid = start_program(command);
  LabScreen screen{};
  int lab = lab_word(command);
  screen.program = command[lab];
  screen.emulated = lab > 0;
  std::string problem;
  if (!wait_for_lab(x, pid, screen, problem)) {
    std::printf("FAILED: %s\n", problem.c_str());
    stop_program(pid);
    return 1;
  }
  int passed = 0, failed = 0, skipped = 0;
  auto record = [&](const char* name, bool ok) {
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", name, ok ? "" : ": ",
                ok ? "" : problem.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
    problem.clear();
  };
  if (mode.shots != nullptr) {
    record("screenshots written", take_lab_shots(screen, mode.shots));
  } else {
    for (const Check& check : kChecks) {
      std::string why_not = check.why_not ? check.why_not(screen) : "";
      if (why_not.empty()) {
        record(check.name, check.run(screen, problem));
        continue;
      }
      std::printf("skipped: %s: %s\n", check.name, why_not.c_str());
      ++skipped;
    }
  }
  if (mode.measure) report_lab_figures(screen);
  record("closing the window ends it with exit code 0",
         close_ends_with_exit_code_0(screen, problem));
  std::printf("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Mode mode;
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--measure") == 0) mode.measure = true, first = 2;
  if (argc > 2 && std::strcmp(argv[1], "--shots") == 0) mode.shots = argv[2], first = 3;
  if (argc <= first) {
    std::fprintf(stderr, "usage: pixwell-lab-driver [--measure | --shots DIR] COMMAND...\n");
    return 2;
  }
  return run(argv + first, mode);
}
