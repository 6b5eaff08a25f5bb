// Graded discs from maps of final colours. Which ring writes a pixel last
// depends only on the radius, so for a disc wholly on the canvas whose rings
// are all drawn, the picture is a fixed set of row runs whose colours follow
// from the radius, the colour and the depth. Those runs are built once and
// kept (within a memory budget, least recently used dropped first), and a
// disc is then copied onto the canvas run by run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/canvas.h"

namespace raster {

// The most memory the maps hold together; a map that would take more than a
// quarter of it is not made (such discs take the ring walk). One table of
// the ring that writes each point last, shared by all radii, comes beside
// it: at most 350 KB, held for as long as the process runs.
constexpr size_t kDiscMapBudgetBytes = size_t{16} << 20;

// Draws the disc from its map and returns true when it lies wholly on the
// canvas, every ring of it is drawn and its map fits the budget; otherwise
// draws nothing and returns false.
bool fill_disc_from_map(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                        uint32_t colour);

struct DiscMapUsage {
  size_t bytes;        // held by all maps now
  size_t maps;         // maps held now
  uint64_t map_fills;  // discs drawn from maps so far
};
DiscMapUsage disc_map_usage();

// Drops every map, so that the next disc of each radius is made afresh (the
// benchmarks time that first draw with it). The table of the ring that
// writes each point last, which serves all radii up to the largest drawn,
// is kept or dropped as asked.
enum class FirstRingTable { kKeep, kDrop };
void drop_disc_maps(FirstRingTable table);

}  // namespace raster
