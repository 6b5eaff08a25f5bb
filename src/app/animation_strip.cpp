#include "app/animation_strip.h"

#include <algorithm>

#include "display/compositing.h"
#include "geometry/integer_helpers.h"

AnimationStrip* ActiveStrip;
HDC PlayerDC;

namespace {

constexpr SIZE_T kStripRecordBytes = std::max<SIZE_T>(32, sizeof(AnimationStrip));

// A strip whose Surface could not be made has no DC to draw on or copy from;
// its blits then fail harmlessly instead of reading through the -1 value.
HDC strip_dc(const AnimationStrip* strip) {
  return strip->FrameSurface == kNoSurface ? nullptr : SurfaceDC(strip->FrameSurface);
}

void draw_demo_picture(HDC dc) {
  CompositeGradientDisc(dc, 200, 100, 50, 0x00007F00);
  CompositeBlendRect(dc, 50, 0, 100, 100, 0x00777777, 0);
  CompositeGradientDisc(dc, 100, 100, 50, 0x007F0000);
  CompositeGradientRect(dc, 10, 150, 100, 100, 0x0000007F);
}

// Copies frame 0's area into each frame, shifted right by 20 pixels a frame
// up to the turning frame and back by 20 after it.
void stamp_frames(HDC dc, const AnimationStrip* strip) {
  int32_t shift = 0;
  for (int32_t i = 0; i < kDemoFrameCount; ++i) {
    int32_t top = static_cast<int32_t>(MultiplyWide(i, strip->FrameHeight));
    BitBlt(dc, shift, top, strip->FrameWidth, strip->FrameHeight, dc, 0, 0, SRCCOPY);
    shift += i < kDemoTurnFrame ? kDemoStep : -kDemoStep;
  }
}

void show_next_frame(AnimationStrip* strip) {
  int32_t top = static_cast<int32_t>(MultiplyWide(strip->Position, strip->FrameHeight));
  BitBlt(PlayerDC, strip->Left, strip->Top, strip->FrameWidth, strip->FrameHeight, strip_dc(strip),
         0, top, SRCCOPY);
  strip->Position += 1;
  if (strip->Position >= strip->FrameCount) strip->Position = 0;
}

}  // namespace

AnimationStrip* CreateAnimationStrip(HWND window, int32_t x, int32_t y, int32_t frame_width,
                                     int32_t frame_height, int32_t frame_count) {
  uint32_t surface_height =
      static_cast<uint32_t>(frame_count) * static_cast<uint32_t>(frame_height);
  Surface* surface = CreateSurface(window, x, y, frame_width, static_cast<int32_t>(surface_height));
  auto* strip =
      static_cast<AnimationStrip*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, kStripRecordBytes));
  strip->Left = x;
  strip->Top = y;
  strip->FrameWidth = frame_width;
  strip->FrameHeight = frame_height;
  strip->FrameSurface = surface;
  strip->FrameCount = static_cast<uint32_t>(frame_count);
  return strip;
}

void CALLBACK StripTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  AnimationStrip* strip = ActiveStrip;
  if (strip->Rendered == 0) {
    RenderDemoScene(strip);
    return;
  }
  show_next_frame(strip);
}

void RenderDemoScene(AnimationStrip* strip) {
  HDC dc = strip_dc(strip);
  draw_demo_picture(dc);
  stamp_frames(dc, strip);
  strip->Rendered += 1;
}
