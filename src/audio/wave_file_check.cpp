#include "audio/wave_file_check.h"

#include <cstring>
#include <vector>

#include "platform/win32.h"

namespace {

constexpr uint32_t kRiffHeader = 12;
constexpr uint32_t kChunkHeader = 8;
constexpr uint32_t kFormatBytes = 16;
constexpr DWORD kSkipBlock = 1 << 16;

uint32_t read_le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool has_tag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// Channels, rate and block alignment of a PCM-style format record.
bool format_plausible(const uint8_t* format) {
  uint32_t channels = format[2] | (format[3] << 8);
  uint32_t rate = read_le32(format + 4);
  uint32_t align = format[12] | (format[13] << 8);
  return channels != 0 && rate != 0 && align != 0;
}

// A wave file's bytes read from the start onwards, from memory or a file.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads the next bytes; false when fewer than count are there.
  virtual bool read(uint8_t* out, uint32_t count) = 0;
  // Passes over the next bytes; false when fewer than count are there.
  virtual bool skip(uint64_t count) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* bytes, uint32_t size) : bytes_(bytes), size_(size) {}
  bool read(uint8_t* out, uint32_t count) override {
    if (count > size_ - at_) return false;
    std::memcpy(out, bytes_ + at_, count);
    at_ += count;
    return true;
  }
  bool skip(uint64_t count) override {
    if (count > size_ - at_) return false;
    at_ += count;
    return true;
  }

 private:
  const uint8_t* bytes_;
  uint64_t size_;
  uint64_t at_ = 0;
};

// Reads the file in order, so that a chunk of any size between the headers
// costs no memory: it is read through in blocks and dropped.
class FileSource : public ByteSource {
 public:
  explicit FileSource(HANDLE file) : file_(file) {}
  bool read(uint8_t* out, uint32_t count) override {
    DWORD got = 0;
    return ReadFile(file_, out, count, &got, nullptr) && got == count;
  }
  bool skip(uint64_t count) override {
    std::vector<uint8_t> block(static_cast<size_t>(count < kSkipBlock ? count : kSkipBlock));
    for (uint64_t left = count; left > 0;) {
      auto part = static_cast<uint32_t>(left < kSkipBlock ? left : kSkipBlock);
      if (!read(block.data(), part)) return false;
      left -= part;
    }
    return true;
  }

 private:
  HANDLE file_;
};

// Every chunk must lie within the RIFF extent, and that within the file; a
// plausible format chunk must come before the data chunk.
WaveFileState check_chunks(ByteSource& source, uint64_t file_size) {
  uint8_t riff[kRiffHeader];
  if (!source.read(riff, kRiffHeader) || !has_tag(riff, "RIFF") || !has_tag(riff + 8, "WAVE"))
    return WaveFileState::kDamaged;
  uint64_t end = uint64_t{read_le32(riff + 4)} + 8;
  if (end > file_size) return WaveFileState::kDamaged;
  bool format_seen = false;
  for (uint64_t at = kRiffHeader; at + kChunkHeader <= end;) {
    uint8_t header[kChunkHeader];
    if (!source.read(header, kChunkHeader)) return WaveFileState::kDamaged;
    uint64_t size = read_le32(header + 4);
    if (size > end - at - kChunkHeader) return WaveFileState::kDamaged;
    if (has_tag(header, "data"))
      return format_seen ? WaveFileState::kSound : WaveFileState::kDamaged;
    uint64_t rest = size + (size & 1);
    if (has_tag(header, "fmt ")) {
      uint8_t format[kFormatBytes];
      if (size < kFormatBytes || !source.read(format, kFormatBytes) || !format_plausible(format))
        return WaveFileState::kDamaged;
      format_seen = true;
      rest -= kFormatBytes;
    }
    at += kChunkHeader + size + (size & 1);
    if (at + kChunkHeader <= end && !source.skip(rest)) return WaveFileState::kDamaged;
  }
  return WaveFileState::kDamaged;
}

}  // namespace

WaveFileState check_wave_image(const uint8_t* head, uint32_t head_size, uint32_t file_size) {
  MemorySource source(head, head_size);
  return check_chunks(source, file_size);
}

WaveFileState check_wave_file(const char* file_name) {
  HANDLE file = CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return WaveFileState::kMissing;
  DWORD size = GetFileSize(file, nullptr);
  FileSource source(file);
  WaveFileState state = size == 0xFFFFFFFF ? WaveFileState::kDamaged : check_chunks(source, size);
  CloseHandle(file);
  return state;
}
