// The scrolling text view: its stored geometry, its background, scroll bar
// and shade against the literal rasterizer, where its lines fall, paging,
// sideways steps and the key marker.
#include "layers/text_view.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "display/graphics_startup.h"
#include "layers/layer_test_window.h"
#include "layers/layer_window.h"
#include "layers/panel_layer.h"
#include "raster/literal/raster_literal.h"
#include "support/temp_dir.h"
#include "text/text_document.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBase = 0x302010;  // stays far from white, even doubled and greyed

struct DocumentRelease {
  void operator()(TextDocument* document) const { FreeTextDocument(document); }
};
using DocumentPtr = std::unique_ptr<TextDocument, DocumentRelease>;

DocumentPtr load_text(const std::string& bytes) {
  TempDir dir;
  std::string name = dir.file("view.txt");
  write_file_bytes(name, bytes);
  return DocumentPtr(LoadTextDocument(name.c_str()));
}

// Length of line n in the paging document: 1 to 7 letters, repeating, so
// that the first line shown tells which line it is.
int paging_length(int n) { return (n - 1) % 7 + 1; }

// 98 lines ended by CR LF: LineLimit 100.
DocumentPtr paging_document() {
  std::string text;
  for (int n = 1; n <= 98; ++n) text += std::string(paging_length(n), 'M') + "\r\n";
  return load_text(text);
}

class TextViewTest : public testing::Test {
 protected:
  void SetUp() override {
    reset_layers();
    LastKey = 0;
  }
  void TearDown() override {
    LastKey = 0;
    reset_layers();
  }

  HWND window() const { return layer_test_window(); }

  static void draw_with_key(int32_t index, uint32_t key) {
    LastKey = key;
    DrawLayer(index);
    LastKey = 0;
  }

  // White pixels of page row k of the view in the back buffer.
  static PixelBox row_box(const Layer& view, int k) {
    return colour_box(BackDC, view.X, view.Y + 10 + 21 * k, view.Width - 1, 21, kWhite);
  }

  static int text_width(int letters) {
    SIZE extent{};
    std::string text(letters, 'M');
    GetTextExtentPoint32A(WorkDC, text.c_str(), letters, &extent);
    return extent.cx;
  }

  // The first row's text ends where a line of that many letters drawn at the
  // left margin less the offset ends (cut at the view's right edge).
  static void expect_first_row_letters(const Layer& view, int letters, int offset = 0) {
    PixelBox box = row_box(view, 0);
    ASSERT_FALSE(box.empty());
    int end = view.X + 20 - offset + text_width(letters);
    int advance = text_width(1);
    if (end <= view.X + view.Width - 1) {
      EXPECT_LT(box.right, end) << letters;
      EXPECT_GE(box.right, end - advance) << letters;
    } else {
      // Cut at the view's last column, perhaps between two letters.
      EXPECT_LE(box.right, view.X + view.Width - 2) << letters;
      EXPECT_GT(box.right, view.X + view.Width - 2 - advance) << letters;
    }
  }
};

TEST_F(TextViewTest, StoresItsPlaceWidthPlusOneAndItsSurfaces) {
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 0);
  const Layer* view = GetLayer(0);
  EXPECT_EQ(view->Kind, 0x0F0Fu);
  EXPECT_EQ(view->X, 0);
  EXPECT_EQ(view->Y, 1);
  EXPECT_EQ(view->Width, 301);
  EXPECT_EQ(view->Height, 420);
  EXPECT_EQ(view->Colour, kBase);
  EXPECT_EQ(view->Document, nullptr);
  EXPECT_EQ(view->TopLine, 0u);
  EXPECT_EQ(view->ScrollX, 0);
  EXPECT_EQ(view->KeyMarker, 0);
  EXPECT_EQ(SurfaceSize(view->Image), (uint64_t{300} << 32) | 1260u);
  EXPECT_EQ(SurfaceSize(view->Background), (uint64_t{300} << 32) | 420u);
  EXPECT_EQ(SurfaceSize(view->StripSurface), (uint64_t{300} << 32) | 20u);
  EXPECT_EQ(SurfaceSize(view->ScrollBarSurface), (uint64_t{20} << 32) | 420u);
  EXPECT_EQ(SurfaceSize(view->ShadeSurface), (uint64_t{300} << 32) | 420u);
  EXPECT_EQ(view->BackgroundDC, SurfaceDC(view->Background));
  EXPECT_EQ(view->BackgroundBitmap, SurfaceBitmap(view->Background));
  // The shade: olive 0x808000 at the bottom, doubled (255) at the top.
  DcPixels shade = read_dc_pixels(SurfaceDC(view->ShadeSurface), 0, 0, 300, 420);
  EXPECT_EQ(shade.at(10, 419), 0x808000u);
  EXPECT_EQ(shade.at(10, 1), 0xFFFF00u);
}

// Stripes from row Y every 21 rows while their top row is above the view's
// height as a canvas row; the view is cut one column to the left.
TEST_F(TextViewTest, BackgroundIsTheGradientStripedDownToTheHeightRow) {
  struct Case {
    int x, y, width, height;
    std::vector<int> stripe_rows;
  };
  std::vector<int> full;
  for (int row = 1; row < 420; row += 21) full.push_back(row);
  const Case cases[] = {{0, 0, 300, 420, full}, {100, 300, 200, 100, {301}}};
  for (const Case& c : cases) {
    std::vector<uint32_t> page = canvas_snapshot();
    Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
    literal::FillGradientRect(canvas, c.x, c.y + 1, 1024, c.height, kBase);
    for (int row : c.stripe_rows)
      literal::FillBlendRect(canvas, c.x, row, c.width + 1, 20, 0x7F7F7F, 0);
    std::vector<uint32_t> expected = page_rect(page, c.x + 1, c.y + 1, c.width, c.height);

    int32_t index = CreateTextView(window(), c.x, c.y, c.width, c.height, kBase);
    ASSERT_GE(index, 0);
    const Layer* view = GetLayer(index);
    EXPECT_EQ(read_dc_pixels(view->BackgroundDC, 0, 0, c.width, c.height).pixels, expected);
    EXPECT_EQ(read_dc_pixels(view->ImageDC, 0, 0, c.width, c.height).pixels, expected);
    EXPECT_EQ(read_dc_pixels(view->ImageDC, 0, c.height, c.width, 2 * c.height).pixels,
              std::vector<uint32_t>(size_t(c.width) * 2 * c.height, 0));
    reset_layers();
  }
}

// Stripes wholly above the canvas send every pixel to pixel (0, 0), which a
// view one column left of the canvas cuts into its image at row -Y. Here four
// of them come before the first that reaches the canvas.
TEST_F(TextViewTest, StripesAboveTheCanvasBlendPixelZeroAsEachStripeDoes) {
  const int x = -1, y = -101, width = 200, height = 300;
  std::vector<uint32_t> page = canvas_snapshot();
  Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
  literal::FillGradientRect(canvas, x, y + 1, 1024, height, kBase);
  for (int row = y + 1; row < height; row += 21)
    literal::FillBlendRect(canvas, x, row, width + 1, 20, 0x7F7F7F, 0);
  // Image row 100 + r, column c shows canvas row r, column c.
  std::vector<uint32_t> expected = page_rect(page, 0, 0, width - 1, height - 100);

  int32_t index = CreateTextView(window(), x, y, width, height, kBase);
  ASSERT_GE(index, 0);
  const Layer* view = GetLayer(index);
  EXPECT_EQ(read_dc_pixels(view->BackgroundDC, 0, 100, width - 1, height - 100).pixels, expected);
}

// A view some two thousand million rows above the canvas has about 10^8
// stripes there: they are drawn at once, with the stripes that reach the
// canvas as they are. The later fills, wholly off the canvas too, write
// pixel (0, 0) last, so the olive one decides it.
TEST_F(TextViewTest, AViewFarAboveTheCanvasIsMadeAtOnce) {
  const int32_t y = INT32_MIN, width = 10, height = 61;
  std::vector<uint32_t> page = canvas_snapshot();
  Canvas canvas{page.data(), kBufferWidth, kBufferHeight, 32};
  int64_t first_row = int64_t{y} + 1;
  int64_t reaching = first_row + (-19 - first_row + 20) / 21 * 21;  // the first at row -19 or below
  for (int64_t row = reaching; row < height; row += 21)
    literal::FillBlendRect(canvas, 0, static_cast<int32_t>(row), width + 1, 20, 0x7F7F7F, 0);
  literal::FillGradientRect(canvas, 0, y + 1, width + 1, height, 0x808000);

  auto start = std::chrono::steady_clock::now();
  ASSERT_GE(CreateTextView(window(), 0, y, width, height, kBase), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(canvas_snapshot(), page);
}

TEST_F(TextViewTest, ScrollBarThumbSitsPositionTimesTheFreeRowsByRangeBelowTheTopBox) {
  struct Case {
    int height, position, range, thumb_offset;  // -1: no thumb
  };
  const Case cases[] = {{420, 1, 100, 23},  {420, 100, 100, -1}, {420, 99, 100, 376},
                        {60, 1, 100, 20},   {420, 1, 0, -1},     {420, -3, -1, -1},
                        {420, -1, 100, -1}, {59, 0, 100, -1},    {10, 1, 100, -1},
                        {0, 1, 100, -1}};
  for (const Case& c : cases) {
    std::vector<uint32_t> actual(64 * 480), expected(64 * 480);
    Canvas drawn{actual.data(), 64, 480, 32}, literal_canvas{expected.data(), 64, 480, 32};
    DrawScrollBar(drawn, 5, 30, 20, c.height, c.position, c.range, 0x7F);
    literal::FillGradientRect(literal_canvas, 5, 30, 20, c.height, 0x7F);
    literal::FillGradientRect(literal_canvas, 5, 30, 20, 20, 0x7F);
    literal::FillGradientRect(literal_canvas, 5, 30 + c.height - 20, 20, 20, 0x7F);
    if (c.thumb_offset >= 0)
      literal::FillGradientRect(literal_canvas, 5, 30 + c.thumb_offset, 20, 20, 0x7F);
    EXPECT_EQ(actual, expected) << c.height << " " << c.position << " " << c.range;
  }
}

TEST_F(TextViewTest, AttachedLinesStartAtTwentyElevenAndFollowEveryTwentyOneRows) {
  DocumentPtr document = load_text("Line A\r\nLine A\r\nLine A\r\n");
  ASSERT_TRUE(document);
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 0);
  Layer* view = GetLayer(0);
  AttachTextDocument(view, document.get());
  EXPECT_EQ(view->Document, document.get());
  EXPECT_EQ(view->TopLine, 1u);
  EXPECT_EQ(view->ScrollX, 0);
  EXPECT_EQ(GetTextColor(WorkDC), 0x00FFFFFFu);  // the work buffer keeps white
  DrawLayer(0);
  TEXTMETRICA metrics{};
  GetTextMetricsA(WorkDC, &metrics);
  PixelBox first = row_box(*view, 0);
  for (int k = 0; k < 3; ++k) {
    PixelBox box = row_box(*view, k);
    ASSERT_FALSE(box.empty()) << k;
    EXPECT_GE(box.left, 20) << k;
    EXPECT_LE(box.left, 22) << k;
    EXPECT_GE(box.top, 11 + 21 * k) << k;
    EXPECT_LT(box.bottom, 11 + 21 * k + metrics.tmHeight) << k;
    // The same text on every row: the rows are exactly 21 apart.
    EXPECT_EQ(box.top - first.top, 21 * k);
    EXPECT_EQ(box.left, first.left);
  }
  EXPECT_TRUE(row_box(*view, 3).empty());  // a document shorter than the page
  // Nothing is written outside the view's rectangle.
  EXPECT_TRUE(colour_box(BackDC, 301, 0, 100, 430, kWhite).empty());
}

TEST_F(TextViewTest, UpPagesTowardsTheEndUntilPastItAndDownComesBack) {
  DocumentPtr document = paging_document();
  ASSERT_EQ(document->LineLimit, 100);
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 0);
  Layer* view = GetLayer(0);
  AttachTextDocument(view, document.get());
  for (uint32_t expected : {21u, 41u, 61u, 81u, 101u, 101u}) {
    draw_with_key(0, VK_UP);
    EXPECT_EQ(view->TopLine, expected);
    EXPECT_EQ(view->KeyMarker, VK_UP);
    if (expected <= 99) expect_first_row_letters(*view, paging_length(static_cast<int>(expected)));
  }
  // Past the end: the bare background.
  EXPECT_EQ(read_dc_pixels(view->ImageDC, 0, 0, 300, 420).pixels,
            read_dc_pixels(view->BackgroundDC, 0, 0, 300, 420).pixels);
  draw_with_key(0, VK_DOWN);
  EXPECT_EQ(view->TopLine, 81u);
  EXPECT_EQ(view->KeyMarker, VK_DOWN);
  expect_first_row_letters(*view, paging_length(81));
}

TEST_F(TextViewTest, DownNeverGoesBelowLineOne) {
  DocumentPtr document = paging_document();
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 0);
  Layer* view = GetLayer(0);
  AttachTextDocument(view, document.get());
  draw_with_key(0, VK_DOWN);
  EXPECT_EQ(view->TopLine, 1u);
  for (uint32_t top : {2u, 5u, 20u, 21u}) {
    view->TopLine = top;
    draw_with_key(0, VK_DOWN);
    EXPECT_EQ(view->TopLine, 1u) << top;
    expect_first_row_letters(*view, paging_length(1));
  }
  view->TopLine = 22;
  draw_with_key(0, VK_DOWN);
  EXPECT_EQ(view->TopLine, 2u);
}

// The horizontal step is the view's height; a held key acts at every other
// draw, and not beyond the first multiple above 400.
TEST_F(TextViewTest, RightStepsByTheHeightAtEveryOtherDrawUpToTheFirstMultipleAbove400) {
  DocumentPtr document = load_text(std::string(80, 'M') + "\r\n");
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 150, kBase), 0);
  Layer* view = GetLayer(0);
  AttachTextDocument(view, document.get());
  const int32_t expected[] = {150, 150, 300, 300, 450, 450, 450};
  const uint8_t markers[] = {VK_RIGHT, 0, VK_RIGHT, 0, VK_RIGHT, 0, VK_RIGHT};
  for (int i = 0; i < 7; ++i) {
    draw_with_key(0, VK_RIGHT);
    EXPECT_EQ(view->ScrollX, expected[i]) << i;
    EXPECT_EQ(view->KeyMarker, markers[i]) << i;
    expect_first_row_letters(*view, 80, expected[i]);
  }
  // Left comes back the same way; a vertical key in between lets the next
  // horizontal key act at once.
  draw_with_key(0, VK_LEFT);
  EXPECT_EQ(view->ScrollX, 300);
  draw_with_key(0, VK_UP);
  draw_with_key(0, VK_DOWN);
  draw_with_key(0, VK_LEFT);
  EXPECT_EQ(view->ScrollX, 150);
  draw_with_key(0, VK_LEFT);
  EXPECT_EQ(view->ScrollX, 150);
  draw_with_key(0, VK_LEFT);
  EXPECT_EQ(view->ScrollX, 0);
  EXPECT_EQ(view->KeyMarker, VK_LEFT);
  draw_with_key(0, VK_LEFT);  // clears the marker
  draw_with_key(0, VK_LEFT);
  EXPECT_EQ(view->ScrollX, 0);  // at 0 only the marker changes
  EXPECT_EQ(view->KeyMarker, VK_LEFT);
}

TEST_F(TextViewTest, NoKeyHeldOnlyCopiesBandZero) {
  DocumentPtr document = paging_document();
  ASSERT_EQ(CreateTextView(window(), 40, 30, 200, 200, kBase), 0);
  Layer* view = GetLayer(0);
  AttachTextDocument(view, document.get());
  view->KeyMarker = VK_RIGHT;
  fill_dc(view->ImageDC, 0, 0, 200, 200, 0x0A0B0C);  // a redraw would replace it
  for (uint32_t key : {0u, static_cast<uint32_t>('A'), static_cast<uint32_t>(VK_RETURN)}) {
    draw_with_key(0, key);
    EXPECT_EQ(view->TopLine, 1u);
    EXPECT_EQ(view->KeyMarker, VK_RIGHT);
    EXPECT_EQ(read_dc_pixels(BackDC, 40, 31, 200, 200).pixels,
              read_dc_pixels(view->ImageDC, 0, 0, 200, 200).pixels);
  }
  EXPECT_EQ(read_dc_pixels(BackDC, 45, 35, 1, 1).at(0, 0), 0x0A0B0Cu);
}

TEST_F(TextViewTest, WithoutADocumentEveryKeyShowsTheBareBackground) {
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 0);
  Layer* view = GetLayer(0);
  for (uint32_t key : {VK_UP, VK_DOWN, VK_RIGHT}) {
    draw_with_key(0, key);
    EXPECT_EQ(view->TopLine, 0u);
  }
  EXPECT_EQ(view->ScrollX, 420);  // sideways steps need no document
  EXPECT_EQ(read_dc_pixels(view->ImageDC, 0, 0, 300, 420).pixels,
            read_dc_pixels(view->BackgroundDC, 0, 0, 300, 420).pixels);
  EXPECT_TRUE(colour_box(BackDC, 0, 0, 302, 422, kWhite).empty());
}

TEST_F(TextViewTest, OtherKindsAndMissingLayersAreIgnored) {
  DocumentPtr document = paging_document();
  ASSERT_EQ(CreatePanelLayer(window(), 400, 0, 50, 0x7F), 0);
  Layer* panel = GetLayer(0);
  AttachTextDocument(panel, document.get());
  EXPECT_EQ(panel->Document, nullptr);
  AttachTextDocument(nullptr, document.get());
  ASSERT_EQ(CreateTextView(window(), 0, 0, 300, 420, kBase), 1);
  AttachTextDocument(GetLayer(1), nullptr);
  EXPECT_EQ(GetLayer(1)->TopLine, 0u);
  DcPixels before = read_dc_pixels(WorkDC, 0, 0, 320, 440);
  for (int32_t index : {0, 2, 249, -1}) {
    RedrawTextView(index);
    LastKey = VK_UP;
    DrawTextView(index);
  }
  LastKey = 0;
  EXPECT_EQ(read_dc_pixels(WorkDC, 0, 0, 320, 440).pixels, before.pixels);
}

TEST_F(TextViewTest, SizesBelowOneAreRefused) {
  const std::array<int32_t, 2> sizes[] = {
      {0, 100}, {100, 0}, {-1, 100}, {INT32_MAX, 100}, {100, 0x2AAAAAAB}};
  for (auto [width, height] : sizes)
    EXPECT_EQ(CreateTextView(window(), 0, 0, width, height, kBase), -1);
  EXPECT_EQ(LayerCount(), 0u);
}

}  // namespace
