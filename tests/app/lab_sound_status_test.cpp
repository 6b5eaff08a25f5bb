// The device's report on a sound reaches the status line as it was: a
// failure is never shown as playing or played.
#include "app/lab_sound_status.h"

#include <gtest/gtest.h>

TEST(LabSoundStatus, EachOutcomeIsToldAsItWas) {
  std::string failed = WaveNotificationStatus(MCI_NOTIFY_FAILURE, "load.wav");
  EXPECT_NE(failed.find("failed"), std::string::npos);
  EXPECT_EQ(failed.find("played"), std::string::npos);
  EXPECT_NE(WaveNotificationStatus(MCI_NOTIFY_SUCCESSFUL, "load.wav").find("played to its end"),
            std::string::npos);
  EXPECT_NE(WaveNotificationStatus(MCI_NOTIFY_ABORTED, "load.wav").find("stopped"),
            std::string::npos);
}

// PlayWaveAsync's side: what is known before and at the call is told, and
// nothing that cannot play is told as playing.
TEST(LabSoundStatus, PlayWaveNeverClaimsWhatCannotPlay) {
  for (WaveFileState state : {WaveFileState::kMissing, WaveFileState::kDamaged}) {
    std::string text = PlayWaveStatus(TRUE, state);
    EXPECT_NE(text.find(state == WaveFileState::kMissing ? "missing" : "damaged"),
              std::string::npos);
  }
  EXPECT_NE(PlayWaveStatus(FALSE, WaveFileState::kSound).find("could not be started"),
            std::string::npos);
  EXPECT_NE(PlayWaveStatus(TRUE, WaveFileState::kSound).find("not reported back"),
            std::string::npos);
}
