// The chunk walk of a RIFF WAVE file, shared by the program's own check of
// wave files and the Linux layer's wave loader. It knows no target: the
// file's bytes come through a ByteSource, from memory or read from a file.
#pragma once

#include <cstdint>

namespace riff {

// A file's bytes, read in order from its start.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads the next count bytes; false when fewer are there.
  virtual bool read(uint8_t* out, uint32_t count) = 0;
  // Passes over the next count bytes; false when fewer are there.
  virtual bool skip(uint64_t count) = 0;
};

// A file, or its first bytes, held in memory.
class MemorySource final : public ByteSource {
 public:
  MemorySource(const uint8_t* bytes, uint64_t size) : bytes_(bytes), size_(size) {}
  bool read(uint8_t* out, uint32_t count) override;
  bool skip(uint64_t count) override;

 private:
  const uint8_t* bytes_;
  uint64_t size_;
  uint64_t at_ = 0;
};

// The fields of a format chunk that every wave encoding has.
struct WaveFormat {
  uint16_t format_tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;  // frames per second
  uint16_t block_align = 0;
};

enum class WaveChunks {
  kSound,        // a format chunk, then a data chunk, all within the file
  kEmptyFormat,  // a format chunk with no channels, no rate or no block size
  kDamaged,      // anything else: not RIFF WAVE, cut short, or sizes that lie
};

// Walks the chunk headers of a wave file of file_size bytes from its start to
// its data chunk. Every chunk must lie within the RIFF extent and that within
// the file, and a format chunk of at least 16 bytes must come before the
// data; on kSound, *format is the last such chunk's. Chunks between the
// headers are passed over, never held, so a padding chunk of any size costs
// nothing but the reading.
WaveChunks walk_wave_chunks(ByteSource& source, uint64_t file_size, WaveFormat* format);

}  // namespace riff
