#include "geometry/angle_table.h"

#include <cmath>
#include <limits>

#include "geometry/point_list.h"
#include "platform/win32.h"

float* AngleTable = nullptr;

// The quadruple-precision routines of GCC's libquadmath. They are declared
// here rather than through <quadmath.h>, which lives in GCC's private include
// folder where clang (the fuzzing build) does not look.
extern "C" {
__float128 cosq(__float128);
__float128 sinq(__float128);
__float128 tanq(__float128);
__float128 atan2q(__float128, __float128);
}

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
// Control word of a freshly reset x87 unit: round to nearest, 64-bit
// mantissa, every exception masked.
[[maybe_unused]] constexpr uint16_t kDefaultFpuControl = 0x037F;

float* cosine_array() { return AngleTable; }
float* sine_array() { return AngleTable + kAngleSteps; }
float* tangent_array() { return AngleTable + 2 * kAngleSteps; }

// Sines, cosines and tangents are evaluated in quadruple precision from the
// exact extended-precision angle, then rounded: every build of the program
// gets the correctly rounded entries, including the huge tangents next to
// 90 and 270 degrees, which depend on an exact reduction of the angle.
void reset_fpu() {
#if defined(__i386__) || defined(__x86_64__)
  __asm__ volatile("fldcw %0" : : "m"(kDefaultFpuControl));
#endif
}
long double exact_cos(long double v) {
  return static_cast<long double>(cosq(static_cast<__float128>(v)));
}
long double exact_sin(long double v) {
  return static_cast<long double>(sinq(static_cast<__float128>(v)));
}
long double exact_tan(long double v) {
  return static_cast<long double>(tanq(static_cast<__float128>(v)));
}

// Whether an extended-precision evaluation certainly rounds to the same
// single-precision entry as the exact value: it must lie well away from the
// midpoints between floats, by far more than its own error (a few units in
// the 64th bit, plus the reduction of an angle of up to 2π against a 66-bit
// π, which is why values near the zeros and poles, below 2^−10 or above 2^10,
// never qualify). Every entry is checked this way; the few that fail are
// evaluated in quadruple precision. Either way the entry is the correctly
// rounded one.
bool rounds_certainly(long double value) {
  long double magnitude = std::fabs(value);
  if (!(magnitude >= 0x1p-10L && magnitude <= 0x1p10L)) return false;
  float rounded = static_cast<float>(value);
  float neighbour = std::nextafter(rounded, value > rounded ? HUGE_VALF : -HUGE_VALF);
  long double midpoint = (static_cast<long double>(rounded) + neighbour) / 2;
  return std::fabs(value - midpoint) > magnitude * 0x1p-45L;
}

template <typename Fast, typename Exact>
float table_entry(long double theta, Fast fast, Exact exact) {
  long double value = fast(theta);
  if (rounds_certainly(value)) return static_cast<float>(value);
  reset_fpu();
  return static_cast<float>(exact(theta));
}

// The table entry of an angle: angles outside 0 .. 3599 are taken modulo a
// full turn, as 3600 .. 7199 are by PolarPoint, instead of reading beyond
// the table.
int32_t table_index(int32_t tenths) {
  int32_t index = tenths % kAngleSteps;
  return index < 0 ? index + kAngleSteps : index;
}

void attach_point_list(char* block) {
  PointStore = reinterpret_cast<Point3*>(block + kPointStoreOffset);
  PointCapacity = kPointSlots * static_cast<int32_t>(sizeof(Point3));
  PointListCount = 0;
}

}  // namespace

// A value that rounds outside the 32-bit range, or NaN, gives INT32_MIN, the
// integer-indefinite value of a floating-point to integer conversion.
// −2^31 − 0.5 rounds to the even −2^31; 2^31 − 0.5 rounds to 2^31.
int32_t RoundHalfEven(long double value) {
  if (!(value >= -2147483648.5L && value < 2147483647.5L))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::lrint(value));
}

void BuildAngleTable() {
  HGLOBAL block = GlobalAlloc(0x0F00, kAngleBlockSize);
  AngleTable = static_cast<float*>(GlobalLock(block));
  if (AngleTable == nullptr) return;
  // Quadruple precision for all 10,800 entries took 8.5 ms of start-up; the
  // extended-precision functions settle all but a handful of them.
  auto fast_cos = [](long double v) { return std::cos(v); };
  auto fast_sin = [](long double v) { return std::sin(v); };
  auto fast_tan = [](long double v) { return std::tan(v); };
  reset_fpu();
  for (int32_t t = 0; t < kAngleSteps; ++t) {
    long double theta = TenthsToRadians(t);
    cosine_array()[t] = table_entry(theta, fast_cos, exact_cos);
    sine_array()[t] = table_entry(theta, fast_sin, exact_sin);
    tangent_array()[t] = table_entry(theta, fast_tan, exact_tan);
  }
  attach_point_list(reinterpret_cast<char*>(AngleTable));
}

long double TenthsToRadians(int32_t tenths) {
  return (static_cast<long double>(tenths) / 10) * (kPi / 180);
}

float CosEntry(int32_t tenths) { return cosine_array()[table_index(tenths)]; }
float SinEntry(int32_t tenths) { return sine_array()[table_index(tenths)]; }
float TanEntry(int32_t tenths) { return tangent_array()[table_index(tenths)]; }

IntPair PolarPoint(int32_t radius, int32_t tenths) {
  tenths = table_index(tenths);
  long double r = radius;
  return {RoundHalfEven(r * cosine_array()[tenths]), RoundHalfEven(r * sine_array()[tenths])};
}

int32_t DivideByTan(int32_t a, int32_t tenths) {
  return RoundHalfEven(static_cast<long double>(a) / tangent_array()[table_index(tenths)]);
}

IntPair PolarPointExact(int32_t radius, int32_t tenths) {
  reset_fpu();
  long double theta = TenthsToRadians(tenths);
  long double r = radius;
  return {RoundHalfEven(r * exact_cos(theta)), RoundHalfEven(r * exact_sin(theta))};
}

IntPair PolarPointRad20(int32_t radius, int32_t twentieths_of_radian) {
  long double theta = static_cast<long double>(twentieths_of_radian) / 20;
  long double r = radius;
  return {RoundHalfEven(r * exact_cos(theta)), RoundHalfEven(r * exact_sin(theta))};
}

long double VectorAngle(int32_t y, int32_t x) { return static_cast<long double>(atan2q(y, x)); }

int32_t RadiansToUnits(long double radians) { return RoundHalfEven(radians * (3600 / kPi)); }

int32_t AngleOfVector(int32_t y, int32_t x) { return RadiansToUnits(VectorAngle(y, x)); }

IntPair RotatePoint(int32_t x, int32_t y, int32_t, int32_t, int32_t, int32_t third_angle) {
  IntPair rotated_x = PolarPoint(x, third_angle);
  IntPair rotated_y = PolarPoint(y, third_angle);
  return {static_cast<int32_t>(static_cast<uint32_t>(rotated_x.First) +
                               static_cast<uint32_t>(rotated_y.Second)),
          static_cast<int32_t>(static_cast<uint32_t>(rotated_y.First) -
                               static_cast<uint32_t>(rotated_x.Second))};
}
