// Feeds arbitrary bytes to the wave path of the Linux layer's multimedia
// calls (the RIFF check and SDL's decoder behind it) and to the program's own
// check of wave files. Whatever the bytes, both must answer without reading
// outside them, and a decoded sound must be a whole number of frames.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/wave_file_check.h"
#include "platform/winmm/sound_machinery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 24)) return 0;
  auto bytes = static_cast<uint32_t>(size);
  WaveFileState state = check_wave_image(data, bytes, bytes);
  posix::WaveSound sound;
  posix::WaveResult result = posix::load_wave_memory(data, size, &sound);
  if (result == posix::WaveResult::kLoaded) {
    if (sound.frame_bytes == 0 || sound.samples.size() % sound.frame_bytes != 0) std::abort();
    // The layer plays only what the program's check lets through.
    if (state != WaveFileState::kSound) std::abort();
  }
  return 0;
}
