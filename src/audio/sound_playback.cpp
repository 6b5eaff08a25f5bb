#include "audio/sound_playback.h"

#include <cstddef>

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
                      reinterpret_cast<DWORD_PTR>(&WaveBlocks.Play)) != 0)
    return -1;
  return 0;
}

MCIERROR CloseWaveDevice() { return mciSendCommandA(WaveDeviceId, MCI_CLOSE, 0, 0); }
