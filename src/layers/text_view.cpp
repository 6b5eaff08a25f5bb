#include "layers/text_view.h"

#include <algorithm>
#include <limits>

#include "display/graphics_startup.h"
#include "display/surface.h"
#include "display/window_state.h"
#include "geometry/integer_helpers.h"
#include "layers/layer_images.h"
#include "raster/lines.h"
#include "text/text_document.h"

namespace {

constexpr uint32_t kMidGrey = 0x7F7F7F;
constexpr int32_t kStripeHeight = 20;
constexpr int32_t kEndBoxHeight = 20;
constexpr int32_t kThumbHeight = 20;
constexpr int32_t kScrollBarWidth = 20;
constexpr uint32_t kScrollBarColour = 127;  // blue at half intensity
constexpr COLORREF kWhiteText = 0x00FFFFFF;

using layers::wrap_add;
using layers::wrap_sub;

// How many stripes from this row on lie wholly above the canvas (every row
// negative) and are still drawn (the first, and those above the height).
int64_t stripes_above_canvas(int64_t row, int32_t height, bool first) {
  int64_t last_above = -kStripeHeight;
  if (row > last_above) return 0;
  int64_t above = (last_above - row) / kLinePitch + 1;
  int64_t drawn = row < height ? (height - 1 - row) / kLinePitch + 1 : 0;
  return std::max<int64_t>(std::min(above, drawn), first ? 1 : 0);
}

// Bands 20 rows high averaged with mid-grey, one row of plain gradient
// between them. The first is always drawn; the rest go on while their top
// row is above the view's height taken as a canvas row. Stripes wholly above
// the canvas only blend pixel (0, 0), once per pixel, so a run of them is
// one rectangle of their joint height there (a view far above the canvas
// has some 10^8 of them).
void draw_stripes(const Layer& view) {
  int64_t row = view.Y;
  int64_t above = stripes_above_canvas(row, view.Height, true);
  if (above > 1) {
    FillBlendRect(ScreenCanvas, view.X, static_cast<int32_t>(row), view.Width,
                  static_cast<int32_t>(above * kStripeHeight), kMidGrey, kBlendAverage);
    row += above * kLinePitch;
    if (row >= view.Height) return;
  }
  do {
    FillBlendRect(ScreenCanvas, view.X, static_cast<int32_t>(row), view.Width, kStripeHeight,
                  kMidGrey, kBlendAverage);
    row += kLinePitch;
  } while (row < view.Height);
}

// The view's rectangle, one column to the left, from the canvas into a DC.
void cut_view(HDC target, int32_t width, int32_t height, const Layer& view) {
  BitBlt(target, -1, 0, width, height, WorkDC, view.X, view.Y, SRCCOPY);
}

void create_surfaces(Layer& view, HWND window, int32_t width, int32_t height, uint32_t colour) {
  auto make = [&](int32_t w, int32_t h) {
    return layers::kept_surface(CreateSurface(window, view.X, view.Y, w, h));
  };
  layers::attach_image(view, window, width, 3 * height);
  view.Colour = colour;
  view.Background = make(width, height);
  view.BackgroundDC = layers::dc_of(view.Background);
  view.BackgroundBitmap = layers::bitmap_of(view.Background);
  view.StripSurface = make(width, kStripeHeight);
  view.ScrollBarSurface = make(kScrollBarWidth, height);
  view.ShadeSurface = make(width, height);
}

// The looks that are rendered once: the striped background (into band 0 and
// the background), the scroll bar figure and the olive shade.
void render_looks(const Layer& view, int32_t width, int32_t height, uint32_t colour) {
  FillGradientRect(ScreenCanvas, view.X, view.Y, kBufferWidth, height, colour);
  draw_stripes(view);
  layers::canvas_to_work_buffer();
  cut_view(view.ImageDC, view.Width, height, view);
  cut_view(view.BackgroundDC, view.Width, height, view);
  DrawScrollBar(ScreenCanvas, view.X, view.Y, kScrollBarWidth, height, 1, 100, kScrollBarColour);
  layers::canvas_to_work_buffer();
  cut_view(layers::dc_of(view.ScrollBarSurface), kScrollBarWidth, height, view);
  FillGradientRect(ScreenCanvas, view.X, view.Y, view.Width, height,
                   PackColour(128, 128, 0, ScreenCanvas.BitsPerPixel));
  layers::canvas_to_work_buffer();
  if (view.ShadeSurface != nullptr) {
    uint64_t size = SurfaceSize(view.ShadeSurface);
    cut_view(layers::dc_of(view.ShadeSurface), static_cast<int32_t>(size >> 32),
             static_cast<int32_t>(size & 0xFFFFFFFF), view);
  }
}

// Band 0 back to the clean background, and the background into the work
// buffer at the view's place.
void restore_background(const Layer& view) {
  BitBlt(view.ImageDC, 0, 0, view.Width, view.Height, view.BackgroundDC, 0, 0, SRCCOPY);
  BitBlt(WorkDC, view.X, view.Y, view.Width, view.Height, view.ImageDC, 0, 0, SRCCOPY);
}

// Lines first_line onwards into the work buffer at the view's place, then
// the view's rectangle back into band 0. Text outside the rectangle stays
// in the work buffer only.
void draw_page(const Layer& view, uint32_t first_line, int32_t left) {
  for (int32_t k = 0; k < kTextViewLines; ++k) {
    LineText line =
        GetLineText(static_cast<int32_t>(first_line + static_cast<uint32_t>(k)), view.Document);
    if (line.Length <= 0) continue;  // nothing to draw, nothing to read
    TextOutA(WorkDC, left, wrap_add(view.Y, kTextTopMargin + kLinePitch * k), line.Pointer,
             line.Length);
  }
  BitBlt(view.ImageDC, 0, 0, view.Width, view.Height, WorkDC, view.X, view.Y, SRCCOPY);
}

bool shows_lines(const Layer& view) {
  if (view.Document == nullptr || view.TopLine == 0) return false;
  auto limit = static_cast<uint32_t>(view.Document->LineLimit);
  return limit != 0 && view.TopLine <= limit;
}

Layer* text_view_at(int32_t index) {
  Layer* view = ExistingLayer(index);
  return view != nullptr && view->Kind == kTextViewKind ? view : nullptr;
}

uint32_t page_lines(const Layer& view) { return static_cast<uint32_t>(view.Height) / kLinePitch; }

// Later lines come into view; past the end the view shows its background.
void page_forward(Layer& view) {
  view.KeyMarker = VK_UP;
  if (view.Document == nullptr) return;
  if (view.TopLine <= static_cast<uint32_t>(view.Document->LineLimit))
    view.TopLine += page_lines(view);
}

// Never below line 1: a step from within the first page stops there.
void page_back(Layer& view) {
  view.KeyMarker = VK_DOWN;
  if (view.TopLine <= 1) return;
  uint32_t page = page_lines(view);
  view.TopLine = view.TopLine > page ? view.TopLine - page : 1;
}

// A horizontal key acts at every other draw while it stays held: the draw
// after one that acted only clears the mark. Returns whether it acts.
bool horizontal_key_acts(Layer& view, uint8_t key) {
  if (view.KeyMarker == key) {
    view.KeyMarker = 0;
    return false;
  }
  view.KeyMarker = key;
  return true;
}

// Applies the held key; true when the view must be redrawn.
bool apply_key(Layer& view, uint32_t key) {
  switch (key) {
    case VK_UP: page_forward(view); return true;
    case VK_DOWN: page_back(view); return true;
    case VK_LEFT:
      if (!horizontal_key_acts(view, VK_LEFT)) return false;
      if (view.ScrollX > 0) view.ScrollX = wrap_sub(view.ScrollX, view.Height);
      return true;
    case VK_RIGHT:
      if (!horizontal_key_acts(view, VK_RIGHT)) return false;
      if (static_cast<uint32_t>(view.ScrollX) <= kScrollLimit)
        view.ScrollX = wrap_add(view.ScrollX, view.Height);
      return true;
    default: return false;
  }
}

}  // namespace

int32_t CreateTextView(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                       uint32_t colour) {
  if (width < 1 || width == std::numeric_limits<int32_t>::max()) return -1;
  if (layers::stacked_height(height, 3) == 0) return -1;
  Layer* view = BeginLayer();
  if (view == nullptr) return -1;
  view->Kind = kTextViewKind;
  view->X = x;
  view->Y = wrap_add(y, 1);
  view->Width = width;
  view->Height = height;
  create_surfaces(*view, window, width, height, colour);
  view->Width = width + 1;  // after the Surfaces, which have the given width
  render_looks(*view, width, height, colour);
  return static_cast<int32_t>(LayerCount()) - 1;
}

void DrawScrollBar(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                   int32_t position, int32_t range, uint32_t colour) {
  FillGradientRect(canvas, x, y, width, height, colour);
  FillGradientRect(canvas, x, y, width, kEndBoxHeight, colour);
  FillGradientRect(canvas, x, wrap_add(y, wrap_sub(height, kEndBoxHeight)), width, kEndBoxHeight,
                   colour);
  // No range, a position outside it or no room between the end boxes: no
  // thumb, and no division.
  if (range < 1 || position < 0 || position >= range || height < 3 * kThumbHeight) return;
  auto offset =
      static_cast<int32_t>(ScaleDiv(static_cast<uint32_t>(position), static_cast<uint32_t>(range),
                                    static_cast<uint32_t>(height - 3 * kThumbHeight))
                               .First);
  FillGradientRect(canvas, x, wrap_add(y, wrap_add(kEndBoxHeight, offset)), width, kThumbHeight,
                   colour);
}

void AttachTextDocument(Layer* view, TextDocument* document) {
  if (view == nullptr || view->Kind != kTextViewKind || document == nullptr) return;
  view->Document = document;
  if (view->ImageDC != nullptr) {
    restore_background(*view);
    // The work buffer keeps white as its text colour from now on.
    SetTextColor(WorkDC, kWhiteText);
    draw_page(*view, 1, wrap_add(view->X, kTextLeftMargin));
  }
  view->TopLine = 1;
  view->ScrollX = 0;
}

void RedrawTextView(int32_t index) {
  Layer* view = text_view_at(index);
  if (view == nullptr || view->ImageDC == nullptr) return;
  restore_background(*view);
  if (!shows_lines(*view)) return;  // band 0 stays the bare background
  // In the work buffer's current text colour.
  draw_page(*view, view->TopLine, wrap_sub(wrap_add(view->X, kTextLeftMargin), view->ScrollX));
}

void DrawTextView(int32_t index) {
  Layer* view = text_view_at(index);
  if (view == nullptr) return;
  if (apply_key(*view, LastKey)) RedrawTextView(index);
  if (view->ImageDC == nullptr) return;
  BitBlt(BackDC, view->X, view->Y, view->Width, view->Height, view->ImageDC, 0, 0, SRCCOPY);
}

const LayerKind TextViewEntry{kTextViewKind, DrawTextView};
