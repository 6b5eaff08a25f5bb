#include "display/graphics_startup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "display/display_window.h"
#include "layers/layer_table.h"
#include "support/dc_pixels.h"

namespace {

class GraphicsStartupTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { display_test_window(); }
};

TEST_F(GraphicsStartupTest, ScreenCanvasCoversTheFirstPageOfASixMegabyteStore) {
  EXPECT_EQ(ScreenCanvas.Width, 1024u);
  EXPECT_EQ(ScreenCanvas.Height, 768u);
  EXPECT_EQ(ScreenCanvas.BitsPerPixel, 32);
  EXPECT_EQ(GlobalSize(ScreenCanvas.Pixels), 0x600000u);
  EXPECT_EQ(GetScreenCanvas(), &ScreenCanvas);
}

TEST_F(GraphicsStartupTest, LayerTableStartsEmptyAndHolds249Slots) {
  ASSERT_NE(LayerTable, nullptr);
  EXPECT_EQ(LayerCount(), 0u);
  EXPECT_GE(GlobalSize(LayerTable), sizeof(LayerTableBlock));
}

TEST_F(GraphicsStartupTest, BuffersAre1024By768At32Bits) {
  for (HBITMAP bitmap : {BackBitmap, WorkBitmap}) {
    BITMAP description{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(description), &description),
              static_cast<int>(sizeof(description)));
    EXPECT_EQ(description.bmWidth, 1024);
    EXPECT_EQ(description.bmHeight, 768);
    EXPECT_EQ(description.bmBitsPixel, 32);
  }
  EXPECT_EQ(GetBackDC(), BackDC);
  EXPECT_EQ(WorkDibHeader.biSize, 40u);
  EXPECT_EQ(WorkDibHeader.biHeight, 768);  // bottom-up
  EXPECT_EQ(WorkDibHeader.biSizeImage, 0u);
}

TEST_F(GraphicsStartupTest, PixelFormatRequestAsksForEightBitDoubleBufferedOpenGl) {
  const PIXELFORMATDESCRIPTOR& request = PixelFormatRequest;
  EXPECT_EQ(request.nSize, 40);
  EXPECT_EQ(request.nVersion, 1);
  EXPECT_EQ(request.dwFlags, 0x25u);
  EXPECT_EQ(request.iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(request.cColorBits, 8);
  EXPECT_EQ(request.cDepthBits, 16);
  // Everything else stays zero.
  PIXELFORMATDESCRIPTOR rest = request;
  rest.nSize = rest.nVersion = 0;
  rest.dwFlags = 0;
  rest.cColorBits = rest.cDepthBits = 0;
  PIXELFORMATDESCRIPTOR zero{};
  EXPECT_EQ(std::memcmp(&rest, &zero, sizeof(zero)), 0);
}

// Text on both buffers is green and leaves the cells between glyphs alone.
TEST_F(GraphicsStartupTest, BufferTextIsGreenWithoutBackground) {
  for (HDC dc : {BackDC, WorkDC}) {
    fill_dc(dc, 0, 0, 64, 32, 0x102030);
    TextOutA(dc, 2, 2, "WM", 2);
    DcPixels cell = read_dc_pixels(dc, 0, 0, 64, 32);
    int green = 0;
    for (uint32_t pixel : cell.pixels) {
      EXPECT_TRUE(pixel == 0x102030 || (pixel & 0x00FF00) != 0) << std::hex << pixel;
      green += pixel == 0x00FF00;
    }
    EXPECT_GT(green, 10);
    EXPECT_EQ(cell.at(63, 31), 0x102030u);
  }
}

TEST_F(GraphicsStartupTest, SelectIntoBuffersGivesBothBuffersTheFont) {
  LOGFONTA description{};
  description.lfHeight = -30;
  description.lfWeight = FW_BOLD;
  std::strcpy(description.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previous = SelectIntoBuffers(font);
  EXPECT_EQ(GetCurrentObject(BackDC, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(WorkDC, OBJ_FONT), font);
  EXPECT_NE(previous, nullptr);
  SelectIntoBuffers(previous);
  DeleteObject(font);
}

}  // namespace
