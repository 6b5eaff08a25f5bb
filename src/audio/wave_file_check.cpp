#include "audio/wave_file_check.h"

#include <vector>

#include "platform/riff/wave_chunks.h"
#include "platform/win32.h"

namespace {

constexpr DWORD kSkipBlock = 1 << 16;

// Reads the file in order, so that a chunk of any size between the headers
// costs no memory: it is read through in blocks and dropped.
class FileSource : public riff::ByteSource {
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

// A format without channels, rate or block size is as damaged as a lying size.
WaveFileState check_chunks(riff::ByteSource& source, uint64_t file_size) {
  riff::WaveFormat format;
  bool sound = riff::walk_wave_chunks(source, file_size, &format) == riff::WaveChunks::kSound;
  return sound ? WaveFileState::kSound : WaveFileState::kDamaged;
}

}  // namespace

WaveFileState check_wave_image(const uint8_t* head, uint32_t head_size, uint32_t file_size) {
  riff::MemorySource source(head, head_size);
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
