// The pixel loupe, on every page: the pixels round the pointer as the
// window shows them, magnified, and the exact value of the one under it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

constexpr int32_t kLoupeReach = 6;  // pixels each side of the pointer
constexpr int32_t kLoupeScale = 8;

// "(x, y) 0x00RRGGBB": a pixel of a 1024 by 768 picture in the back
// buffer's 0x00RRGGBB, or what lies off it.
std::string BackBufferReadout(const uint32_t* frame, POINT point);
// Draws the magnified pixels of frame round the point and the readout
// beside the pointer onto dc; with no frame, the readout alone.
void DrawLoupe(HDC dc, const uint32_t* frame, POINT point, const std::string& readout);
