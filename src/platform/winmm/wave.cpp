// Wave files for the multimedia calls: the RIFF structure checked before
// SDL's loader sees the bytes, files read whole, and the default sound.
#include <SDL2/SDL_audio.h>

#include <cmath>
#include <fstream>

#include "platform/kernel32/kernel_objects.h"
#include "platform/riff/wave_chunks.h"
#include "platform/winmm/sound_machinery.h"

namespace posix {
namespace {

// The formats SDL's devices here are asked to play.
constexpr uint32_t kMaxChannels = 8;
constexpr uint32_t kMaxRate = 384000;
// Larger files are refused rather than read into memory.
constexpr std::streamoff kMaxFileBytes = std::streamoff{1} << 30;

// The RIFF structure first: a file whose sizes lie is invalid, a well-formed
// one in a format no device here plays is unplayable.
WaveResult check_structure(const uint8_t* bytes, size_t size) {
  riff::MemorySource source(bytes, size);
  riff::WaveFormat format;
  switch (riff::walk_wave_chunks(source, size, &format)) {
    case riff::WaveChunks::kSound: break;
    case riff::WaveChunks::kEmptyFormat: return WaveResult::kUnplayable;
    case riff::WaveChunks::kDamaged: return WaveResult::kInvalid;
  }
  bool playable = format.channels <= kMaxChannels && format.rate <= kMaxRate;
  return playable ? WaveResult::kLoaded : WaveResult::kUnplayable;
}

WaveSound make_default_sound() {
  constexpr int kRate = 22050;
  constexpr int kFrames = kRate * 3 / 10;  // 0.3 s
  WaveSound sound;
  sound.rate = kRate;
  sound.sample_format = AUDIO_S16LSB;
  sound.channels = 1;
  sound.frame_bytes = 2;
  sound.samples.resize(kFrames * 2);
  for (int i = 0; i < kFrames; ++i) {
    double t = static_cast<double>(i) / kRate;
    double tone = i < kFrames / 2 ? 880.0 : 660.0;
    double fade = 1.0 - static_cast<double>(i) / kFrames;
    auto value = static_cast<int16_t>(std::lround(9000.0 * fade * std::sin(2 * M_PI * tone * t)));
    sound.samples[2 * i] = static_cast<uint8_t>(value & 0xFF);
    sound.samples[2 * i + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
  }
  return sound;
}

}  // namespace

WaveResult load_wave_memory(const uint8_t* bytes, size_t size, WaveSound* sound) {
  WaveResult structure = check_structure(bytes, size);
  if (structure != WaveResult::kLoaded) return structure;
  return decode_wave(bytes, size, sound);
}

WaveResult load_wave_file(const char* windows_path, WaveSound* sound) {
  if (windows_path == nullptr || *windows_path == '\0') return WaveResult::kNotFound;
  std::ifstream file(to_posix_path(windows_path), std::ios::binary | std::ios::ate);
  if (!file) return WaveResult::kNotFound;
  std::streamoff size = file.tellg();
  if (size < 0 || size > kMaxFileBytes) return WaveResult::kInvalid;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return WaveResult::kInvalid;
  return load_wave_memory(bytes.data(), bytes.size(), sound);
}

const WaveSound& default_sound() {
  static const WaveSound* sound = new WaveSound(make_default_sound());
  return *sound;
}

}  // namespace posix
