// The rasterizer's fast primitives beside their literal per-pixel versions
// and pixman's pictures of the same pixels, on the same 1024 by 768 canvas,
// in the same run. Names are Primitive/fast, /literal, /pixman, and for the
// disc /span_fill, one colour over the same pixels: the floor of its cost,
// /cold, its first draw at a new radius, and /first, a process's first disc.
#include <benchmark/benchmark.h>

#include "pixman_peers.h"
#include "raster/disc_maps.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "raster/literal/raster_literal.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

CanvasBuffer& screen() {
  static CanvasBuffer buffer(1024, 768, 32);
  return buffer;
}

constexpr int32_t kDiscX = 400, kDiscY = 380;

template <auto Fill>
void gradient_rect(benchmark::State& state) {
  auto w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  for (auto _ : state) {
    Fill(screen().canvas(), 10, 10, w, h, 0x7F);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void gradient_rect_pixman(benchmark::State& state) {
  auto w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  PixmanGradientRect peer(screen().canvas(), 10, 10, w, h, 0x7F);
  for (auto _ : state) {
    peer.draw();
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

void blend_rect_pixman(benchmark::State& state) {
  auto w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  PixmanBlendRect peer(screen().canvas(), 10, 10, w, h, 0x777777);
  for (auto _ : state) {
    peer.draw();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

template <auto Fill>
void gradient_disc(benchmark::State& state) {
  ensure_angle_table();
  auto r = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    Fill(screen().canvas(), kDiscX, kDiscY, r, 0x7F00);
    benchmark::ClobberMemory();
  }
}

// The first draw at a radius: the maps kept from earlier draws are dropped
// before each one (a few frees, timed with it), as when the Lab's gallery
// gives its disc a new radius every frame. /cold keeps the table of first
// rings that earlier draws filled; /first drops it too, as for the first
// disc a process draws.
template <raster::FirstRingTable Table>
void gradient_disc_cold(benchmark::State& state) {
  ensure_angle_table();
  auto r = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    raster::drop_disc_maps(Table);
    FillGradientDisc(screen().canvas(), kDiscX, kDiscY, r, 0x7F00);
    benchmark::ClobberMemory();
  }
}

void gradient_disc_pixman(benchmark::State& state) {
  auto r = static_cast<int32_t>(state.range(0));
  PixmanGradientDisc peer(screen().canvas(), kDiscX, kDiscY, r, 0x7F00);
  for (auto _ : state) {
    peer.draw();
    benchmark::ClobberMemory();
  }
}

void gradient_disc_span_fill(benchmark::State& state) {
  auto r = static_cast<int32_t>(state.range(0));
  std::vector<DiscSpan> spans = literal_disc_spans(kDiscX, kDiscY, r);
  for (auto _ : state) {
    fill_spans(screen().canvas(), spans, 0x7F00);
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

void rect_sizes(benchmark::internal::Benchmark* b) { b->Args({100, 100})->Args({1000, 700}); }
void disc_radii(benchmark::internal::Benchmark* b) { b->Arg(50)->Arg(300); }

BENCHMARK(gradient_rect<FillGradientRect>)->Name("FillGradientRect/fast")->Apply(rect_sizes);
BENCHMARK(gradient_rect<literal::FillGradientRect>)
    ->Name("FillGradientRect/literal")
    ->Apply(rect_sizes);
BENCHMARK(gradient_rect_pixman)->Name("FillGradientRect/pixman")->Apply(rect_sizes);
BENCHMARK(blend_rect<FillBlendRect>)->Name("FillBlendRect/fast")->Apply(rect_sizes);
BENCHMARK(blend_rect<literal::FillBlendRect>)->Name("FillBlendRect/literal")->Apply(rect_sizes);
BENCHMARK(blend_rect_pixman)->Name("FillBlendRect/pixman")->Apply(rect_sizes);
BENCHMARK(gradient_disc<FillGradientDisc>)->Name("FillGradientDisc/fast")->Apply(disc_radii);
BENCHMARK(gradient_disc<literal::FillGradientDisc>)
    ->Name("FillGradientDisc/literal")
    ->Apply(disc_radii);
BENCHMARK(gradient_disc_cold<raster::FirstRingTable::kKeep>)
    ->Name("FillGradientDisc/cold")
    ->Apply(disc_radii);
BENCHMARK(gradient_disc_cold<raster::FirstRingTable::kDrop>)
    ->Name("FillGradientDisc/first")
    ->Apply(disc_radii);
BENCHMARK(gradient_disc_pixman)->Name("FillGradientDisc/pixman")->Apply(disc_radii);
BENCHMARK(gradient_disc_span_fill)->Name("FillGradientDisc/span_fill")->Apply(disc_radii);
BENCHMARK(line<DrawLine>)->Name("DrawLine/fast");
BENCHMARK(line<literal::DrawLine>)->Name("DrawLine/literal");

}  // namespace
