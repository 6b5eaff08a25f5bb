// Pixwell Lab closed a few milliseconds after P or M: the process must end
// with exit code 0 while a sound is still starting or playing, with every
// sound thread stopped before the platform shuts down (under the sanitizers
// also free of memory errors and of leaks). Each run is a process of its
// own, as a closed Lab ends its process.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "app/lab_window.h"
#include "audio/sound_capture.h"
#include "support/temp_dir.h"

namespace {

struct KeyThenClose {
  WPARAM key;
  int close_tick;  // the tick of the 10 ms timer that closes the window
  int ticks;
};
KeyThenClose script{};

void CALLBACK press_then_close(HWND, UINT, UINT_PTR, DWORD) {
  ++script.ticks;
  if (script.ticks == 1) PostMessageA(LabWindow, WM_KEYDOWN, script.key, 0);
  if (script.ticks == script.close_tick) PostMessageA(LabWindow, WM_CLOSE, 0, 0);
}

// Runs the Lab as its executable does, on a three-second load.wav, with the
// key pressed at the first tick and the close at the given one.
[[noreturn]] void run_lab(WPARAM key, int close_tick, const std::string& folder) {
  script = {key, close_tick, 0};
  SetTimer(nullptr, 0, 10, press_then_close);
  std::string document = folder + "no document.txt";
  LabOptions options{document.c_str(), folder.c_str(), false};
  ExitProcess(RunLab(GetModuleHandleA(nullptr), options));
}

TEST(LabClosedWhileASoundStarts, EndsWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempDir folder;
  write_file_bytes(folder.file("load.wav"), read_file_bytes(sample_path("three_seconds.wav")));
  for (WPARAM key : {kLabPlayKey, kLabMciKey})
    for (int close_tick : {1, 3, 6}) {
      SCOPED_TRACE(std::string(1, static_cast<char>(key)) + " then a close at tick " +
                   std::to_string(close_tick));
      EXPECT_EXIT(run_lab(key, close_tick, folder.path()), testing::ExitedWithCode(0), "");
    }
}

}  // namespace
#endif
