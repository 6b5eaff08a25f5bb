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

std::string PlayWaveStatus(BOOL started, WaveFileState load_wav) {
  if (!started) return "PlayWaveAsync: the playing thread could not be started";
  switch (load_wav) {
    case WaveFileState::kMissing:
      return "PlayWaveAsync: load.wav is missing beside the Lab; the system's default sound "
             "plays instead, if any";
    case WaveFileState::kDamaged: return "PlayWaveAsync: load.wav is damaged, so nothing plays";
    case WaveFileState::kSound: break;
  }
  return "PlayWaveAsync: load.wav sent to the sound device on a thread of its own (a failure "
         "of the device there is not reported back; M plays it with a report)";
}
