// Exact integer evaluation of round(r × entry) for a single-precision table
// entry: the product of a 32-bit radius and a 24-bit mantissa fits in 64
// bits, so the result equals the extended-precision product rounded half to
// even, without floating point. The disc drawing uses it for its 900 angles
// per ring.
#pragma once

#include <cmath>
#include <cstdint>

namespace geometry {

struct ScaledEntry {
  int64_t mantissa;  // the entry is mantissa ÷ 2^shift
  int32_t shift;
};

inline ScaledEntry scaled_entry(float entry) {
  int exponent = 0;
  float fraction = std::frexp(entry, &exponent);
  return {static_cast<int64_t>(std::ldexp(fraction, 24)), 24 - exponent};
}

// round(radius × entry), halves to even.
inline int32_t scaled_round(int32_t radius, ScaledEntry entry) {
  int64_t product = radius * entry.mantissa;
  if (entry.shift <= 0) return static_cast<int32_t>(product * (int64_t{1} << -entry.shift));
  if (entry.shift > 62) return 0;  // |product| < 2^55: far below one half
  uint64_t magnitude =
      product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  uint64_t quotient = magnitude >> entry.shift;
  uint64_t remainder = magnitude & ((uint64_t{1} << entry.shift) - 1);
  uint64_t half = uint64_t{1} << (entry.shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
  auto rounded = static_cast<uint32_t>(quotient);
  return static_cast<int32_t>(product < 0 ? 0 - rounded : rounded);
}

}  // namespace geometry
