// Fonts and text output on device contexts: TextOutA draws FreeType glyphs
// in the DC's text colour, filling the text's cells first when the DC's
// background mode is OPAQUE.
#include <algorithm>
#include <cstring>

#include "platform/gdi32/fonts.h"
#include "platform/gdi32/gdi_objects.h"

namespace posix {

HFONT stock_font() {
  static HFONT handle = [] {
    auto font = std::make_unique<Font>();
    font->logfont.lfHeight = 16;
    font->logfont.lfWeight = FW_BOLD;
    font->logfont.lfQuality = DRAFT_QUALITY;
    font->logfont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(font->logfont.lfFaceName, "System");
    font->is_stock = true;
    return static_cast<HFONT>(add_handle(std::move(font)));
  }();
  return handle;
}

namespace {

DeviceContext* find_dc(HDC dc) { return find_as<DeviceContext>(dc); }

RealizedFont* dc_font(const DeviceContext& dc) {
  Font* font = find_as<Font>(dc.font);
  return realize_font(font != nullptr ? font->logfont : find_as<Font>(stock_font())->logfont);
}

// Text beyond this distance from the origin can't reach any bitmap, so
// positions and widths are kept within it and no sum of them overflows.
constexpr int64_t kFarthest = int64_t{1} << 29;

int text_width(RealizedFont& font, const unsigned char* text, int count) {
  int64_t width = 0;
  for (int i = 0; i < count && width < kFarthest; ++i) width += font.glyph(text[i]).advance;
  return static_cast<int>(std::min(width, kFarthest));
}

// Mixes the text colour into a pixel by a coverage of 0 to 255.
uint32_t mix(uint32_t below, uint32_t colour, int coverage) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int b = (below >> shift) & 0xFF, c = (colour >> shift) & 0xFF;
    result |= static_cast<uint32_t>(b + ((c - b) * coverage + 127) / 255) << shift;
  }
  return result;
}

void draw_glyph(Bitmap& bitmap, const GlyphImage& glyph, int pen_x, int baseline, uint32_t colour) {
  int left = pen_x + glyph.left, top = baseline - glyph.top;
  for (int y = std::max(0, -top); y < glyph.rows && top + y < bitmap.height; ++y) {
    uint32_t* row = bitmap.row(top + y);
    const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
    for (int x = std::max(0, -left); x < glyph.width && left + x < bitmap.width; ++x) {
      if (coverage[x] == 0) continue;
      uint32_t& pixel = row[left + x];
      pixel = coverage[x] == 255 ? colour : mix(pixel & 0xFFFFFF, colour, coverage[x]);
    }
  }
}

void draw_line(Bitmap& bitmap, int left, int right, int top, int thickness, uint32_t colour) {
  fill_pixels(bitmap, RECT{left, top, right, top + thickness}, colour);
}

// Draws a text and returns the area it may have changed.
RECT draw_text(const DeviceContext& dc, Bitmap& bitmap, RealizedFont& font, int x, int y,
               const unsigned char* text, int count) {
  const FontMetrics& metrics = font.metrics();
  int width = text_width(font, text, count);
  if (dc.background_mode == OPAQUE)
    fill_pixels(bitmap, RECT{x, y, x + width, y + metrics.ascent + metrics.descent},
                pixel_of(dc.background_colour));
  uint32_t colour = pixel_of(dc.text_colour);
  int baseline = y + metrics.ascent, pen = x;
  RECT changed{x, y, x + width, y + metrics.ascent + metrics.descent};
  for (int i = 0; i < count && pen < bitmap.width + metrics.max_width; ++i) {
    const GlyphImage& glyph = font.glyph(text[i]);
    draw_glyph(bitmap, glyph, pen, baseline, colour);
    changed.left = std::min<LONG>(changed.left, pen + glyph.left);
    changed.top = std::min<LONG>(changed.top, baseline - glyph.top);
    changed.right = std::max<LONG>(changed.right, pen + glyph.left + glyph.width);
    changed.bottom = std::max<LONG>(changed.bottom, baseline - glyph.top + glyph.rows);
    pen += glyph.advance;
  }
  const LOGFONTA& logfont = find_as<Font>(dc.font) ? find_as<Font>(dc.font)->logfont : LOGFONTA{};
  if (logfont.lfUnderline)
    draw_line(bitmap, x, x + width, baseline + metrics.underline_offset, metrics.line_thickness,
              colour);
  if (logfont.lfStrikeOut)
    draw_line(bitmap, x, x + width, baseline - metrics.ascent / 3, metrics.line_thickness, colour);
  changed.bottom =
      std::max<LONG>(changed.bottom, baseline + metrics.underline_offset + metrics.line_thickness);
  return changed;
}

}  // namespace
}  // namespace posix

using namespace posix;

HFONT CreateFontIndirectA(const LOGFONTA* description) {
  if (description == nullptr) return nullptr;
  auto font = std::make_unique<Font>();
  font->logfont = *description;
  return static_cast<HFONT>(add_handle(std::move(font)));
}

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int count) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr || count < 0 || (text == nullptr && count > 0)) return FALSE;
  Bitmap* bitmap = target_bitmap(*dc);
  RealizedFont* font = dc_font(*dc);
  if (bitmap == nullptr || font == nullptr) return FALSE;
  if (count == 0 || std::abs(int64_t{x}) > kFarthest || std::abs(int64_t{y}) > kFarthest)
    return TRUE;
  note_drawn(*dc, draw_text(*dc, *bitmap, *font, x, y, reinterpret_cast<const unsigned char*>(text),
                            count));
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, LPSIZE size) {
  DeviceContext* dc = find_dc(handle);
  RealizedFont* font = dc ? dc_font(*dc) : nullptr;
  if (font == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0))
    return FALSE;
  if (count == 0) {  // no text has no height either, as under Wine
    *size = SIZE{0, 0};
    return TRUE;
  }
  size->cx = text_width(*font, reinterpret_cast<const unsigned char*>(text), count);
  size->cy = font->metrics().ascent + font->metrics().descent;
  return TRUE;
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics) {
  DeviceContext* dc = find_dc(handle);
  RealizedFont* font = dc ? dc_font(*dc) : nullptr;
  if (font == nullptr || metrics == nullptr) return FALSE;
  const Font* selected = find_as<Font>(dc->font);
  const FontMetrics& measured = font->metrics();
  *metrics = TEXTMETRICA{};
  metrics->tmAscent = measured.ascent;
  metrics->tmDescent = measured.descent;
  metrics->tmHeight = measured.ascent + measured.descent;
  metrics->tmInternalLeading = measured.internal_leading;
  metrics->tmAveCharWidth = measured.average_width;
  metrics->tmMaxCharWidth = measured.max_width;
  metrics->tmWeight = selected ? selected->logfont.lfWeight : FW_NORMAL;
  metrics->tmItalic = selected ? selected->logfont.lfItalic : 0;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = '?';
  metrics->tmBreakChar = ' ';
  return TRUE;
}

int SetBkMode(HDC handle, int mode) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
    SetLastError(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return 0;
  }
  int previous = dc->background_mode;
  dc->background_mode = mode;
  return previous;
}

int GetBkMode(HDC handle) {
  DeviceContext* dc = find_dc(handle);
  return dc ? dc->background_mode : 0;
}

COLORREF SetTextColor(HDC handle, COLORREF colour) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF previous = dc->text_colour;
  dc->text_colour = colour;  // kept whole: Windows reads back what was set
  return previous;
}

COLORREF GetTextColor(HDC handle) {
  DeviceContext* dc = find_dc(handle);
  return dc ? dc->text_colour : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF colour) {
  DeviceContext* dc = find_dc(handle);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF previous = dc->background_colour;
  dc->background_colour = colour;
  return previous;
}

COLORREF GetBkColor(HDC handle) {
  DeviceContext* dc = find_dc(handle);
  return dc ? dc->background_colour : CLR_INVALID;
}
