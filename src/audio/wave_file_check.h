// A look at a wave file before it is handed to the platform's player: its
// RIFF chunks must lie within the file, with a format chunk before the data.
// The platform's own players do not all refuse a damaged file safely.
#pragma once

#include <cstdint>

enum class WaveFileState { kMissing, kSound, kDamaged };

WaveFileState check_wave_file(const char* file_name);
// The same check on the first bytes of a file of the given size; chunks
// beyond those bytes count as missing.
WaveFileState check_wave_image(const uint8_t* head, uint32_t head_size, uint32_t file_size);
