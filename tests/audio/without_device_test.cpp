// Playing sound where the machine has no sound device (run by CTest with an
// ALSA configuration that has none): PlaySoundA fails, and the MCI device
// opens and accepts the play but notifies MCI_NOTIFY_FAILURE.
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/sound_capture.h"
#include "audio/sound_playback.h"

namespace {

bool without_device() { return std::getenv("PIXWELL_NO_SOUND_DEVICE") != nullptr; }

TEST(WithoutDevice, PlaySoundFailsAndTheWaveDeviceNotifiesFailure) {
  if (!without_device()) GTEST_SKIP() << "runs only where no sound device is set up";
  std::string path = sample_path("tone_22050_16_1.wav");
  EXPECT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), FALSE);
  HWND window = notification_window();
  ASSERT_EQ(OpenWaveDevice(window, path.c_str(), 0, 0), 0);
  std::vector<Notification> notes = wait_for_notifications(5000);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_FAILURE));
  EXPECT_EQ(notes[0].device, static_cast<LPARAM>(WaveDeviceId));
  EXPECT_EQ(CloseWaveDevice(), 0u);
}

}  // namespace
