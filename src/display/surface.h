// Off-screen drawing targets: a memory device context with a 32-bit DIB
// section of its own, a small "Lucida Console" font and transparent white
// text. Everything drawn once and shown many times lives on a Surface.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Header size, width, height, the value 1 and six zeros; only the width and
// the height are read back.
struct SurfaceInfo {
  uint32_t HeaderSize;
  int32_t Width;
  int32_t Height;
  uint32_t One;
  uint32_t Unused[6];
};
static_assert(sizeof(SurfaceInfo) == 40, "SurfaceInfo is 40 bytes");

struct Surface {
  HDC DC;
  HBITMAP Bitmap;
  int32_t OriginX;  // kept for the creator; plays no part in drawing
  int32_t OriginY;
  SurfaceInfo* Info;
};

// Both blocks come from the global heap; the record's block is 32 bytes.
constexpr uint32_t kSurfaceRecordBytes = 32;
static_assert(sizeof(Surface) <= kSurfaceRecordBytes, "a Surface fits its 32-byte block");

// The value CreateSurface returns when the device context can't be made.
inline Surface* const kNoSurface = reinterpret_cast<Surface*>(static_cast<intptr_t>(-1));

extern const LOGFONTA SurfaceFont;
extern BITMAPINFOHEADER ScratchDibHeader;

// Rewrites ScratchDibHeader for a bottom-up 32-bit DIB of width by height.
void FillScratchDibHeader(int32_t width, int32_t height);

Surface* CreateSurface(HWND window, int32_t x, int32_t y, int32_t width, int32_t height);
void DestroySurface(Surface* surface);
HDC SurfaceDC(const Surface* surface);
HBITMAP SurfaceBitmap(const Surface* surface);
SurfaceInfo* SurfaceInfoBlock(const Surface* surface);
int32_t SurfaceWidth(const Surface* surface);
int32_t SurfaceHeight(const Surface* surface);
uint64_t SurfaceSize(const Surface* surface);  // width in the high half, height in the low
