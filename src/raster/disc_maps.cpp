#include "raster/disc_maps.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "geometry/integer_helpers.h"
#include "raster/pixel_access.h"
#include "raster/ring_points.h"

namespace raster {
namespace {

constexpr uint16_t kNoRing = 0xFFFF;
// What an entry costs beyond its arrays (list and index nodes, the record):
// counted so that even maps of tiny discs, or the remembered refusals of
// colours with undrawn rings, stay within the budget.
constexpr size_t kEntryOverhead = 128;

// A run of covered pixels on one row, relative to the centre; its cells
// start at `first` in the map's cell array.
struct Run {
  int32_t dy, dx, length;
  uint32_t first;
};

// Which ring writes each pixel of a disc of some radius last: the runs of
// covered pixels and, for each covered pixel, its ring.
struct RingMap {
  std::vector<Run> runs;
  std::vector<uint16_t> rings;
};

// The final cells of a disc of some radius, colour and depth.
struct ColourMap {
  std::vector<Run> runs;
  std::vector<unsigned char> cells;
  int cell_bytes;
};

// A map is made only when even its bounding square fits a quarter of the
// budget at the widest cell (and ring numbers fit their 16 bits).
constexpr bool fits_budget(int32_t radius) {
  if (radius >= kNoRing) return false;  // keeps the product below 2^64 too
  uint64_t side = 2 * static_cast<uint64_t>(radius) + 1;
  return side * side * (4 + sizeof(uint16_t)) <= kDiscMapBudgetBytes / 4;
}

constexpr int32_t kLargestMapRadius = [] {
  int32_t radius = 0;
  while (fits_budget(radius + 1)) ++radius;
  return radius;
}();

// The disc's angles as whole rings use them: every sine and cosine as a
// mantissa over one common power of two, so that ring ρ's products are ring
// ρ − 1's plus the mantissas, and all take the same shift. An entry that
// rounds to zero for every radius up to the largest map is held as zero:
// the others exceed 1 ÷ (2 × 511) > 2^−10, so the shift is at most 33 and a
// product stays below 2^42. The sines come first, in the angles' order; a
// cosine equal to the sine of the complementary angle (as the table makes
// them) is read from it rather than held again.
static_assert(kLargestMapRadius < 512);
class RingSteps {
 public:
  RingSteps() {
    const RingAngle* angles = disc_angles();
    auto rounds_to_zero = [](QuarterEntry entry) {
      return entry.mantissa <= 0 || static_cast<uint64_t>(entry.mantissa) * kLargestMapRadius <=
                                        uint64_t{1} << (entry.shift - 1);
    };
    for (int a = 0; a < kQuarterTurn; ++a)
      for (QuarterEntry entry : {angles[a].sine, angles[a].cosine})
        if (!rounds_to_zero(entry)) shift_ = std::max(shift_, entry.shift);
    auto scaled = [&](QuarterEntry entry) {
      return rounds_to_zero(entry)
                 ? 0
                 : static_cast<uint64_t>(entry.mantissa) << (shift_ - entry.shift);
    };
    for (int a = 0; a < kQuarterTurn; ++a) steps_.push_back(scaled(angles[a].sine));
    // Entry a is the angle 900 − a tenths, whose complement a is entry 900 − a.
    for (int a = 0; a < kQuarterTurn; ++a) {
      uint64_t step = scaled(angles[a].cosine);
      int complement = kQuarterTurn - a;
      if (complement < kQuarterTurn && steps_[static_cast<size_t>(complement)] == step) {
        y_of_[a] = static_cast<uint16_t>(complement);
      } else {
        y_of_[a] = static_cast<uint16_t>(steps_.size());
        steps_.push_back(step);
      }
    }
  }

  // Calls visit(ρ, cells, count) for each ring from `first` to `last`, with
  // the distinct cells (y × side + x) that its angles reach; last is at most
  // the largest map's radius.
  template <typename Visit>
  void rings(int32_t first, int32_t last, size_t side, Visit visit) const {
    const size_t count = steps_.size();
    std::vector<uint64_t> products(count);
    std::vector<uint32_t> rounded(count), rows(count);
    std::vector<uint32_t> cells(kQuarterTurn);
    for (size_t k = 0; k < count; ++k) products[k] = static_cast<uint64_t>(first) * steps_[k];
    const int32_t shift = shift_;
    const auto row = static_cast<uint32_t>(side);
    for (int32_t rho = first; rho <= last; ++rho) {
      for (size_t k = 0; k < count; ++k) {
        rounded[k] = static_cast<uint32_t>(round_shifted(products[k], shift));
        rows[k] = rounded[k] * row;
        products[k] += steps_[k];
      }
      // Along the angles x never grows and y never shrinks, so a point met
      // again is the one just met: only changes are kept, without a branch.
      // (A point met twice would only be entered twice.)
      size_t distinct = 0;
      uint32_t previous = UINT32_MAX;
      for (int a = 0; a < kQuarterTurn; ++a) {
        uint32_t cell = rows[y_of_[a]] + rounded[static_cast<size_t>(a)];
        cells[distinct] = cell;
        distinct += cell != previous;
        previous = cell;
      }
      visit(rho, cells.data(), distinct);
    }
  }

 private:
  std::vector<uint64_t> steps_;
  uint16_t y_of_[kQuarterTurn];  // the sines' entries are the angles
  int32_t shift_ = 1;
};

const RingSteps& ring_steps() {
  static const RingSteps steps;
  return steps;
}

// The innermost ring that visits each point of the first quadrant, over the
// rings drawn so far (0 up to the largest radius asked for). Rings walk from
// the rim inwards, so in a disc of radius R the point is written last by
// this ring when it is R or less, and by no ring otherwise: one table serves
// every radius. Points of the other quadrants are mirror images. At most
// (kLargestMapRadius + 1)^2 cells, beside the budget.
class FirstRings {
 public:
  // Enters every ring up to the radius, at most the largest map's: a point
  // keeps the smallest ring that reaches it.
  void reach(int32_t radius) {
    if (radius <= filled_) return;
    grow(static_cast<size_t>(radius) + 1);
    uint16_t* cells = cells_.data();
    ring_steps().rings(filled_ + 1, radius, side_,
                       [cells](int32_t rho, const uint32_t* points, size_t count) {
                         auto ring = static_cast<uint16_t>(rho);
                         for (size_t i = 0; i < count; ++i)
                           cells[points[i]] = std::min(cells[points[i]], ring);
                       });
    filled_ = radius;
  }
  // Row y's first rings, kNoRing where no ring entered so far reaches.
  const uint16_t* row(int32_t y) const { return cells_.data() + static_cast<size_t>(y) * side_; }
  void clear() {
    cells_ = {};
    side_ = 0;
    filled_ = -1;
  }

 private:
  // At least the side asked for and, up to the largest map, twice the old.
  void grow(size_t side) {
    if (side <= side_) return;
    side = std::max(side, std::min(2 * side_, static_cast<size_t>(kLargestMapRadius) + 1));
    std::vector<uint16_t> cells(side * side, kNoRing);
    for (size_t y = 0; y < side_; ++y)
      std::copy_n(cells_.data() + y * side_, side_, cells.data() + y * side);
    cells_.swap(cells);
    side_ = side;
  }

  std::vector<uint16_t> cells_;
  size_t side_ = 0;
  int32_t filled_ = -1;
};

// The quadrant's rows mirrored into full rows of the disc, cut into runs;
// a point whose first ring lies beyond the radius is not covered. Built in
// scratch space and copied out at its exact size, so the memory the budget
// counts is the memory held.
RingMap make_ring_map(const FirstRings& first_rings, int32_t radius) {
  const size_t side = static_cast<size_t>(radius) + 1;
  std::vector<uint16_t> row(2 * side - 1), rings;
  std::vector<Run> runs;
  rings.reserve(row.size() * row.size());
  for (int32_t dy = -radius; dy <= radius; ++dy) {
    const uint16_t* half = first_rings.row(dy < 0 ? -dy : dy);
    for (size_t x = 0; x < side; ++x)
      row[side - 1 + x] = row[side - 1 - x] = half[x] <= radius ? half[x] : kNoRing;
    for (size_t x = 0; x < row.size(); ++x) {
      if (row[x] == kNoRing) continue;
      size_t end = x;
      while (end < row.size() && row[end] != kNoRing) ++end;
      runs.push_back({dy, static_cast<int32_t>(x) - radius, static_cast<int32_t>(end - x),
                      static_cast<uint32_t>(rings.size())});
      rings.insert(rings.end(), row.begin() + static_cast<ptrdiff_t>(x),
                   row.begin() + static_cast<ptrdiff_t>(end));
      x = end;
    }
  }
  return RingMap{std::vector<Run>(runs.begin(), runs.end()),
                 std::vector<uint16_t>(rings.begin(), rings.end())};
}

// The colour of each ring, or false when some ring is not drawn: the rim
// keeps the caller's colour, ring radius − k (k ≥ 1) is base + base × (k − 1)
// div radius per component.
bool ring_colours(int32_t radius, uint32_t colour, int32_t depth, std::vector<uint32_t>& out) {
  RgbTriple base;
  UnpackColour(base, colour, depth);
  auto r = static_cast<uint32_t>(radius);
  out.assign(r + 1, 0);
  out[r] = colour;
  for (uint32_t k = 1; k <= r; ++k)
    out[r - k] = PackColour(base.Red + ScaleDiv(k - 1, r, base.Red).First,
                            base.Green + ScaleDiv(k - 1, r, base.Green).First,
                            base.Blue + ScaleDiv(k - 1, r, base.Blue).First, depth);
  for (uint32_t c : out)
    if (static_cast<int32_t>(c) <= 0) return false;
  return true;
}

template <typename Cell>
void paint_cells(const RingMap& rings, const std::vector<uint32_t>& colours, ColourMap& map) {
  map.cells.resize(rings.rings.size() * sizeof(Cell));
  auto* cells = reinterpret_cast<Cell*>(map.cells.data());
  for (size_t i = 0; i < rings.rings.size(); ++i)
    cells[i] = static_cast<Cell>(colours[rings.rings[i]]);
}

ColourMap make_colour_map(const RingMap& rings, const std::vector<uint32_t>& colours,
                          int32_t depth) {
  ColourMap map;
  map.runs = rings.runs;
  map.cell_bytes = depth == 32 ? 4 : 2;
  if (depth == 32)
    paint_cells<uint32_t>(rings, colours, map);
  else
    paint_cells<uint16_t>(rings, colours, map);
  return map;
}

size_t bytes_of(const RingMap& map) {
  return kEntryOverhead + map.runs.size() * sizeof(Run) + map.rings.size() * sizeof(uint16_t);
}
size_t bytes_of(const ColourMap& map) {
  return kEntryOverhead + map.runs.size() * sizeof(Run) + map.cells.size();
}

// Both kinds of map under one least-recently-used list. Keys: the radius for
// a ring map; radius, colour and depth for a colour map.
struct Key {
  int32_t radius;
  uint32_t colour;
  int32_t depth;  // 0 for a ring map
  bool operator==(const Key&) const = default;
};

struct KeyHash {
  size_t operator()(const Key& key) const {
    uint64_t mixed =
        (uint64_t{static_cast<uint32_t>(key.radius)} << 32 | key.colour) * 0x9E3779B97F4A7C15ull ^
        static_cast<uint64_t>(key.depth);
    return static_cast<size_t>(mixed ^ (mixed >> 29));
  }
};

struct Entry {
  Key key;
  std::unique_ptr<RingMap> rings;
  std::unique_ptr<ColourMap> colours;
  size_t bytes;
};

class MapStore {
 public:
  template <typename Make>
  Entry& find_or_make(const Key& key, Make make) {
    if (auto found = index_.find(key); found != index_.end()) {
      entries_.splice(entries_.begin(), entries_, found->second);
      return entries_.front();
    }
    entries_.push_front(make());
    index_[key] = entries_.begin();
    bytes_ += entries_.front().bytes;
    drop_beyond_budget();
    return entries_.front();
  }
  DiscMapUsage usage() const { return {bytes_, entries_.size(), map_fills_}; }
  void clear() {
    index_.clear();
    entries_.clear();
    bytes_ = 0;
  }
  void count_fill() { ++map_fills_; }
  FirstRings& first_rings() { return first_rings_; }
  std::mutex& lock() { return lock_; }

 private:
  // Drops the least recently used maps, never the newest one.
  void drop_beyond_budget() {
    while (bytes_ > kDiscMapBudgetBytes && entries_.size() > 1) {
      bytes_ -= entries_.back().bytes;
      index_.erase(entries_.back().key);
      entries_.pop_back();
    }
  }

  std::list<Entry> entries_;
  std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index_;
  size_t bytes_ = 0;
  uint64_t map_fills_ = 0;
  FirstRings first_rings_;
  std::mutex lock_;
};

MapStore& store() {
  static MapStore maps;
  return maps;
}

template <typename Cell>
void copy_runs(const Canvas& canvas, int32_t cx, int32_t cy, const ColourMap& map) {
  const auto* cells = reinterpret_cast<const Cell*>(map.cells.data());
  for (const Run& run : map.runs) {
    Cell* row = row_of<Cell>(canvas, static_cast<uint32_t>(cy) + static_cast<uint32_t>(run.dy));
    std::memcpy(row + (static_cast<uint32_t>(cx) + static_cast<uint32_t>(run.dx)),
                cells + run.first, static_cast<size_t>(run.length) * sizeof(Cell));
  }
}

}  // namespace

bool fill_disc_from_map(const Canvas& canvas, int32_t cx, int32_t cy, int32_t radius,
                        uint32_t colour) {
  int32_t depth = canvas.BitsPerPixel;
  if ((depth != 16 && depth != 32) || radius <= 0 || !fits_budget(radius)) return false;
  int64_t side = 2 * int64_t{radius} + 1;
  if (!rect_inside(canvas, int64_t{cx} - radius, int64_t{cy} - radius, side, side)) return false;
  MapStore& maps = store();
  std::lock_guard<std::mutex> hold(maps.lock());
  const Key key{radius, colour, depth};
  Entry& entry = maps.find_or_make(key, [&] {
    std::vector<uint32_t> colours;
    Entry made{key, nullptr, nullptr, kEntryOverhead};
    // A colour with an undrawn ring is remembered as such: the ring walk
    // draws it.
    if (!ring_colours(radius, colour, depth, colours)) return made;
    const Key ring_key{radius, 0, 0};
    Entry& ring_entry = maps.find_or_make(ring_key, [&] {
      maps.first_rings().reach(radius);
      auto rings = std::make_unique<RingMap>(make_ring_map(maps.first_rings(), radius));
      size_t bytes = bytes_of(*rings);
      return Entry{ring_key, std::move(rings), nullptr, bytes};
    });
    made.colours = std::make_unique<ColourMap>(make_colour_map(*ring_entry.rings, colours, depth));
    made.bytes = bytes_of(*made.colours);
    return made;
  });
  if (!entry.colours) return false;
  if (depth == 32)
    copy_runs<uint32_t>(canvas, cx, cy, *entry.colours);
  else
    copy_runs<uint16_t>(canvas, cx, cy, *entry.colours);
  maps.count_fill();
  return true;
}

DiscMapUsage disc_map_usage() {
  MapStore& maps = store();
  std::lock_guard<std::mutex> hold(maps.lock());
  return maps.usage();
}

void drop_disc_maps(FirstRingTable table) {
  MapStore& maps = store();
  std::lock_guard<std::mutex> hold(maps.lock());
  maps.clear();
  if (table == FirstRingTable::kDrop) maps.first_rings().clear();
}

}  // namespace raster
