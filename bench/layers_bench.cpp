// The layer widgets beside memcpy of the bytes they move, in the same run: a
// code 1 repaint of 249 captioned layers (the background page into the back
// buffer and one band blit per layer), a text view's redraw of a full page of
// 80-column lines, and the creation of a text view. Needs a display: run
// under Xvfb.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/graphics_startup.h"
#include "display/surface.h"
#include "layers/captioned_layer.h"
#include "layers/layer_table.h"
#include "layers/startup.h"
#include "layers/text_view.h"
#include "memcpy_reference.h"
#include "raster/lines.h"
#include "support/plain_window.h"
#include "text/text_document.h"

namespace {

constexpr int32_t kLayerWidth = 60;
constexpr int32_t kLayerHeight = 40;
constexpr size_t kRepaintBytes = kPageBytes + size_t{kLayerSlots} * kLayerWidth * kLayerHeight * 4;
constexpr int32_t kViewWidth = 560;  // room for 80 columns of the 10-unit face
constexpr int32_t kViewHeight = 420;
// Band 0 from the background, the view into the work buffer and back.
constexpr size_t kRedrawBytes = size_t{3} * (kViewWidth + 1) * kViewHeight * 4;
// Three whole pages into the work buffer and five cuts into the Surfaces.
constexpr size_t kCreateBytes =
    3 * size_t{kPageBytes} + size_t{4} * (kViewWidth + 1) * kViewHeight * 4 + 20 * kViewHeight * 4;

uint8_t* background_page() { return static_cast<uint8_t*>(ScreenCanvas.Pixels) + kPageBytes; }

// Answers the repaint request as the interactive window does for codes 0
// and 1.
LRESULT CALLBACK repaint_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER) return DefWindowProcA(window, message, wParam, lParam);
  if (lParam == 0) {
    void* first_page = ScreenCanvas.Pixels;
    ScreenCanvas.Pixels = background_page();
    FillGradientRect(ScreenCanvas, -1, -1, kBufferWidth, kBufferHeight, 0x007F7F);
    ScreenCanvas.Pixels = first_page;
  }
  if (lParam == 0 || lParam == 1) {
    SetBitmapBits(BackBitmap, kPageBytes, background_page());
    for (uint32_t i = 0; i < LayerCount(); ++i) DrawLayer(static_cast<int32_t>(i));
  }
  return 0;
}

// A window of its own, with graphics start-up run once per process (on the
// first window that needs it).
HWND layer_window() {
  static HWND window = [] {
    HWND created =
        create_plain_window("PixwellLayerBench", repaint_procedure, WS_OVERLAPPEDWINDOW, 600, 480);
    if (BackDC == nullptr) GraphicsStartup(created);
    SelectIntoBuffers(CreateFontIndirectA(&SurfaceFont));
    return created;
  }();
  return window;
}

// 249 captioned layers tiled over the buffer.
void fill_table_with_captioned_layers() {
  if (LayerCount() == kLayerSlots && GetLayer(0)->Kind == kCaptionedLayerKind) return;
  ClearLayers();
  for (uint32_t i = 0; i < kLayerSlots; ++i)
    CreateCaptionedLayer(layer_window(), static_cast<int32_t>(i % 16) * 64,
                         static_cast<int32_t>(i / 16) * 48, kLayerWidth, kLayerHeight, 0x203040 + i,
                         nullptr);
}

void BM_Repaint249CaptionedLayers(benchmark::State& state) {
  fill_table_with_captioned_layers();
  SendMessageA(layer_window(), WM_USER, 0, 0);
  for (auto _ : state) SendMessageA(layer_window(), WM_USER, 0, 1);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kRepaintBytes));
}
void BM_MemcpyRepaint(benchmark::State& state) { move_bytes(state, kRepaintBytes); }

// A document of 200 lines of 80 printable columns each.
TextDocument* eighty_column_document() {
  static TextDocument* document = [] {
    std::string text;
    for (int line = 0; line < 200; ++line) {
      for (int column = 0; column < 80; ++column)
        text += static_cast<char>('!' + (line * 7 + column * 13) % 94);
      text += "\r\n";
    }
    std::string name = "layers_bench_text.txt";
    FILE* file = std::fopen(name.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    TextDocument* loaded = LoadTextDocument(name.c_str());
    std::remove(name.c_str());
    return loaded;
  }();
  return document;
}

void BM_RedrawTextViewFullPage(benchmark::State& state) {
  layer_window();
  ClearLayers();
  int32_t index = CreateTextView(layer_window(), 0, 0, kViewWidth, kViewHeight, 0x203048);
  AttachTextDocument(GetLayer(index), eighty_column_document());
  for (auto _ : state) RedrawTextView(index);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kRedrawBytes));
  ClearLayers();
}
void BM_MemcpyRedraw(benchmark::State& state) { move_bytes(state, kRedrawBytes); }

// Releases what a text view holds, so that iterations do not pile up memory.
void release_text_view(Layer* view) {
  for (Surface* surface : {view->Image, view->Background, view->StripSurface,
                           view->ScrollBarSurface, view->ShadeSurface})
    if (surface != nullptr) DestroySurface(surface);
  GlobalFree(view);
}

void BM_CreateTextView(benchmark::State& state) {
  layer_window();
  ClearLayers();
  for (auto _ : state) {
    int32_t index = CreateTextView(layer_window(), 0, 0, kViewWidth, kViewHeight, 0x203048);
    state.PauseTiming();
    release_text_view(GetLayer(index));
    ClearLayers();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kCreateBytes));
}
void BM_MemcpyCreate(benchmark::State& state) { move_bytes(state, kCreateBytes); }

BENCHMARK(BM_Repaint249CaptionedLayers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawTextViewFullPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreateTextView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyCreate)->Unit(benchmark::kMillisecond);

}  // namespace
