// The start-up path's drawing beside memcpy of the bytes it must move, in the
// same run: each compositing call (two 1024 by 768 blits and two whole-bitmap
// transfers of 3,145,728 bytes for the read-back calls, one transfer for the
// gradient rectangle), RenderDemoScene on a fresh strip, and one playing tick
// (a 550 by 350 blit to the window). Needs a display: run under Xvfb.
// Beside each compositing call, its pixman peer: the same moves done with
// pixman_blt on the same memory (the page's row order flipped one row per
// blit, as the whole-bitmap transfers do) and the primitive's pixman picture.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "app/animation_strip.h"
#include "display/compositing.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "layers/startup.h"
#include "memcpy_reference.h"
#include "pixman_peers.h"
#include "support/plain_window.h"

namespace {

constexpr size_t kPageBytes = 0x300000;
constexpr size_t kFrameBytes = 550 * 350 * 4;
constexpr size_t kReadBackCallBytes = 4 * kPageBytes;
constexpr size_t kGradientRectBytes = kPageBytes + 100 * 100 * 4;
// Three read-back calls, one gradient rectangle and 36 frame stamps.
constexpr size_t kDemoSceneBytes = 3 * kReadBackCallBytes + kGradientRectBytes + 36 * kFrameBytes;

// A window with graphics start-up run on it, once per process.
HWND bench_window() {
  static HWND window = [] {
    HWND created =
        create_plain_window("PixwellBench", DefWindowProcA, WS_OVERLAPPEDWINDOW, 600, 480);
    ShowWindow(created, SW_SHOWNORMAL);
    if (created != nullptr) GraphicsStartup(created);
    return created;
  }();
  return window;
}

Surface* frame_surface() {
  static Surface* surface = CreateSurface(bench_window(), 0, 0, 550, 12600);
  return surface;
}

void BM_CompositeGradientDisc(benchmark::State& state) {
  HDC dc = SurfaceDC(frame_surface());
  for (auto _ : state) CompositeGradientDisc(dc, 200, 100, 50, 0x00007F00);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kReadBackCallBytes));
}
void BM_CompositeBlendRect(benchmark::State& state) {
  HDC dc = SurfaceDC(frame_surface());
  for (auto _ : state) CompositeBlendRect(dc, 50, 0, 100, 100, 0x00777777, 0);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kReadBackCallBytes));
}
void BM_MemcpyReadBackCall(benchmark::State& state) { move_bytes(state, kReadBackCallBytes); }

void BM_CompositeGradientRect(benchmark::State& state) {
  HDC dc = SurfaceDC(frame_surface());
  for (auto _ : state) CompositeGradientRect(dc, 10, 150, 100, 100, 0x0000007F);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kGradientRectBytes));
}
void BM_MemcpyGradientRectCall(benchmark::State& state) { move_bytes(state, kGradientRectBytes); }

// Each iteration renders into a fresh strip, as the first tick does.
void BM_RenderDemoScene(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    AnimationStrip* strip = CreateAnimationStrip(bench_window(), 0, 0, 550, 350, 36);
    state.ResumeTiming();
    RenderDemoScene(strip);
    state.PauseTiming();
    DestroySurface(strip->FrameSurface);
    GlobalFree(strip);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kDemoSceneBytes));
}
void BM_MemcpyDemoScene(benchmark::State& state) { move_bytes(state, kDemoSceneBytes); }

void BM_PlayingTick(benchmark::State& state) {
  static AnimationStrip* strip = CreateAnimationStrip(bench_window(), 0, 0, 550, 350, 36);
  ActiveStrip = strip;
  PlayerDC = GetDC(bench_window());
  if (strip->Rendered == 0) StripTimerProc(nullptr, WM_TIMER, 1, 0);
  for (auto _ : state) StripTimerProc(nullptr, WM_TIMER, 1, 0);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFrameBytes));
}
void BM_MemcpyFrame(benchmark::State& state) { move_bytes(state, kFrameBytes); }

// The stores behind the bitmaps, for the pixman peers.
uint32_t* dib_bits(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  return static_cast<uint32_t*>(info.bmBits);
}

struct PeerStores {
  uint32_t* target = dib_bits(SurfaceBitmap(frame_surface()));  // 550 wide, bottom-up
  uint32_t* work = dib_bits(WorkBitmap);                        // 1024 wide, bottom-up
  uint32_t* canvas = static_cast<uint32_t*>(ScreenCanvas.Pixels);
};
constexpr int32_t kTargetWidth = 550, kTargetHeight = 12600;

// A bottom-up store's row y counted from the top.
int32_t stored_row(int32_t y, int32_t height) { return height - 1 - y; }

// The target's top-left 550 by 768 area into the work buffer and on into
// the canvas, and back: what BitBlt and the transfers do around a primitive.
void pixman_read_back(const PeerStores& s) {
  pixman_copy(s.target, kTargetWidth, s.work, kBufferWidth, 0,
              stored_row(kBufferHeight - 1, kTargetHeight), 0, 0, kTargetWidth, kBufferHeight);
  for (int32_t y = 0; y < kBufferHeight; ++y)
    pixman_copy(s.work, kBufferWidth, s.canvas, kBufferWidth, 0, stored_row(y, kBufferHeight), 0, y,
                kBufferWidth, 1);
}

void pixman_canvas_to_work(const PeerStores& s) {
  for (int32_t y = 0; y < kBufferHeight; ++y)
    pixman_copy(s.canvas, kBufferWidth, s.work, kBufferWidth, 0, y, 0, stored_row(y, kBufferHeight),
                kBufferWidth, 1);
}

void pixman_write_back(const PeerStores& s) {
  pixman_canvas_to_work(s);
  pixman_copy(s.work, kBufferWidth, s.target, kTargetWidth, 0, 0, 0,
              stored_row(kBufferHeight - 1, kTargetHeight), kTargetWidth, kBufferHeight);
}

// A read-back compositing call's peer: the page read back, the peer's
// drawing, the page written back.
template <typename Peer>
void run_read_back_peer(benchmark::State& state, Peer& peer) {
  PeerStores stores;
  for (auto _ : state) {
    pixman_read_back(stores);
    peer.draw();
    pixman_write_back(stores);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kReadBackCallBytes));
}

void BM_CompositeGradientDiscPixman(benchmark::State& state) {
  PixmanGradientDisc disc(ScreenCanvas, 200, 100, 50, 0x00007F00);
  run_read_back_peer(state, disc);
}

void BM_CompositeBlendRectPixman(benchmark::State& state) {
  PixmanBlendRect square(ScreenCanvas, 50, 0, 100, 100, 0x00777777);
  run_read_back_peer(state, square);
}

void BM_CompositeGradientRectPixman(benchmark::State& state) {
  PeerStores stores;
  PixmanGradientRect rect(ScreenCanvas, 0, 0, 100, 100, 0x0000007F);
  for (auto _ : state) {
    rect.draw();
    pixman_canvas_to_work(stores);
    // The work buffer's top-left 100 by 100 to (10, 150) of the target.
    pixman_copy(stores.work, kBufferWidth, stores.target, kTargetWidth, 0,
                stored_row(99, kBufferHeight), 10, stored_row(150 + 99, kTargetHeight), 100, 100);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kGradientRectBytes));
}

BENCHMARK(BM_CompositeGradientDisc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeGradientDiscPixman)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeBlendRect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeBlendRectPixman)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyReadBackCall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeGradientRect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeGradientRectPixman)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyGradientRectCall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderDemoScene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyDemoScene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayingTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
