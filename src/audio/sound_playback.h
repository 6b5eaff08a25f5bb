// Sound playback: "load.wav" played to its end on a short-lived thread of its
// own, and a wave file played through the MCI "waveaudio" device with
// MM_MCINOTIFY sent to a window when it ends.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The two MCI parameter blocks, one right after the other, in the layouts
// the MCI interface defines.
struct WaveParameterBlocks {
  MCI_OPEN_PARMSA Open;
  MCI_PLAY_PARMS Play;
};
extern WaveParameterBlocks WaveBlocks;
// The open block's wDeviceID: the device that the last successful
// OpenWaveDevice opened, until it is closed.
extern MCIDEVICEID& WaveDeviceId;

// Starts the thread that plays "load.wav"; the result is CloseHandle's on
// the thread handle.
BOOL PlayWaveAsync();
// Opens the "waveaudio" device on a wave file and plays it whole, notifying
// the window; 0 when playback started, -1 otherwise. From and to are kept in
// the play block but not used.
int32_t OpenWaveDevice(HWND window, const char* file_name, DWORD from, DWORD to);
// Closes the device in WaveDeviceId; returns MCI's result, or
// MCIERR_INVALID_DEVICE_ID without asking MCI when it was closed already.
MCIERROR CloseWaveDevice();
// Closes a device that OpenWaveDevice opened, as the window that received
// MM_MCINOTIFY for it does (the device is its lParam); the same results.
MCIERROR close_wave_device(MCIDEVICEID device);
// Closes every device that OpenWaveDevice opened and nothing has closed yet.
void close_open_wave_devices();
