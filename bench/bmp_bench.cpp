// The BMP blitters beside their per-pixel versions, in the same run: a 300 x
// 300 image drawn and blended from its file, and the same image already in
// memory, which times the pixel conversion without the file read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "raster/bmp.h"
#include "reference/bmp_literal.h"
#include "support/canvas_buffer.h"

namespace {

constexpr uint32_t kImageSide = 300;
constexpr int32_t kX = 100;
constexpr int32_t kY = 50;

// A 300 x 300 24-bit BMP of random pixels.
const std::vector<uint8_t>& image_bytes() {
  static const std::vector<uint8_t> bytes = [] {
    uint32_t stride = (kImageSide * 3 + 3) / 4 * 4;
    std::vector<uint8_t> file(kBmpHeaderSize + size_t{stride} * kImageSide);
    auto put = [&](size_t offset, uint32_t value, int size) {
      for (int i = 0; i < size; ++i) file[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, 'B' | 'M' << 8, 2);
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, kBmpHeaderSize, 4);
    put(14, 40, 4);
    put(18, kImageSide, 4);
    put(22, kImageSide, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    std::mt19937 random(300);
    for (size_t i = kBmpHeaderSize; i < file.size(); ++i) file[i] = static_cast<uint8_t>(random());
    return file;
  }();
  return bytes;
}

const std::string& image_path() {
  static const std::string path = [] {
    std::string name = (std::filesystem::temp_directory_path() / "pixwell_bench_300.bmp").string();
    FILE* file = std::fopen(name.c_str(), "wb");
    std::fwrite(image_bytes().data(), 1, image_bytes().size(), file);
    std::fclose(file);
    return name;
  }();
  return path;
}

template <auto Blit>
void from_file(benchmark::State& state) {
  CanvasBuffer target(1024, 768, static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    Blit(image_path().c_str(), target.canvas(), 0, kX, kY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kImageSide * kImageSide);
}

template <auto Blit>
void from_memory(benchmark::State& state) {
  CanvasBuffer target(1024, 768, static_cast<int32_t>(state.range(0)));
  const std::vector<uint8_t>& bytes = image_bytes();
  for (auto _ : state) {
    Blit(bytes.data(), static_cast<uint32_t>(bytes.size()), target.canvas(), kX, kY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kImageSide * kImageSide);
}

BENCHMARK(from_file<DrawBmpFile>)->Name("BmpDrawFile/fast")->Arg(32)->Arg(16);
BENCHMARK(from_file<literal::DrawBmpFile>)->Name("BmpDrawFile/literal")->Arg(32)->Arg(16);
BENCHMARK(from_file<BlendBmpFile>)->Name("BmpBlendFile/fast")->Arg(32)->Arg(16);
BENCHMARK(from_file<literal::BlendBmpFile>)->Name("BmpBlendFile/literal")->Arg(32)->Arg(16);
BENCHMARK(from_memory<draw_bmp_bytes>)->Name("BmpDrawPixels/fast")->Arg(32)->Arg(16);
BENCHMARK(from_memory<literal::draw_bmp_bytes>)->Name("BmpDrawPixels/literal")->Arg(32)->Arg(16);
BENCHMARK(from_memory<blend_bmp_bytes>)->Name("BmpBlendPixels/fast")->Arg(32)->Arg(16);
BENCHMARK(from_memory<literal::blend_bmp_bytes>)->Name("BmpBlendPixels/literal")->Arg(32)->Arg(16);

}  // namespace
