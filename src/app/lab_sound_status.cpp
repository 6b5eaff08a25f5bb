#include "app/lab_sound_status.h"

std::string WaveNotificationStatus(WPARAM outcome, const std::string& wave_path) {
  switch (outcome) {
    case MCI_NOTIFY_SUCCESSFUL: return "OpenWaveDevice: " + wave_path + " played to its end";
    case MCI_NOTIFY_FAILURE:
      return "OpenWaveDevice: the sound device failed playing " + wave_path +
             " (no sound device, or it refused the sound)";
    case MCI_NOTIFY_SUPERSEDED:
    case MCI_NOTIFY_ABORTED: return "OpenWaveDevice: " + wave_path + " was stopped";
    default:
      return "OpenWaveDevice: " + wave_path + " ended with notification " + std::to_string(outcome);
  }
}
