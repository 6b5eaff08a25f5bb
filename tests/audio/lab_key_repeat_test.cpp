// Pixwell Lab holding M: the key's auto-repeat must not open a device per
// repeat, while a fresh press opens the next one.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "app/lab_window.h"
#include "audio/sound_capture.h"
#include "audio/sound_playback.h"
#include "support/temp_dir.h"

namespace {

constexpr LPARAM kFreshPress = 1;
constexpr LPARAM kAutoRepeat = 1 | (1 << 30);

struct RepeatScript {
  int ticks;
  MCIDEVICEID first, after_repeats, after_fresh_press;
};
RepeatScript script{};

void press_m(LPARAM flags) { PostMessageA(LabWindow, WM_KEYDOWN, kLabMciKey, flags); }

void CALLBACK hold_then_press(HWND, UINT, UINT_PTR, DWORD) {
  switch (++script.ticks) {
    case 1: press_m(kFreshPress); break;
    case 3:
      script.first = WaveDeviceId;
      for (int i = 0; i < 5; ++i) press_m(kAutoRepeat);
      break;
    case 5:
      script.after_repeats = WaveDeviceId;
      press_m(kFreshPress);
      break;
    case 7:
      script.after_fresh_press = WaveDeviceId;
      PostMessageA(LabWindow, WM_CLOSE, 0, 0);
      break;
    default: break;
  }
}

TEST(LabSoundKeys, AutoRepeatStartsNoFurtherSound) {
  TempDir folder;
  write_file_bytes(folder.file("load.wav"), read_file_bytes(sample_path("three_seconds.wav")));
  std::string document = folder.path() + "no document.txt";
  LabOptions options{document.c_str(), folder.path().c_str(), false};
  UINT_PTR timer = SetTimer(nullptr, 0, 10, hold_then_press);
  RunLab(GetModuleHandleA(nullptr), options);
  KillTimer(nullptr, timer);
  ASSERT_NE(script.first, 0u) << "the first press opened no device";
  EXPECT_EQ(script.after_repeats, script.first);
  EXPECT_NE(script.after_fresh_press, script.first);
}

}  // namespace
#endif
