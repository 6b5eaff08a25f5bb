#include "platform/riff/wave_chunks.h"

#include <cstring>

namespace riff {
namespace {

constexpr uint32_t kRiffHeaderBytes = 12;
constexpr uint32_t kChunkHeaderBytes = 8;
constexpr uint32_t kFormatBytes = 16;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool tag_is(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// Reads the RIFF header into *end, the end of the RIFF extent; false when it
// is not a wave file's or the extent claims more than the file holds.
bool read_riff_header(ByteSource& source, uint64_t file_size, uint64_t* end) {
  uint8_t header[kRiffHeaderBytes];
  if (!source.read(header, kRiffHeaderBytes)) return false;
  if (!tag_is(header, "RIFF") || !tag_is(header + 8, "WAVE")) return false;
  *end = uint64_t{le32(header + 4)} + 8;
  return *end <= file_size;
}

// Reads the common fields at the start of a format chunk of the given size.
WaveChunks read_format(ByteSource& source, uint64_t size, WaveFormat* format) {
  uint8_t bytes[kFormatBytes];
  if (size < kFormatBytes || !source.read(bytes, kFormatBytes)) return WaveChunks::kDamaged;
  format->format_tag = le16(bytes);
  format->channels = le16(bytes + 2);
  format->rate = le32(bytes + 4);
  format->block_align = le16(bytes + 12);
  bool empty = format->channels == 0 || format->rate == 0 || format->block_align == 0;
  return empty ? WaveChunks::kEmptyFormat : WaveChunks::kSound;
}

}  // namespace

bool MemorySource::read(uint8_t* out, uint32_t count) {
  if (count > size_ - at_) return false;
  std::memcpy(out, bytes_ + at_, count);
  at_ += count;
  return true;
}

bool MemorySource::skip(uint64_t count) {
  if (count > size_ - at_) return false;
  at_ += count;
  return true;
}

WaveChunks walk_wave_chunks(ByteSource& source, uint64_t file_size, WaveFormat* format) {
  uint64_t end = 0;
  if (!read_riff_header(source, file_size, &end)) return WaveChunks::kDamaged;
  bool format_seen = false;
  for (uint64_t at = kRiffHeaderBytes; at + kChunkHeaderBytes <= end;) {
    uint8_t header[kChunkHeaderBytes];
    if (!source.read(header, kChunkHeaderBytes)) return WaveChunks::kDamaged;
    uint64_t size = le32(header + 4);
    if (size > end - at - kChunkHeaderBytes) return WaveChunks::kDamaged;
    if (tag_is(header, "data")) return format_seen ? WaveChunks::kSound : WaveChunks::kDamaged;
    // An odd-sized chunk is followed by a pad byte.
    uint64_t rest = size + (size & 1);
    if (tag_is(header, "fmt ")) {
      WaveChunks read = read_format(source, size, format);
      if (read != WaveChunks::kSound) return read;
      format_seen = true;
      rest -= kFormatBytes;
    }
    at += kChunkHeaderBytes + size + (size & 1);
    // The last chunk's bytes (and a pad byte beyond the extent) go unread.
    if (at + kChunkHeaderBytes <= end && !source.skip(rest)) return WaveChunks::kDamaged;
  }
  return WaveChunks::kDamaged;
}

}  // namespace riff
