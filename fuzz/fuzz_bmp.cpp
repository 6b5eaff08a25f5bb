// Feeds arbitrary files to DrawBmpFile and BlendBmpFile. The first three
// bytes of an input choose the position: x and y as signed bytes, and two
// flags that move x or y next to the end of the 32-bit range; the rest is the
// file, drawn with both blitters onto small canvases at 16 and 32 bits.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "raster/bmp.h"

namespace {

constexpr size_t kPositionBytes = 3;
constexpr uint32_t kCanvasWidth = 24;
constexpr uint32_t kCanvasHeight = 20;
constexpr uint32_t kNearEnd = 0x7FFFFFF0u;

// One scratch file per process, rewritten for every input and removed when
// the process exits.
const char* scratch_path() {
  static char name[] = "/tmp/fuzz_bmp_XXXXXX";
  static const bool made = [] {
    int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    std::atexit([] { unlink(name); });
    return true;
  }();
  (void)made;
  return name;
}

void write_scratch(const uint8_t* bytes, size_t size) {
  FILE* file = std::fopen(scratch_path(), "wb");
  if (file == nullptr) std::abort();
  if (size != 0 && std::fwrite(bytes, 1, size, file) != size) std::abort();
  std::fclose(file);
}

int32_t position(uint8_t byte, bool near_end) {
  uint32_t value = static_cast<uint32_t>(static_cast<int8_t>(byte));
  return static_cast<int32_t>(near_end ? value + kNearEnd : value);
}

void blit_at_depth(int32_t depth, int32_t x, int32_t y) {
  std::vector<uint32_t> store(kCanvasWidth * kCanvasHeight, 0x5A5A5A5Au);
  Canvas canvas{store.data(), kCanvasWidth, kCanvasHeight, depth};
  DrawBmpFile(scratch_path(), canvas, 0, x, y);
  BlendBmpFile(scratch_path(), canvas, 0, x, y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kPositionBytes) return 0;
  int32_t x = position(data[0], data[2] & 1);
  int32_t y = position(data[1], data[2] & 2);
  write_scratch(data + kPositionBytes, size - kPositionBytes);
  blit_at_depth(16, x, y);
  blit_at_depth(32, x, y);
  return 0;
}
