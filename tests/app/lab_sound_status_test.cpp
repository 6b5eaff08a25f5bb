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
