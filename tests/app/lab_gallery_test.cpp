// The gallery's verdict and the loupe's reading of it: a tile whose two
// pictures differ is counted and framed in red, and a point of the window is
// read as the exact pixel of the picture under it, at both depths.
#include "app/lab_gallery.h"

#include <gtest/gtest.h>

#include <string>

#include "app/lab_gallery_layout.h"
#include "app/lab_page_gallery.h"
#include "geometry/angle_table.h"
#include "raster/literal/raster_literal.h"

namespace {

constexpr COLORREF kRed = 0x000000FF;

// The gallery draws with the angle table. One built here is freed when these
// tests end: the start-up tests in this program build their own over the
// same global, which would leave this one unreachable.
class GalleryTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (AngleTable != nullptr) return;
    BuildAngleTable();
    built_ = true;
  }
  static void TearDownTestSuite() {
    if (!built_) return;
    GlobalFree(static_cast<HGLOBAL>(AngleTable));
    AngleTable = nullptr;
    built_ = false;
  }
  static inline bool built_ = false;
};
using LabGallery = GalleryTest;
using LabLoupe = GalleryTest;

// The library's line with one pixel more than the literal one.
void line_and_stray_pixel(const Canvas& canvas, const TileParameters& p) {
  literal::DrawLine(canvas, 8, 6, 8 + p.Size * 2, 6 + p.Size, TileColour(p.ColourIndex));
  PutPixel(canvas, 60, 40, TileColour(p.ColourIndex));
}

void literal_line(const Canvas& canvas, const TileParameters& p) {
  literal::DrawLine(canvas, 8, 6, 8 + p.Size * 2, 6 + p.Size, TileColour(p.ColourIndex));
}

TEST_F(LabGallery, ATileThatDiffersIsCountedAtEachDepthAndFramedInRed) {
  TileOutcome outcome;
  RenderTile({"stray", line_and_stray_pixel, literal_line, false}, TileParameters{}, outcome);
  EXPECT_EQ(outcome.Differing[0], 1u);
  EXPECT_EQ(outcome.Differing[1], 1u);
  EXPECT_TRUE(TileDiffers(outcome));
  EXPECT_EQ(TileFrameColour(outcome, true), kRed);  // red even when selected
  EXPECT_EQ(TileFrameColour(outcome, false), kRed);

  RenderTile({"same", literal_line, literal_line, false}, TileParameters{}, outcome);
  EXPECT_FALSE(TileDiffers(outcome));
  EXPECT_NE(TileFrameColour(outcome, true), kRed);
}

// A call drawn through the screen canvas has no 16-bit pictures, and what
// was counted for an earlier call there does not stay.
TEST_F(LabGallery, AScreenDepthCallLeavesNoSixteenBitCount) {
  TileOutcome outcome;
  RenderTile({"stray", line_and_stray_pixel, literal_line, false}, TileParameters{}, outcome);
  RenderTile({"screen", literal_line, literal_line, true}, TileParameters{}, outcome);
  EXPECT_FALSE(outcome.Drawn[1]);
  EXPECT_EQ(outcome.Differing[1], 0u);
  EXPECT_FALSE(TileDiffers(outcome));
}

// The gallery's own calls, moved across every edge, show zero at both
// depths (those drawn through the screen canvas need the Lab's window).
TEST_F(LabGallery, TheRasterCallsAgreeWithTheirLiteralVersionsAcrossTheEdges) {
  ASSERT_EQ(kGalleryCalls.size(), size_t{kGalleryTileCount});  // the page lays out this many
  TileOutcome outcome;
  for (const TileCalls& calls : kGalleryCalls) {
    if (calls.ScreenDepthOnly) continue;
    for (int32_t shift : {-60, -9, 0, 30, 61}) {
      TileParameters p;
      p.ShiftX = shift;
      p.ShiftY = -shift / 2;
      p.Size = 5 + (shift & 15);
      p.ColourIndex = shift;
      RenderTile(calls, p, outcome);
      EXPECT_FALSE(TileDiffers(outcome)) << calls.Name << " shift " << shift;
    }
  }
}

TEST_F(LabLoupe, APointIsReadAsThePixelOfThePictureUnderIt) {
  GalleryHit hit{};
  ASSERT_FALSE(GalleryHitAt(0, 0, hit));
  // The first tile's pictures: library 32, literal 32, library 16, literal 16.
  ASSERT_TRUE(GalleryHitAt(20 + 70 + 8, 8 + 16 + 6, hit));
  EXPECT_EQ(hit.Tile, 0);
  EXPECT_TRUE(hit.Literal);
  EXPECT_EQ(hit.Depth, 0);
  EXPECT_EQ(hit.X, 8);
  EXPECT_EQ(hit.Y, 6);
  ASSERT_TRUE(GalleryHitAt(20 + 3 * 70 + 63, 8 + 16 + 47, hit));
  EXPECT_EQ(hit.Depth, 1);
  EXPECT_EQ(hit.X, 63);
  EXPECT_EQ(hit.Y, 47);

  TileParameters p;
  p.ColourIndex = 3;  // 0x80FF8040: the top byte shows at 32 bits
  TileOutcome outcome;
  RenderTile({"line", literal_line, literal_line, false}, p, outcome);
  GalleryHit start{0, 1, true, 8, 6};  // the line's first point, read at 16 bits
  std::string text = GalleryPixelReadout("line", outcome, start);
  EXPECT_EQ(text, "line, literal (8, 6): 32 bpp 0x80FF8040, 16 bpp 0x" +
                      HexPixel(GetPixel(outcome.Literal[1].Picture, 8, 6), 16).substr(2));
  EXPECT_EQ(HexPixel(0x12345678, 16), "0x5678");
  EXPECT_EQ(DisplayColour(0xFFFF, 16), 0xF8F8FFu);
  EXPECT_EQ(DisplayColour(PackColour(0x60, 0x60, 0x60, 16), 16), 0x606060u);
  EXPECT_EQ(DisplayColour(0x0800 | 0x1F, 16), 0x0800F8u);
}

}  // namespace
