// What the Lab's status line says when the wave-audio device reports how a
// sound played through it ended: its end, a stop, or the device's failure.
#pragma once

#include <string>

#include "audio/wave_file_check.h"
#include "platform/win32.h"

std::string WaveNotificationStatus(WPARAM outcome, const std::string& wave_path);

// What the status line says after PlayWaveAsync, from its result and from
// load.wav as it was found before the call. How the playing thread ends is
// not known to the Lab: PlayWaveAsync closes the thread's handle, with the
// device's answer as its exit code, before it returns.
std::string PlayWaveStatus(BOOL started, WaveFileState load_wav);
