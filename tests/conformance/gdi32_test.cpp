// GDI32: memory DCs and their default bitmap, compatible bitmaps, raster
// operations, pixels and bitmap bits, colours, fonts and text, and the
// errors of invalid handles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "conformance/conformance.h"
#include "support/wine.h"

namespace {

// A memory DC with a 32-bit bottom-up DIB section in it, one pixel unless
// told otherwise.
struct OnePixelDc {
  explicit OnePixelDc(int width = 1, int height = 1) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<uint32_t*>(pixels);
    previous = SelectObject(dc, bitmap);
  }
  ~OnePixelDc() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  OnePixelDc(const OnePixelDc&) = delete;
  OnePixelDc& operator=(const OnePixelDc&) = delete;

  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  uint32_t* bits = nullptr;
};

// Documented (CreateCompatibleDC): a new memory DC holds a 1 x 1 monochrome bitmap.
TEST(MemoryDc, StartsWithAOneByOneMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(info), &info),
            static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmPlanes, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2);  // rows of whole words
  DeleteDC(dc);
}

// Wine: a compatible bitmap of no width or height is the stock 1 x 1 one
// that a new memory DC holds.
TEST(CompatibleBitmap, OfNoPixelsIsTheDefaultBitmap) {
  OnePixelDc canvas;
  HDC fresh = CreateCompatibleDC(nullptr);
  HGDIOBJ stock = GetCurrentObject(fresh, OBJ_BITMAP);
  EXPECT_EQ(CreateCompatibleBitmap(canvas.dc, 0, 0), stock);
  EXPECT_EQ(CreateCompatibleBitmap(canvas.dc, 5, 0), stock);
  DeleteDC(fresh);
}

// Documented (CreateCompatibleBitmap): a memory DC holding a 32-bit DIB
// section makes DIB sections of its format, whose bits can be reached.
TEST(CompatibleBitmap, OfAMemoryDcTakesTheFormatOfItsBitmap) {
  OnePixelDc canvas;
  HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc, 3, 2);
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_NE(info.bmBits, nullptr);
  DeleteObject(bitmap);
}

// Wine: raster operations act on all 32 bits of a 32-bit DIB's pixel, its
// unused top byte included.
TEST(BitBlt, RasterOperationsActOnAllThirtyTwoBits) {
  OnePixelDc source, destination;
  struct Case {
    DWORD rop;
    uint32_t expected;
  };
  const Case cases[] = {{SRCCOPY, 0x12345678u},   {NOTSRCCOPY, 0xEDCBA987u},
                        {DSTINVERT, 0x789ABCDEu}, {WHITENESS, 0xFFFFFFFFu},
                        {BLACKNESS, 0x00000000u}, {SRCAND, 0x02244220u},
                        {SRCPAINT, 0x97755779u},  {SRCINVERT, 0x95511559u}};
  for (const Case& c : cases) {
    *source.bits = 0x12345678u;
    *destination.bits = 0x87654321u;
    GdiFlush();
    EXPECT_TRUE(BitBlt(destination.dc, 0, 0, 1, 1, source.dc, 0, 0, c.rop));
    GdiFlush();
    EXPECT_EQ(*destination.bits, c.expected) << std::hex << c.rop;
  }
}

// Wine: the text and background colours read back whole, as they were set.
TEST(Colours, ReadBackExactlyWhatWasSet) {
  OnePixelDc canvas;
  for (COLORREF colour : {COLORREF{0x00123456}, COLORREF{0x00FFFFFF}, COLORREF{0}}) {
    SetTextColor(canvas.dc, colour);
    SetBkColor(canvas.dc, colour);
    EXPECT_EQ(GetTextColor(canvas.dc), colour);
    EXPECT_EQ(GetBkColor(canvas.dc), colour);
  }
  EXPECT_EQ(SetTextColor(canvas.dc, RGB(1, 2, 3)), COLORREF{0});  // returns the previous one
  EXPECT_EQ(SetBkColor(canvas.dc, RGB(4, 5, 6)), COLORREF{0});
}

// Wine: no characters measure 0 by 0.
TEST(TextExtent, OfNoCharactersIsEmpty) {
  OnePixelDc canvas;
  SIZE size{-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc, "abc", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
}

// Documented (FillRect, GetStockObject): the null brush paints nothing.
TEST(FillRect, WithTheNullBrushLeavesThePixels) {
  OnePixelDc canvas;
  *canvas.bits = 0x00ABCDEF;
  RECT all{0, 0, 1, 1};
  FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  GdiFlush();
  EXPECT_EQ(*canvas.bits, 0x00ABCDEFu);
}

// Wine: GetObjectType sets ERROR_INVALID_HANDLE for what is not an object.
TEST(InvalidHandles, GetObjectTypeSaysInvalidHandle) {
  HBRUSH deleted = CreateSolidBrush(RGB(1, 2, 3));
  DeleteObject(deleted);
  for (HGDIOBJ object : {HGDIOBJ{nullptr}, HGDIOBJ{deleted}}) {
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(GetObjectType(object), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
}

// Wine: SelectObject into no DC sets ERROR_INVALID_HANDLE; selecting no
// object into a DC fails without an error and leaves the DC as it was.
TEST(InvalidHandles, SelectObjectBlamesOnlyTheDc) {
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(SelectObject(nullptr, GetStockObject(WHITE_BRUSH)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  OnePixelDc canvas;
  SetLastError(0);
  EXPECT_EQ(SelectObject(canvas.dc, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
}

// Wine: SetBkMode fails with ERROR_INVALID_HANDLE for no DC and with
// ERROR_INVALID_PARAMETER for a mode that is not one.
TEST(InvalidHandles, SetBkModeSaysWhatWasWrong) {
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(SetBkMode(nullptr, TRANSPARENT), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  OnePixelDc canvas;
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(SetBkMode(canvas.dc, 7), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
}

// Documented (SetPixel, GetPixel): SetPixel answers the colour it set and
// GetPixel reads it back as a COLORREF; a point outside the bitmap is -1 to
// SetPixel and CLR_INVALID to GetPixel (Wine's SetPixel answers the colour
// there, so that is not looked at under Wine). A bottom-up DIB keeps its top row
// last in memory (BITMAPINFOHEADER).
TEST(Pixels, AreSetAndReadAsColorrefs) {
  OnePixelDc canvas(2, 2);
  EXPECT_EQ(SetPixel(canvas.dc, 1, 0, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
  GdiFlush();
  EXPECT_EQ(canvas.bits[2 + 1] & 0xFFFFFFu, 0x123456u);  // top row, second pixel
  EXPECT_EQ(GetPixel(canvas.dc, 1, 0), RGB(0x12, 0x34, 0x56));
  canvas.bits[0] = 0x00ABCDEF;  // bottom row, first pixel
  EXPECT_EQ(GetPixel(canvas.dc, 0, 1), RGB(0xAB, 0xCD, 0xEF));
  for (POINT outside : {POINT{2, 0}, POINT{0, 2}, POINT{-1, 0}, POINT{0, -1}}) {
    EXPECT_EQ(GetPixel(canvas.dc, outside.x, outside.y), CLR_INVALID);
    if (!running_under_wine()) {  // Wine answers the colour, as if it were set
      EXPECT_EQ(SetPixel(canvas.dc, outside.x, outside.y, RGB(1, 2, 3)), static_cast<COLORREF>(-1));
    }
  }
}

// Wine (GetBitmapBits, SetBitmapBits): a null buffer asks for the bitmap's
// size in bytes, and a larger buffer moves only that many; the bytes are
// rows from the top. Documented: both answer the bytes moved.
TEST(BitmapBits, MoveRowsFromTheTopUpToTheBitmapsSize) {
  OnePixelDc canvas(2, 2);
  const uint32_t rows[4] = {0x01010101, 0x02020202, 0x03030303, 0x04040404};
  EXPECT_EQ(SetBitmapBits(canvas.bitmap, sizeof(rows), rows), static_cast<LONG>(sizeof(rows)));
  GdiFlush();
  EXPECT_EQ(canvas.bits[2], 0x01010101u);  // the top row is last in a bottom-up DIB
  EXPECT_EQ(canvas.bits[1], 0x04040404u);
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, 0, nullptr), 16);
  std::vector<uint32_t> back(8, 0xAAAAAAAAu);
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, static_cast<LONG>(back.size() * 4), back.data()), 16);
  EXPECT_EQ(back[0], 0x01010101u);
  EXPECT_EQ(back[3], 0x04040404u);
  EXPECT_EQ(back[4], 0xAAAAAAAAu);  // nothing past the bitmap's bytes
  uint32_t first = 0;
  EXPECT_EQ(GetBitmapBits(canvas.bitmap, 4, &first), 4);
  EXPECT_EQ(first, 0x01010101u);
}

// A font of the face and height given, selected into a DC for a case.
struct SelectedFont {
  SelectedFont(HDC into, LONG height) : dc(into) {
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(description.lfFaceName, "Lucida Console");
    font = CreateFontIndirectA(&description);
    previous = SelectObject(dc, font);
  }
  ~SelectedFont() {
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

  HDC dc;
  HFONT font = nullptr;
  HGDIOBJ previous = nullptr;
};

// Documented (LOGFONT, TEXTMETRIC): a negative height is the characters'
// height (the cell less its internal leading), a positive one the cell's;
// the cell is the ascent plus the descent. Wine: no description, no font.
TEST(Fonts, HeightsAreTheCellsOrTheCharacters) {
  OnePixelDc canvas;
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  {
    SelectedFont font(canvas.dc, -20);
    ASSERT_NE(font.font, nullptr);
    EXPECT_EQ(GetObjectType(font.font), static_cast<DWORD>(OBJ_FONT));
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &metrics));
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
  }
  {
    SelectedFont font(canvas.dc, 20);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &metrics));
    EXPECT_EQ(metrics.tmHeight, 20);
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
  }
}

// Documented (TextOut): the string is drawn in the text colour with the
// selected font; no characters draw nothing. Wine: no DC, no drawing.
TEST(TextOutput, DrawsTheStringAndNothingForNoCharacters) {
  OnePixelDc canvas(32, 24);
  SelectedFont font(canvas.dc, -16);
  std::fill(canvas.bits, canvas.bits + 32 * 24, 0x00FFFFFFu);
  SetBkMode(canvas.dc, TRANSPARENT);
  SetTextColor(canvas.dc, RGB(0, 0, 0));
  EXPECT_TRUE(TextOutA(canvas.dc, 2, 2, "W", 0));
  GdiFlush();
  EXPECT_TRUE(std::all_of(canvas.bits, canvas.bits + 32 * 24,
                          [](uint32_t pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }));
  EXPECT_TRUE(TextOutA(canvas.dc, 2, 2, "W", 1));
  GdiFlush();
  EXPECT_TRUE(std::any_of(canvas.bits, canvas.bits + 32 * 24,
                          [](uint32_t pixel) { return (pixel & 0xFFFFFF) == 0; }));
  EXPECT_FALSE(TextOutA(nullptr, 2, 2, "W", 1));
}

}  // namespace
