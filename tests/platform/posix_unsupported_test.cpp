// The Linux layer only: what it does not provide fails as Win32 fails and
// says so on standard error, once per process for each thing refused.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "platform/platform_helpers.h"

using namespace platform_test;

namespace {

size_t count_lines(const std::string& text) {
  size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

bool mentions(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

TEST(Unsupported, SoundsInMemoryAndResourcesFailWithOneLineEach) {
  static const char kNotAWave[] = "RIFF";
  testing::internal::CaptureStderr();
  for (int round = 0; round < 2; ++round) {
    EXPECT_FALSE(PlaySoundA(kNotAWave, nullptr, SND_MEMORY | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA("WAVE_1", nullptr, SND_RESOURCE | SND_ASYNC));
  }
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(count_lines(said), 2u) << said;
  EXPECT_TRUE(mentions(said, "PlaySoundA: SND_MEMORY")) << said;
  EXPECT_TRUE(mentions(said, "PlaySoundA: SND_RESOURCE")) << said;
}

// Status, seek, pause and the rest are not provided; the device need not
// even be open for the refusal.
TEST(Unsupported, MciCommandsBeyondOpenPlayStopAndCloseFailWithOneLine) {
  constexpr UINT kStatus = 0x0814, kSeek = 0x0807, kPause = 0x0809;
  testing::internal::CaptureStderr();
  for (UINT command : {kStatus, kSeek, kPause, UINT{MCI_WINDOW}})
    EXPECT_EQ(mciSendCommandA(1, command, 0, 0),
              static_cast<MCIERROR>(MCIERR_UNRECOGNIZED_COMMAND));
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(count_lines(said), 1u) << said;
  EXPECT_TRUE(mentions(said, "mciSendCommandA")) << said;
}

TEST(Unsupported, MinimizingAndMaximizingShowTheWindowAndSaySoOnce) {
  HWND window = create_test_window(0, 0, 120, 90);
  ASSERT_NE(window, nullptr);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ShowWindow(window, SW_MINIMIZE));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(ShowWindow(window, SW_SHOWMINIMIZED));
  EXPECT_TRUE(ShowWindow(window, SW_SHOWMAXIMIZED));
  EXPECT_TRUE(ShowWindow(window, SW_SHOWNORMAL));
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(count_lines(said), 2u) << said;
  EXPECT_TRUE(mentions(said, "ShowWindow: minimizing")) << said;
  EXPECT_TRUE(mentions(said, "ShowWindow: maximizing")) << said;
  DestroyWindow(window);
}

}  // namespace
#endif
