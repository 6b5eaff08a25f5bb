#include "display/graphics_startup.h"

#include "display/surface.h"
#include "geometry/angle_table.h"

Canvas ScreenCanvas;
HDC BackDC;
HBITMAP BackBitmap;
HDC WorkDC;
HBITMAP WorkBitmap;
BITMAPINFOHEADER WorkDibHeader;
HDC WindowDC;
HGLRC GLContext;
PIXELFORMATDESCRIPTOR PixelFormatRequest;

namespace {

// Neither movable nor zero-filled: the heap ignores the discardable bits, so
// the block is fixed and keeps whatever it held.
constexpr UINT kFixedUncleared = 0x0F00;

void allocate_pixel_store() {
  ScreenCanvas.Pixels = GlobalLock(GlobalAlloc(kFixedUncleared, kPixelStoreBytes));
}

// Selects a fresh DIB section made from the header into the DC and sets the
// buffers' text look: green, no background fill.
HBITMAP equip_buffer(HDC dc, BITMAPINFOHEADER* header) {
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  SelectObject(dc, bitmap);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBufferTextColour);
  return bitmap;
}

void create_back_buffer(HWND window) {
  WindowDC = GetDC(window);
  BackDC = CreateCompatibleDC(WindowDC);
  ScreenCanvas.Width = kBufferWidth;
  ScreenCanvas.Height = kBufferHeight;
  ScreenCanvas.BitsPerPixel = 32;
  FillScratchDibHeader(kBufferWidth, kBufferHeight);
  BackBitmap = equip_buffer(BackDC, &ScratchDibHeader);
  ReleaseDC(window, WindowDC);
}

void create_work_buffer(HWND window) {
  WindowDC = GetDC(window);
  WorkDC = CreateCompatibleDC(WindowDC);
  WorkDibHeader = BITMAPINFOHEADER{};
  WorkDibHeader.biSize = sizeof(BITMAPINFOHEADER);
  WorkDibHeader.biWidth = kBufferWidth;
  WorkDibHeader.biHeight = kBufferHeight;
  WorkDibHeader.biPlanes = 1;
  WorkDibHeader.biBitCount = 32;
  WorkDibHeader.biCompression = BI_RGB;
  WorkBitmap = equip_buffer(WorkDC, &WorkDibHeader);
  ReleaseDC(window, WindowDC);
}

void fill_pixel_format_request() {
  PixelFormatRequest.nSize = 40;
  PixelFormatRequest.nVersion = 1;
  PixelFormatRequest.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  PixelFormatRequest.dwLayerMask = 0;
  PixelFormatRequest.iPixelType = PFD_TYPE_RGBA;
  PixelFormatRequest.cColorBits = 8;
  PixelFormatRequest.cDepthBits = 16;
  PixelFormatRequest.cAccumBits = 0;
  PixelFormatRequest.cStencilBits = 0;
}

// Without a pixel format there is no OpenGL: the program asks to end.
void create_gl_context(HWND window) {
  WindowDC = GetDC(window);  // kept for the life of the process
  fill_pixel_format_request();
  int format = ChoosePixelFormat(WindowDC, &PixelFormatRequest);
  if (!SetPixelFormat(WindowDC, format, &PixelFormatRequest)) {
    PostQuitMessage(0);
    return;
  }
  GLContext = wglCreateContext(WindowDC);
  wglMakeCurrent(WindowDC, GLContext);
}

}  // namespace

void StartDisplayBuffers(HWND window) {
  allocate_pixel_store();
  create_back_buffer(window);
  create_work_buffer(window);
}

void StartDrawingTables(HWND window) {
  BuildAngleTable();
  create_gl_context(window);
}

HDC GetBackDC() { return BackDC; }

Canvas* GetScreenCanvas() { return &ScreenCanvas; }

HGDIOBJ SelectIntoBuffers(HGDIOBJ object) {
  SelectObject(BackDC, object);
  return SelectObject(WorkDC, object);
}
