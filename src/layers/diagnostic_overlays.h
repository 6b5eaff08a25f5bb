// Diagnostic text overlays: a column of frame-rate values and one layer's
// record address, kind tag, position and size, written with plain TextOutA
// in whatever colour, font and background mode the device context has.
#pragma once

#include <cstdint>

#include "platform/win32.h"

constexpr int32_t kFpsHistoryLength = 10;

// Unsigned decimal without leading zeros, then a zero byte (at most 11
// bytes); returns the digits written.
int32_t FormatDecimal(uint32_t value, char* buffer);
// Exactly eight upper-case hexadecimal digits and a zero byte.
void FormatHex8(uint32_t value, char* buffer);
// Drops the oldest of the ten values, appends the new one and prints them
// as "FPS:" rows, oldest on top. Nothing for a null history.
void DrawFpsHistory(HDC dc, uint32_t* history, uint32_t value);
// Prints into the back buffer; nothing for an index at or above the count.
void DrawLayerInfo(int32_t index, int32_t x, int32_t y);
