// The RIFF chunk walk that both the program's wave check and the Linux
// layer's loader rely on, on wave images built byte by byte.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/riff/wave_chunks.h"

namespace {

using riff::WaveChunks;

std::string le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string chunk(const char* tag, const std::string& body, bool pad = true) {
  std::string bytes = tag + le32(static_cast<uint32_t>(body.size())) + body;
  return pad && body.size() % 2 == 1 ? bytes + '\0' : bytes;
}

std::string le16(uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

// 16-bit PCM, 22,050 Hz, the given number of channels.
std::string format_body(uint16_t channels) {
  return le16(1) + le16(channels) + le32(22050) + le32(22050u * 2 * channels) +
         le16(static_cast<uint16_t>(2 * channels)) + le16(16);
}

std::string wave(const std::string& chunks) {
  return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

WaveChunks walk(const std::string& file, riff::WaveFormat* format = nullptr) {
  riff::WaveFormat ignored;
  riff::MemorySource source(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  return riff::walk_wave_chunks(source, file.size(), format ? format : &ignored);
}

const std::string kData = chunk("data", std::string(8, '\0'));

TEST(WaveChunkWalk, FollowsOddChunksByTheirPadByte) {
  std::string list = chunk("LIST", "INFOx");  // 5 bytes and a pad byte
  riff::WaveFormat format;
  EXPECT_EQ(walk(wave(list + chunk("fmt ", format_body(2)) + kData), &format), WaveChunks::kSound);
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.rate, 22050u);
  EXPECT_EQ(format.block_align, 4);
  // Without the pad byte the next header is read one byte early.
  std::string unpadded = chunk("LIST", "INFOx", false);
  EXPECT_EQ(walk(wave(unpadded + chunk("fmt ", format_body(2)) + kData)), WaveChunks::kDamaged);
}

TEST(WaveChunkWalk, RefusesWhatAPlayerCouldNotTrust) {
  std::string format = chunk("fmt ", format_body(1));
  std::string good = wave(format + kData);
  struct Case {
    const char* what;
    std::string file;
    WaveChunks expected;
  };
  std::string riff_short_of_the_data = good;
  // The data chunk's header lies inside the RIFF extent, its bytes beyond it.
  riff_short_of_the_data.replace(4, 4, le32(static_cast<uint32_t>(4 + format.size() + 8 + 4)));
  const Case cases[] = {
      {"a file with bytes after the RIFF extent", good + "trailing", WaveChunks::kSound},
      {"data before the format", wave(kData + format), WaveChunks::kDamaged},
      {"a format chunk of 14 bytes", wave(chunk("fmt ", format_body(1).substr(0, 14)) + kData),
       WaveChunks::kDamaged},
      {"a data chunk crossing the RIFF end", riff_short_of_the_data, WaveChunks::kDamaged},
      {"no channels", wave(chunk("fmt ", format_body(0)) + kData), WaveChunks::kEmptyFormat},
  };
  for (const Case& c : cases) EXPECT_EQ(walk(c.file), c.expected) << c.what;
}

// A file whose middle is a gap that can only be skipped: reading any of it
// fails, as holding a padding chunk in memory would.
class GappedSource : public riff::ByteSource {
 public:
  GappedSource(std::string head, uint64_t gap, std::string tail)
      : head_(std::move(head)), gap_(gap), tail_(std::move(tail)) {}
  uint64_t size() const { return head_.size() + gap_ + tail_.size(); }
  bool read(uint8_t* out, uint32_t count) override {
    for (uint32_t i = 0; i < count; ++i, ++at_) {
      if (at_ < head_.size()) {
        out[i] = static_cast<uint8_t>(head_[at_]);
      } else if (at_ >= head_.size() + gap_ && at_ < size()) {
        out[i] = static_cast<uint8_t>(tail_[at_ - head_.size() - gap_]);
      } else {
        return false;
      }
    }
    return true;
  }
  bool skip(uint64_t count) override {
    if (count > size() - at_) return false;
    at_ += count;
    return true;
  }

 private:
  std::string head_;
  uint64_t gap_;
  std::string tail_;
  uint64_t at_ = 0;
};

TEST(WaveChunkWalk, PassesOverAPaddingChunkOfGibibytesWithoutReadingIt) {
  constexpr uint64_t kGap = uint64_t{3} << 30;
  std::string format = chunk("fmt ", format_body(2));
  std::string tail = kData;
  uint32_t riff_size = static_cast<uint32_t>(4 + format.size() + 8 + kGap + tail.size());
  std::string head =
      "RIFF" + le32(riff_size) + "WAVE" + format + "JUNK" + le32(static_cast<uint32_t>(kGap));
  GappedSource source(head, kGap, tail);
  riff::WaveFormat read;
  EXPECT_EQ(riff::walk_wave_chunks(source, source.size(), &read), WaveChunks::kSound);
  EXPECT_EQ(read.channels, 2);
}

}  // namespace
