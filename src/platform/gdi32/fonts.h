// Fonts as the text calls draw them: a LOGFONTA matched by fontconfig to an
// installed face, sized as Windows reads lfHeight, rendered by FreeType into
// cached glyph coverage maps.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win32.h"

namespace posix {

struct GlyphImage {
  int left = 0;  // from the pen position to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  int advance = 0;                // whole pixels to the next pen position
  std::vector<uint8_t> coverage;  // width × rows, 0 to 255
};

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;  // cell height above the em height
  int average_width = 0;
  int max_width = 0;
  int underline_offset = 1;  // below the baseline
  int line_thickness = 1;
};

class RealizedFont {
 public:
  virtual ~RealizedFont() = default;
  virtual const GlyphImage& glyph(unsigned char code) = 0;
  virtual const FontMetrics& metrics() const = 0;
  // True when glyphs are drawn without anti-aliasing.
  virtual bool monochrome() const = 0;
};

// Returns the face that draws a font description, cached for the process;
// null when no face can be loaded at all.
RealizedFont* realize_font(const LOGFONTA& font);

}  // namespace posix
