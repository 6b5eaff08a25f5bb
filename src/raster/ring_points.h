// The points of the ring routines: a first-quadrant sine or cosine of the
// angle table held as an exact fraction, and round(ρ × entry), halves to
// even, in integers. Shared by the ring walk and the disc maps, which must
// find exactly the same points.
#pragma once

#include <cstdint>

#include "geometry/scaled_entry.h"

namespace raster {

// An entry as mantissa ÷ 2^shift, both non-negative. Entries too small to
// move any radius by half a pixel (the cosine of 90 degrees is −2.5e−20)
// are held as zero.
struct QuarterEntry {
  int64_t mantissa;
  int32_t shift;
};

inline QuarterEntry quarter_entry(float entry) {
  geometry::ScaledEntry scaled = geometry::scaled_entry(entry);
  if (scaled.shift > 62 || scaled.mantissa <= 0) return {0, 1};
  return {scaled.mantissa, scaled.shift};
}

// round(product ÷ 2^shift), halves to even, for shift ≥ 1, and so
// round(radius × entry) for radius ≥ 0: adding half − 1 and the parity of the
// truncated quotient carries exactly when rounding up.
inline uint64_t round_shifted(uint64_t product, int32_t shift) {
  uint64_t parity = (product >> shift) & 1;
  uint64_t half = uint64_t{1} << (shift - 1);
  return (product + half - 1 + parity) >> shift;
}
inline int32_t quarter_round(int32_t radius, QuarterEntry entry) {
  auto product = static_cast<uint64_t>(radius) * static_cast<uint64_t>(entry.mantissa);
  return static_cast<int32_t>(round_shifted(product, entry.shift));
}

// One angle of a ring routine. The point of ring ρ is (ρ × sine, ρ × cosine),
// rounded.
struct RingAngle {
  QuarterEntry sine;
  QuarterEntry cosine;
};

constexpr int32_t kQuarterTurn = 900;

// The disc's angles 900 down to 1, in drawing order; made from the angle
// table on first use.
const RingAngle* disc_angles();

}  // namespace raster
