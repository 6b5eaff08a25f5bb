// The display's part of graphics start-up: the screen canvas over a two-page
// pixel store, the back and work buffers (1024 by 768 32-bit DIB sections in
// memory DCs), the angle table and the OpenGL context on the window's DC.
// Between the buffers and the angle table the layers level makes its empty
// table; layers/startup.h runs the whole sequence as GraphicsStartup.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "raster/canvas.h"

constexpr int32_t kBufferWidth = 1024;
constexpr int32_t kBufferHeight = 768;
constexpr uint32_t kPageBytes = 0x300000;        // one 1024 by 768 page at 4 bytes a pixel
constexpr uint32_t kPixelStoreBytes = 0x600000;  // two pages
constexpr COLORREF kBufferTextColour = 0x0000FF00;

// The screen canvas covers the first page of the store; the second page is
// the background page.
extern Canvas ScreenCanvas;
extern HDC BackDC;
extern HBITMAP BackBitmap;
extern HDC WorkDC;
extern HBITMAP WorkBitmap;
extern BITMAPINFOHEADER WorkDibHeader;
extern HDC WindowDC;
extern HGLRC GLContext;
extern PIXELFORMATDESCRIPTOR PixelFormatRequest;

// The pixel store, then the back and work buffers.
void StartDisplayBuffers(HWND window);
// The angle table, then the OpenGL context.
void StartDrawingTables(HWND window);
HDC GetBackDC();
Canvas* GetScreenCanvas();
HGDIOBJ SelectIntoBuffers(HGDIOBJ object);
