// Graded discs drawn from maps of final colours against the literal ring
// walk: every radius up to 300 at both depths with the disc touching all four
// canvas edges (drawn from a map as it is made, and every tenth radius again
// from the kept copy), one pixel across an edge or a corner (the ring walk), colours whose
// rings are not all drawn, and the maps' memory held within its budget.
#include "raster/disc_maps.h"

#include <gtest/gtest.h>

#include <random>

#include "raster/discs.h"
#include "raster/literal/raster_literal.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"
#include "support/picture_diff.h"

namespace {

class DiscMaps : public testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { ensure_angle_table(); }

  // Two canvases of the same size with the same random background.
  void make_pair(uint32_t width, uint32_t height) {
    fast_ = std::make_unique<CanvasBuffer>(width, height, GetParam());
    slow_ = std::make_unique<CanvasBuffer>(width, height, GetParam());
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) {
        uint32_t c = random_();
        PutPixel(fast_->canvas(), int32_t(x), int32_t(y), c);
        PutPixel(slow_->canvas(), int32_t(x), int32_t(y), c);
      }
  }
  // A colour whose every ring is drawn at this depth: components of 1 to
  // 127 (0 to 127 for all but one), never zero after packing.
  uint32_t drawn_colour() {
    uint32_t c = random_() & 0x7F7F7F;
    return GetParam() == 32 ? (c | 0x000100) : ((c & 0x7BDF) | 0x0040);
  }
  void draw_both(int32_t cx, int32_t cy, int32_t r, uint32_t colour) {
    FillGradientDisc(fast_->canvas(), cx, cy, r, colour);
    literal::FillGradientDisc(slow_->canvas(), cx, cy, r, colour);
  }
  static uint64_t map_fills() { return raster::disc_map_usage().map_fills; }

  std::mt19937 random_{2024};
  std::unique_ptr<CanvasBuffer> fast_, slow_;
};

TEST_P(DiscMaps, EveryRadiusTouchingAllFourEdgesComesFromAMap) {
  for (int32_t r = 1; r <= 300; ++r) {
    auto side = static_cast<uint32_t>(2 * r + 1);
    uint32_t colour = drawn_colour();
    int passes = r % 10 == 0 ? 2 : 1;  // a tenth drawn again from the kept map
    for (int pass = 0; pass < passes; ++pass) {
      make_pair(side, side);
      uint64_t before = map_fills();
      draw_both(r, r, r, colour);
      ASSERT_EQ(map_fills(), before + 1) << "radius " << r;
      ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
          << "radius " << r << " colour " << colour;
    }
  }
}

TEST_P(DiscMaps, EveryFifthRadiusOnePixelAcrossAnEdgeOrACorner) {
  static constexpr int32_t kShifts[8][2] = {{-1, 0},  {1, 0}, {0, -1}, {0, 1},
                                            {-1, -1}, {1, 1}, {-1, 1}, {1, -1}};
  for (int32_t r = 1; r <= 300; r += (r < 10 ? 1 : 5)) {
    auto side = static_cast<uint32_t>(2 * r + 1);
    const int32_t* shift = kShifts[r % 8];
    make_pair(side, side);
    uint64_t before = map_fills();
    draw_both(r + shift[0], r + shift[1], r, drawn_colour());
    ASSERT_EQ(map_fills(), before) << "radius " << r;  // the ring walk, with its strays
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture()) << "radius " << r;
  }
}

// The rim's colour is negative, or an inner ring's colour wraps to zero: those
// rings are not drawn, and the disc is the ring walk's.
TEST_P(DiscMaps, ColoursWithUndrawnRingsMatchTheLiteralWalk) {
  struct Case {
    int32_t r;
    uint32_t colour32, colour16;
  };
  // Green 200 over 50 rings: 200 + 200 × 14 div 50 = 256 wraps to 0 at k = 15.
  // At 16 bits, blue 0x20 unpacks to 256, whose rings pack to zero blue.
  const Case cases[] = {{50, 0x00C800, 0x0020},
                        {37, 0x80102030u, 0x80000841u},
                        {120, 0x00C800, 0x0020},
                        {9, 0xFF000001u, 0xFFFF0001u},
                        {300, 0x00C8C8, 0x0020}};
  for (const Case& c : cases) {
    uint32_t colour = GetParam() == 32 ? c.colour32 : c.colour16;
    auto side = static_cast<uint32_t>(2 * c.r + 5);
    make_pair(side, side);
    uint64_t before = map_fills();
    draw_both(c.r + 2, c.r + 2, c.r, colour);
    EXPECT_EQ(map_fills(), before) << c.r;
    ASSERT_SAME_PICTURE(slow_->picture(), fast_->picture())
        << "radius " << c.r << " colour " << colour;
  }
}

TEST_P(DiscMaps, MemoryStaysWithinTheBudgetOverManyRadiiAndColours) {
  CanvasBuffer canvas(840, 840, GetParam());
  size_t most = 0;
  for (int32_t r = 1; r <= 417; r += 2)
    for (int i = 0; i < 3; ++i) {
      uint32_t colour = i == 2 ? 0x80000000u | random_() : drawn_colour();
      FillGradientDisc(canvas.canvas(), 419, 419, r, colour);
      raster::DiscMapUsage usage = raster::disc_map_usage();
      ASSERT_LE(usage.bytes, raster::kDiscMapBudgetBytes) << "radius " << r;
      most = std::max(most, usage.bytes);
    }
  // Far more than the budget was asked for, so maps were dropped on the way.
  EXPECT_GT(most, raster::kDiscMapBudgetBytes / 2);
}

INSTANTIATE_TEST_SUITE_P(Depths, DiscMaps, testing::Values(16, 32),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
