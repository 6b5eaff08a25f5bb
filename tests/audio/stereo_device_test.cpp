// Playing sound where the device takes two channels at most (run by CTest
// with the capture configuration's surround devices made to fail): files of
// 4 and 6 channels still play, mixed down to stereo on the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "audio/sound_capture.h"
#include "audio/sound_playback.h"
#include "support/temp_dir.h"

namespace {

bool stereo_only() { return std::getenv("PIXWELL_STEREO_ONLY_DEVICE") != nullptr; }

// Every frame of the file reached the device as one stereo frame: the
// recording is as long as the sound, give or take its faded ends.
void expect_mixed_down(int channels, const Capture& capture) {
  ASSERT_EQ(capture.rate, 22050);
  ASSERT_EQ(capture.bits, 16);
  ASSERT_EQ(capture.channels, 2);
  std::string raw =
      read_file_bytes(sample_path("tone_22050_16_" + std::to_string(channels) + ".raw"));
  size_t frames = raw.size() / (2 * channels);
  size_t played = trim_silence(capture.samples, 16, 2).size() / 4;
  EXPECT_LE(played, frames);
  EXPECT_GE(played, frames * 95 / 100);
}

TEST(StereoOnlyDevice, SurroundFilesPlayMixedDownThroughBothCalls) {
  if (!stereo_only()) GTEST_SKIP() << "runs only where the surround devices fail";
  HWND window = notification_window();
  for (int channels : {4, 6}) {
    SCOPED_TRACE(channels);
    std::string path = sample_path("tone_22050_16_" + std::to_string(channels) + ".wav");
    clear_capture();
    ASSERT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), TRUE);
    expect_mixed_down(channels, read_capture());
    clear_capture();
    ASSERT_EQ(OpenWaveDevice(window, path.c_str(), 0, 0), 0);
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(CloseWaveDevice(), 0u);
    expect_mixed_down(channels, read_capture());
  }
}

}  // namespace
