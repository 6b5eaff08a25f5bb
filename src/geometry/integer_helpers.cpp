#include "geometry/integer_helpers.h"

#include <cmath>
#include <limits>

uint64_t MultiplyWide(uint32_t a, uint32_t b) { return static_cast<uint64_t>(a) * b; }

// A divisor of 0 gives (0, 0) rather than a division fault; no caller
// passes one. A quotient beyond 32 bits keeps its low 32 bits.
UintPair ScaleDiv(uint32_t a, uint32_t b, uint32_t c) {
  if (b == 0) return {0, 0};
  uint64_t product = static_cast<uint64_t>(a) * c;
  return {static_cast<uint32_t>(product / b), static_cast<uint32_t>(product % b)};
}

// A divisor of 0 gives (0, 0); quotients beyond 32 bits keep their low 32.
IntPair ScalePair(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (c == 0) return {0, 0};
  int64_t p = static_cast<int64_t>(a) * d;
  int64_t q = static_cast<int64_t>(b) * d;
  return {static_cast<int32_t>(p / c), static_cast<int32_t>(q / c)};
}

IntPair PointDelta(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {static_cast<int32_t>(static_cast<uint32_t>(x2) - static_cast<uint32_t>(x1)),
          static_cast<int32_t>(static_cast<uint32_t>(y2) - static_cast<uint32_t>(y1))};
}

// The sum of squares wraps modulo 2^32 and is read as signed; a negative
// sum has no root and yields the integer-indefinite value INT32_MIN.
int32_t VectorLength(int32_t dx, int32_t dy) {
  uint32_t ux = static_cast<uint32_t>(dx), uy = static_cast<uint32_t>(dy);
  auto sum = static_cast<int32_t>(ux * ux + uy * uy);
  if (sum < 0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::lrint(std::sqrt(static_cast<double>(sum))));
}

UintPair HalvePair(uint32_t a, uint32_t b) { return {a >> 1, b >> 1}; }

// Negation wraps: the mirror of −2^31 is −2^31.
IntPair QuadrantMirror(int32_t dx, int32_t dy, uint32_t quadrant) {
  auto negate = [](int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); };
  switch (quadrant) {
    case 0: return {dx, 0};
    case 1: return {negate(dx), dy};
    case 2: return {negate(dx), negate(dy)};
    case 3: return {dx, negate(dy)};
    default: return {dx, dy};
  }
}

// Near edges compare signed, far edges unsigned: a negative coordinate lies
// beyond any far edge of zero or more, so it is outside.
int32_t PointInRect(int32_t px, int32_t py, int32_t left, int32_t top, int32_t width,
                    int32_t height) {
  if (px < left || py < top) return -1;
  uint32_t right = static_cast<uint32_t>(left) + static_cast<uint32_t>(width);
  uint32_t bottom = static_cast<uint32_t>(top) + static_cast<uint32_t>(height);
  if (static_cast<uint32_t>(px) > right || static_cast<uint32_t>(py) > bottom) return -1;
  return 1;
}
