#include "display/surface.h"

#include "display/graphics_startup.h"

const LOGFONTA SurfaceFont = {-10,  // character height, not cell height
                              0,
                              0,
                              0,
                              FW_NORMAL,
                              FALSE,
                              FALSE,
                              FALSE,
                              DEFAULT_CHARSET,
                              OUT_STROKE_PRECIS,
                              CLIP_DEFAULT_PRECIS,
                              DRAFT_QUALITY,
                              FF_SWISS | DEFAULT_PITCH,
                              "Lucida Console"};

BITMAPINFOHEADER ScratchDibHeader;

void FillScratchDibHeader(int32_t width, int32_t height) {
  ScratchDibHeader = BITMAPINFOHEADER{};
  ScratchDibHeader.biSize = sizeof(BITMAPINFOHEADER);
  ScratchDibHeader.biWidth = width;
  ScratchDibHeader.biHeight = height;  // positive: bottom-up rows
  ScratchDibHeader.biPlanes = 1;
  ScratchDibHeader.biBitCount = 32;
  ScratchDibHeader.biCompression = BI_RGB;
}

namespace {

// Fixed global blocks: the handle is the address.
void* allocate_zeroed(SIZE_T bytes) { return GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes); }

void release_block(void* block) { GlobalFree(block); }

void fill_surface_info(SurfaceInfo* info, int32_t width, int32_t height) {
  info->HeaderSize = sizeof(SurfaceInfo);
  info->Width = width;
  info->Height = height;
  info->One = 1;
}

// Gives the DC its font, bitmap and text look; the font handle is not kept:
// it lives as long as the process, like the Surface.
void equip_surface(Surface* surface, int32_t width, int32_t height) {
  SelectObject(surface->DC, CreateFontIndirectA(&SurfaceFont));
  FillScratchDibHeader(width, height);
  void* bits = nullptr;
  surface->Bitmap = CreateDIBSection(surface->DC, reinterpret_cast<BITMAPINFO*>(&ScratchDibHeader),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(surface->DC, surface->Bitmap);
  SetBkMode(surface->DC, TRANSPARENT);
  SetTextColor(surface->DC, 0x00FFFFFF);
}

}  // namespace

Surface* CreateSurface(HWND window, int32_t x, int32_t y, int32_t width, int32_t height) {
  auto* surface = static_cast<Surface*>(allocate_zeroed(kSurfaceRecordBytes));
  auto* info = static_cast<SurfaceInfo*>(allocate_zeroed(sizeof(SurfaceInfo)));
  // Compatible with the window's DC whatever window is passed; with no
  // WindowDC yet, compatible with the screen.
  HDC dc = CreateCompatibleDC(WindowDC);
  if (dc == nullptr) {
    // Nothing refers to the two blocks: give them back rather than leak them.
    release_block(info);
    release_block(surface);
    return kNoSurface;
  }
  surface->DC = dc;
  surface->OriginX = x;
  surface->OriginY = y;
  surface->Info = info;
  fill_surface_info(info, width, height);
  equip_surface(surface, width, height);
  return surface;
}

void DestroySurface(Surface* surface) {
  DeleteDC(surface->DC);  // first, so that the bitmap is selected nowhere
  DeleteObject(surface->Bitmap);
  release_block(surface->Info);
  release_block(surface);
}

HDC SurfaceDC(const Surface* surface) { return surface->DC; }
HBITMAP SurfaceBitmap(const Surface* surface) { return surface->Bitmap; }
SurfaceInfo* SurfaceInfoBlock(const Surface* surface) { return surface->Info; }
int32_t SurfaceWidth(const Surface* surface) { return surface->Info->Width; }
int32_t SurfaceHeight(const Surface* surface) { return surface->Info->Height; }

uint64_t SurfaceSize(const Surface* surface) {
  return (uint64_t{static_cast<uint32_t>(SurfaceWidth(surface))} << 32) |
         static_cast<uint32_t>(SurfaceHeight(surface));
}
