// The platform layer's pixel transfers beside memcpy of the same bytes, in
// the same run: BitBlt of 1024 x 768 and 550 x 350 between bottom-up DIB
// sections (and pixman_blt of the same block), and whole-bitmap SetBitmapBits/GetBitmapBits of
// 3,145,728 bytes. Also the cadence of a 50 ms timer over 200 ticks and the CPU time of an idle
// message loop, reported as counters.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "pixman_peers.h"
#include "platform/win32.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr size_t kPageBytes = size_t{kWidth} * kHeight * 4;

struct DibBuffer {
  DibBuffer() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc = CreateCompatibleDC(nullptr);
    void* pixels = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<uint32_t*>(pixels);
    SelectObject(dc, bitmap);
    std::fill(bits, bits + kWidth * kHeight, 0x00336699u);
  }
  HDC dc;
  HBITMAP bitmap;
  uint32_t* bits;
};

DibBuffer& source() {
  static DibBuffer buffer;
  return buffer;
}

DibBuffer& target() {
  static DibBuffer buffer;
  return buffer;
}

void BM_BitBlt(benchmark::State& state) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  for (auto _ : state) {
    BitBlt(target().dc, 0, 0, width, height, source().dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * width * height * 4);
}
BENCHMARK(BM_BitBlt)->Args({1024, 768})->Args({550, 350});

// The reference: the same rows copied with memcpy.
void BM_BitBltMemcpyReference(benchmark::State& state) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  for (auto _ : state) {
    for (int y = 0; y < height; ++y)
      std::memcpy(target().bits + size_t{kWidth} * y, source().bits + size_t{kWidth} * y,
                  size_t(width) * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * width * height * 4);
}
BENCHMARK(BM_BitBltMemcpyReference)->Args({1024, 768})->Args({550, 350});

// The peer: pixman_blt of the same block. A bottom-up DIB keeps its top row
// last, so the block's rows are the last `height` rows of the store.
void BM_BitBltPixman(benchmark::State& state) {
  int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  int first_row = kHeight - height;
  for (auto _ : state) {
    if (!pixman_copy(source().bits, kWidth, target().bits, kWidth, 0, first_row, 0, first_row,
                     width, height)) {
      state.SkipWithError("pixman_blt has no path for this copy");
      break;
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * width * height * 4);
}
BENCHMARK(BM_BitBltPixman)->Args({1024, 768})->Args({550, 350});

void BM_SetBitmapBits(benchmark::State& state) {
  std::vector<uint32_t> page(kPageBytes / 4, 0x00112233u);
  for (auto _ : state) {
    SetBitmapBits(target().bitmap, kPageBytes, page.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * int64_t{kPageBytes});
}
BENCHMARK(BM_SetBitmapBits);

void BM_GetBitmapBits(benchmark::State& state) {
  std::vector<uint32_t> page(kPageBytes / 4, 0);
  for (auto _ : state) {
    GetBitmapBits(source().bitmap, kPageBytes, page.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * int64_t{kPageBytes});
}
BENCHMARK(BM_GetBitmapBits);

void BM_PageMemcpyReference(benchmark::State& state) {
  std::vector<uint32_t> page(kPageBytes / 4, 0x00112233u);
  for (auto _ : state) {
    std::memcpy(target().bits, page.data(), kPageBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t{state.iterations()} * int64_t{kPageBytes});
}
BENCHMARK(BM_PageMemcpyReference);

// --- Message loop figures: each runs once and reports counters. ---

std::vector<double> intervals;
double last_tick = 0;
int ticks = 0;
constexpr int kTicks = 200;

double now_ms() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

double cpu_ms() {
  timespec used{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
  return used.tv_sec * 1000.0 + used.tv_nsec / 1e6;
}

void CALLBACK record_tick(HWND, UINT, UINT_PTR, DWORD) {
  double now = now_ms();
  if (ticks > 0) intervals.push_back(now - last_tick);
  last_tick = now;
  if (++ticks > kTicks) PostQuitMessage(0);
}

void CALLBACK end_idle_loop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

HWND make_window() {
  static bool registered = [] {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(WNDCLASSEXA);
    description.lpfnWndProc = DefWindowProcA;
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = "PlatformBench";
    return RegisterClassExA(&description) != 0;
  }();
  (void)registered;
  HWND window = CreateWindowExA(0, "PlatformBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 480,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return window;
}

void run_loop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  size_t index =
      std::min(values.size() - 1, static_cast<size_t>(fraction * (values.size() - 1) + 0.5));
  return values[index];
}

void BM_TimerCadence50ms(benchmark::State& state) {
  for (auto _ : state) {
    HWND window = make_window();
    intervals.clear();
    ticks = 0;
    SetTimer(window, 1, 50, record_tick);
    run_loop();
    KillTimer(window, 1);
    DestroyWindow(window);
  }
  state.counters["median_ms"] = percentile(intervals, 0.5);
  state.counters["p99_ms"] = percentile(intervals, 0.99);
  state.counters["max_ms"] = percentile(intervals, 1.0);
  state.counters["min_ms"] = percentile(intervals, 0.0);
}
BENCHMARK(BM_TimerCadence50ms)->Iterations(1)->Unit(benchmark::kMillisecond);

// A shown window and no timer due for 3 seconds: the loop should sleep.
void BM_IdleMessageLoopCpu(benchmark::State& state) {
  double used = 0;
  for (auto _ : state) {
    HWND window = make_window();
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    SetTimer(window, 1, 3000, end_idle_loop);
    double start = cpu_ms();
    run_loop();
    used = cpu_ms() - start;
    DestroyWindow(window);
  }
  state.counters["cpu_ms_in_3s"] = used;
}
BENCHMARK(BM_IdleMessageLoopCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
