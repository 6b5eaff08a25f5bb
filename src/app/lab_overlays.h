// What Pixwell Lab writes over its layers and its scene: the frame-rate
// rows, the selected layer's description, the help lines and the status
// line. In layer mode they go into the back buffer before it is shown, over
// areas that no layer covers and that are restored from a copy every time,
// so they never flicker or pile up; over the scene they go onto the window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

struct LabOverlayText {
  const uint32_t* FpsHistory;  // ten values, oldest first
  const char* const* HelpLines;
  int HelpLineCount;
  const std::string* Status;
};

// Keeps a copy of the back buffer's overlay areas; call after the first
// rebuild of the back buffer.
void KeepOverlayBackground(HWND window);
// Writes the overlays into the back buffer (layer mode) or onto the window.
void DrawLabOverlays(HDC dc, const LabOverlayText& text);
