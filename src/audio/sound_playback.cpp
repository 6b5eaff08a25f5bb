#include "audio/sound_playback.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "audio/wave_file_check.h"

WaveParameterBlocks WaveBlocks{};
MCIDEVICEID& WaveDeviceId = WaveBlocks.Open.wDeviceID;

#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(MCI_OPEN_PARMSA) == 20 && offsetof(MCI_OPEN_PARMSA, wDeviceID) == 4 &&
              offsetof(MCI_OPEN_PARMSA, lpstrElementName) == 12);
static_assert(sizeof(MCI_PLAY_PARMS) == 12 && offsetof(MCI_PLAY_PARMS, dwTo) == 8);
static_assert(sizeof(WaveParameterBlocks) == 32 && offsetof(WaveParameterBlocks, Play) == 20);
#endif

namespace {

constexpr const char* kLoadWav = "load.wav";

// The devices that OpenWaveDevice opened and nothing has closed yet: two
// quick presses leave two playing, each closed once, by its own
// notification or at the end. Used on the window's thread only.
std::vector<MCIDEVICEID> open_devices;

bool forget_device(MCIDEVICEID device) {
  auto found = std::find(open_devices.begin(), open_devices.end(), device);
  if (found == open_devices.end()) return false;
  open_devices.erase(found);
  return true;
}

// Plays "load.wav" from the current directory to its end; PlaySoundA's
// result becomes the thread's exit code. A damaged file fails here, before
// the platform's player sees it; a missing one goes on to the default sound.
DWORD WINAPI play_load_wav(LPVOID) {
  if (check_wave_file(kLoadWav) == WaveFileState::kDamaged) return FALSE;
  return PlaySoundA(kLoadWav, nullptr, SND_FILENAME);
}

}  // namespace

BOOL PlayWaveAsync() {
  DWORD thread_id = 0;
  HANDLE thread = CreateThread(nullptr, 0, play_load_wav, nullptr, 0, &thread_id);
  return CloseHandle(thread);
}

int32_t OpenWaveDevice(HWND window, const char* file_name, DWORD from, DWORD to) {
  // A damaged file is refused as MCI refuses a file it can't play.
  if (check_wave_file(file_name) == WaveFileState::kDamaged) return -1;
  WaveBlocks.Open.lpstrDeviceType = "waveaudio";
  WaveBlocks.Open.lpstrElementName = file_name;
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                      reinterpret_cast<DWORD_PTR>(&WaveBlocks.Open)) != 0)
    return -1;
  WaveBlocks.Play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
  WaveBlocks.Play.dwFrom = from;
  WaveBlocks.Play.dwTo = to;
  if (mciSendCommandA(WaveDeviceId, MCI_PLAY, MCI_NOTIFY,
                      reinterpret_cast<DWORD_PTR>(&WaveBlocks.Play)) != 0) {
    // No notification will come to close it.
    mciSendCommandA(WaveDeviceId, MCI_CLOSE, 0, 0);
    return -1;
  }
  open_devices.push_back(WaveDeviceId);
  return 0;
}

MCIERROR CloseWaveDevice() { return close_wave_device(WaveDeviceId); }

// A device closed already is not named to MCI again: its identifier may
// have been given to a device opened since.
MCIERROR close_wave_device(MCIDEVICEID device) {
  if (!forget_device(device)) return MCIERR_INVALID_DEVICE_ID;
  return mciSendCommandA(device, MCI_CLOSE, 0, 0);
}

void close_open_wave_devices() {
  while (!open_devices.empty()) close_wave_device(open_devices.back());
}
