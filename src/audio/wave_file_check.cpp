#include "audio/wave_file_check.h"

#include <cstring>
#include <vector>

#include "platform/win32.h"

namespace {

// Every chunk header that matters lies in the first bytes of a wave file.
constexpr DWORD kHeadBytes = 1 << 20;
constexpr uint32_t kChunkHeader = 8;
constexpr uint32_t kFormatBytes = 16;

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

}  // namespace

WaveFileState check_wave_image(const uint8_t* head, uint32_t head_size, uint32_t file_size) {
  if (head_size < 12 || !has_tag(head, "RIFF") || !has_tag(head + 8, "WAVE"))
    return WaveFileState::kDamaged;
  uint64_t end = uint64_t{read_le32(head + 4)} + 8;
  if (end > file_size) return WaveFileState::kDamaged;
  bool format_seen = false;
  for (uint64_t at = 12; at + kChunkHeader <= end && at + kChunkHeader <= head_size;) {
    uint64_t size = read_le32(head + at + 4);
    if (size > end - at - kChunkHeader) return WaveFileState::kDamaged;
    if (has_tag(head + at, "data"))
      return format_seen ? WaveFileState::kSound : WaveFileState::kDamaged;
    if (has_tag(head + at, "fmt ")) {
      if (size < kFormatBytes || at + kChunkHeader + kFormatBytes > head_size ||
          !format_plausible(head + at + kChunkHeader))
        return WaveFileState::kDamaged;
      format_seen = true;
    }
    at += kChunkHeader + size + (size & 1);
  }
  return WaveFileState::kDamaged;
}

WaveFileState check_wave_file(const char* file_name) {
  HANDLE file = CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return WaveFileState::kMissing;
  DWORD size = GetFileSize(file, nullptr);
  std::vector<uint8_t> head(size < kHeadBytes ? size : kHeadBytes);
  DWORD read = 0;
  BOOL ok =
      head.empty() || ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok || size == 0xFFFFFFFF) return WaveFileState::kDamaged;
  return check_wave_image(head.data(), read, size);
}
