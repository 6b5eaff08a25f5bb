// A looping animation kept as a column of frames on one Surface and played
// into the main window one frame per timer tick. The first tick draws the
// demo picture and stamps its shifted copies as the frames.
#pragma once

#include <cstdint>

#include "display/surface.h"
#include "platform/win32.h"

struct AnimationStrip {
  int32_t Left;  // where frames are shown in PlayerDC
  int32_t Top;
  int32_t FrameWidth;
  int32_t FrameHeight;
  Surface* FrameSurface;  // FrameWidth wide, FrameCount × FrameHeight high
  uint32_t Position;      // the next frame to show
  uint32_t FrameCount;
  uint32_t Rendered;  // non-zero once the frames are drawn
};
static_assert(sizeof(void*) != 4 || sizeof(AnimationStrip) == 32, "a strip is 32 bytes on 32-bit");

constexpr int32_t kDemoFrameCount = 36;  // copies stamped by RenderDemoScene
constexpr int32_t kDemoStep = 20;        // pixels a frame to the right, then back
constexpr int32_t kDemoTurnFrame = 18;   // the frame furthest to the right

extern AnimationStrip* ActiveStrip;
extern HDC PlayerDC;

AnimationStrip* CreateAnimationStrip(HWND window, int32_t x, int32_t y, int32_t frame_width,
                                     int32_t frame_height, int32_t frame_count);
void CALLBACK StripTimerProc(HWND window, UINT message, UINT_PTR timer_id, DWORD time);
void RenderDemoScene(AnimationStrip* strip);
