// Wave files for the multimedia calls: the RIFF structure checked before
// SDL's loader sees the bytes, files read whole, and the default sound.
#include <SDL2/SDL_audio.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "platform/kernel32/kernel_objects.h"
#include "platform/winmm/sound_machinery.h"

namespace posix {
namespace {

constexpr size_t kRiffHeaderBytes = 12;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kMinimumFormatBytes = 16;
constexpr uint32_t kMaxChannels = 8;
constexpr uint32_t kMaxRate = 384000;
// Larger files are refused rather than read into memory.
constexpr std::streamoff kMaxFileBytes = std::streamoff{1} << 30;

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool tag_is(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

bool format_is_sane(const uint8_t* format) {
  uint32_t channels = le16(format + 2);
  uint32_t rate = le32(format + 4);
  uint32_t block_align = le16(format + 12);
  return channels >= 1 && channels <= kMaxChannels && rate >= 1 && rate <= kMaxRate &&
         block_align != 0;
}

// Walks the chunks inside the RIFF extent: every chunk must lie wholly in the
// file, a sane format chunk must come before the data chunk, and the RIFF
// size must not claim more than the file holds.
WaveResult check_structure(const uint8_t* bytes, size_t size) {
  if (size < kRiffHeaderBytes || !tag_is(bytes, "RIFF") || !tag_is(bytes + 8, "WAVE"))
    return WaveResult::kInvalid;
  uint64_t riff_end = uint64_t{le32(bytes + 4)} + 8;
  if (riff_end > size) return WaveResult::kInvalid;
  bool have_format = false;
  size_t at = kRiffHeaderBytes;
  while (at + kChunkHeaderBytes <= riff_end) {
    const uint8_t* chunk = bytes + at;
    uint64_t length = le32(chunk + 4);
    if (length > riff_end - at - kChunkHeaderBytes) return WaveResult::kInvalid;
    if (tag_is(chunk, "fmt ")) {
      if (length < kMinimumFormatBytes) return WaveResult::kInvalid;
      if (!format_is_sane(chunk + kChunkHeaderBytes)) return WaveResult::kUnplayable;
      have_format = true;
    } else if (tag_is(chunk, "data")) {
      return have_format ? WaveResult::kLoaded : WaveResult::kInvalid;
    }
    at += kChunkHeaderBytes + length + (length & 1);
    if (at > riff_end) break;
  }
  return WaveResult::kInvalid;
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
