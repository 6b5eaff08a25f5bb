// The rasterizer's fast primitives beside their literal per-pixel versions,
// on the same canvas, in the same run.
#include <benchmark/benchmark.h>

#include "geometry/angle_table.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "reference/raster_literal.h"
#include "support/canvas_buffer.h"

namespace {

void ensure_table() {
  static const bool built = (BuildAngleTable(), true);
  (void)built;
}

CanvasBuffer& screen() {
  static CanvasBuffer buffer(1024, 768, 32);
  return buffer;
}

template <auto Fill>
void gradient_rect(benchmark::State& state) {
  auto w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  for (auto _ : state) {
    Fill(screen().canvas(), 10, 10, w, h, 0x7F);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

template <auto Fill>
void blend_rect(benchmark::State& state) {
  auto w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  for (auto _ : state) {
    Fill(screen().canvas(), 10, 10, w, h, 0x777777, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

template <auto Fill>
void gradient_disc(benchmark::State& state) {
  ensure_table();
  auto r = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    Fill(screen().canvas(), 400, 380, r, 0x7F00);
    benchmark::ClobberMemory();
  }
}

template <auto Draw>
void line(benchmark::State& state) {
  for (auto _ : state) {
    Draw(screen().canvas(), 3, 5, 1000, 700, 0xFFFFFF);
    Draw(screen().canvas(), 1000, 20, 10, 20, 0xFFFFFF);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(gradient_rect<FillGradientRect>)
    ->Name("FillGradientRect/fast")
    ->Args({100, 100})
    ->Args({1000, 700});
BENCHMARK(gradient_rect<literal::FillGradientRect>)
    ->Name("FillGradientRect/literal")
    ->Args({100, 100})
    ->Args({1000, 700});
BENCHMARK(blend_rect<FillBlendRect>)
    ->Name("FillBlendRect/fast")
    ->Args({100, 100})
    ->Args({1000, 700});
BENCHMARK(blend_rect<literal::FillBlendRect>)
    ->Name("FillBlendRect/literal")
    ->Args({100, 100})
    ->Args({1000, 700});
BENCHMARK(gradient_disc<FillGradientDisc>)->Name("FillGradientDisc/fast")->Arg(50)->Arg(300);
BENCHMARK(gradient_disc<literal::FillGradientDisc>)
    ->Name("FillGradientDisc/literal")
    ->Arg(50)
    ->Arg(300);
BENCHMARK(line<DrawLine>)->Name("DrawLine/fast");
BENCHMARK(line<literal::DrawLine>)->Name("DrawLine/literal");

}  // namespace
