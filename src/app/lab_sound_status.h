// What the Lab's status line says when the wave-audio device reports how a
// sound played through it ended: its end, a stop, or the device's failure.
#pragma once

#include <string>

#include "platform/win32.h"

std::string WaveNotificationStatus(WPARAM outcome, const std::string& wave_path);
