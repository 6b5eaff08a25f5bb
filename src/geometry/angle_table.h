// Angles in tenths of a degree (0..3599 a full turn) and the table of their
// cosines, sines and tangents that the ring drawing reads instead of calling
// the trigonometric functions for every pixel.
#pragma once

#include <cstdint>

#include "geometry/integer_helpers.h"

constexpr int32_t kAngleSteps = 3600;
constexpr uint32_t kAngleBlockSize = 203968;
constexpr uint32_t kPointStoreOffset = 43200;

// Start of the angle block: the cosine array, then sine, then tangent.
extern float* AngleTable;

void BuildAngleTable();
long double TenthsToRadians(int32_t tenths);
float CosEntry(int32_t tenths);
float SinEntry(int32_t tenths);
float TanEntry(int32_t tenths);
IntPair PolarPoint(int32_t radius, int32_t tenths);  // (x, y) = (r cos, r sin)
int32_t DivideByTan(int32_t a, int32_t tenths);
IntPair PolarPointExact(int32_t radius, int32_t tenths);
IntPair PolarPointRad20(int32_t radius, int32_t twentieths_of_radian);
long double VectorAngle(int32_t y, int32_t x);
int32_t RadiansToUnits(long double radians);
int32_t AngleOfVector(int32_t y, int32_t x);
IntPair RotatePoint(int32_t x, int32_t y, int32_t z, int32_t first_angle, int32_t second_angle,
                    int32_t third_angle);

// Rounds to the nearest integer, halves to the even neighbour.
int32_t RoundHalfEven(long double value);
