#include "platform/gdi32/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

namespace posix {
namespace {

// Windows face names of fixed-pitch fonts, matched to an installed
// monospace face when the named one is absent.
constexpr const char* kMonospaceFaces[] = {
    "lucida console", "courier new",           "courier", "consolas", "fixedsys",
    "terminal",       "lucida sans typewriter"};

// Code page 1252 characters 0x80 to 0x9F; the other bytes are Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t unicode_of(unsigned char code) {
  return code >= 0x80 && code <= 0x9F ? kCp1252High[code - 0x80] : code;
}

std::string lower(const char* text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool wants_monospace(const LOGFONTA& font) {
  std::string face = lower(font.lfFaceName);
  for (const char* name : kMonospaceFaces)
    if (face == name) return true;
  return (font.lfPitchAndFamily & 3) == FIXED_PITCH || (font.lfPitchAndFamily & 0xF0) == FF_MODERN;
}

const char* generic_family(const LOGFONTA& font) {
  if (wants_monospace(font)) return "monospace";
  return (font.lfPitchAndFamily & 0xF0) == FF_ROMAN ? "serif" : "sans-serif";
}

struct FaceFile {
  std::string path;
  int index = 0;
};

// Asks fontconfig for the installed face nearest to the description.
bool match_face(const LOGFONTA& font, FaceFile& found) {
  FcPattern* pattern = FcPatternCreate();
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, font.lfFaceName, LF_FACESIZE);
  if (face[0] != '\0') FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8*>(face));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic_family(font)));
  if (wants_monospace(font)) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
  FcPatternAddInteger(pattern, FC_WEIGHT,
                      font.lfWeight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* file = nullptr;
  int index = 0;
  bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    found.path = reinterpret_cast<const char*>(file);
    found.index = index;
  }
  FcPatternDestroy(match);
  return ok;
}

// The em height used for lfHeight 0, and the largest one drawn.
constexpr int64_t kDefaultEm = 12;
constexpr int64_t kLargestEm = 2048;

int scale(int units, int pixels, int units_per_em) {
  return static_cast<int>((int64_t{units} * pixels + units_per_em / 2) / units_per_em);
}

class FreeTypeFont : public RealizedFont {
 public:
  FreeTypeFont(FT_Face face, const LOGFONTA& font) : face_(face) {
    monochrome_ = font.lfQuality == DRAFT_QUALITY || font.lfQuality == NONANTIALIASED_QUALITY;
    set_size(font);
  }
  ~FreeTypeFont() override { FT_Done_Face(face_); }

  const GlyphImage& glyph(unsigned char code) override {
    if (!loaded_[code]) {
      render(code, glyphs_[code]);
      loaded_[code] = true;
    }
    return glyphs_[code];
  }
  const FontMetrics& metrics() const override { return metrics_; }
  bool monochrome() const override { return monochrome_; }

 private:
  // Windows reads a negative lfHeight as the character (em) height and a
  // positive one as the cell height, ascent plus descent.
  void set_size(const LOGFONTA& font) {
    int units_per_em = std::max<int>(face_->units_per_EM, 1);
    int ascent_units = face_->ascender, descent_units = -face_->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        ascent_units = os2->usWinAscent;
        descent_units = os2->usWinDescent;
      }
    }
    int64_t height = font.lfHeight, em = kDefaultEm;
    if (height < 0)
      em = -height;
    else if (height > 0)
      em = height * units_per_em / std::max(1, ascent_units + descent_units);
    em = std::clamp<int64_t>(em, 1, kLargestEm);
    int64_t width = 0;
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em));
    int average = average_width_units(units_per_em);
    if (font.lfWidth > 0 && average > 0)
      width =
          std::clamp<int64_t>(int64_t{font.lfWidth} * units_per_em / average, 1, 2 * kLargestEm);
    FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(width), static_cast<FT_UInt>(em));
    if (height > 0) {
      // A cell height is met exactly, split between ascent and descent.
      int cell = static_cast<int>(std::min<int64_t>(height, 2 * kLargestEm));
      metrics_.ascent = scale(ascent_units, cell, std::max(1, ascent_units + descent_units));
      metrics_.descent = cell - metrics_.ascent;
    } else {
      metrics_.ascent = scale(ascent_units, static_cast<int>(em), units_per_em);
      metrics_.descent = scale(descent_units, static_cast<int>(em), units_per_em);
    }
    metrics_.internal_leading =
        std::max(0, metrics_.ascent + metrics_.descent - static_cast<int>(em));
    int x_em = static_cast<int>(width > 0 ? width : em);
    metrics_.average_width = scale(average, x_em, units_per_em);
    metrics_.max_width = scale(static_cast<int>(face_->max_advance_width), x_em, units_per_em);
    metrics_.underline_offset =
        std::max(1, scale(-face_->underline_position, static_cast<int>(em), units_per_em));
    metrics_.line_thickness =
        std::max(1, scale(face_->underline_thickness, static_cast<int>(em), units_per_em));
  }

  int average_width_units(int units_per_em) const {
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)))
      if (os2->xAvgCharWidth > 0) return os2->xAvgCharWidth;
    return units_per_em / 2;
  }

  void render(unsigned char code, GlyphImage& image) {
    FT_Int32 flags = FT_LOAD_RENDER | (monochrome_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Char(face_, unicode_of(code), flags) != 0) return;
    FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    image.coverage.assign(static_cast<size_t>(image.width) * image.rows, 0);
    for (int y = 0; y < image.rows; ++y) {
      const unsigned char* line = bitmap.buffer + y * bitmap.pitch;
      for (int x = 0; x < image.width; ++x) {
        uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                            ? ((line[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                            : line[x];
        image.coverage[static_cast<size_t>(y) * image.width + x] = value;
      }
    }
  }

  FT_Face face_;
  bool monochrome_ = false;
  FontMetrics metrics_;
  std::array<GlyphImage, 256> glyphs_;
  std::array<bool, 256> loaded_{};
};

struct FontCache {
  FT_Library library = nullptr;
  std::map<std::string, std::unique_ptr<RealizedFont>> fonts;
};

FontCache& cache() {
  static FontCache* instance = [] {
    auto* created = new FontCache;  // lives until the process ends
    FcInit();
    FT_Init_FreeType(&created->library);
    return created;
  }();
  return *instance;
}

std::string cache_key(const LOGFONTA& font) {
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, font.lfFaceName, LF_FACESIZE);
  return lower(face) + '/' + std::to_string(font.lfHeight) + '/' + std::to_string(font.lfWidth) +
         '/' + std::to_string(font.lfWeight >= 600) + std::to_string(font.lfItalic != 0) +
         std::to_string(font.lfQuality == DRAFT_QUALITY ||
                        font.lfQuality == NONANTIALIASED_QUALITY) +
         '/' + std::to_string(font.lfPitchAndFamily);
}

}  // namespace

RealizedFont* realize_font(const LOGFONTA& font) {
  FontCache& fonts = cache();
  std::string key = cache_key(font);
  auto found = fonts.fonts.find(key);
  if (found != fonts.fonts.end()) return found->second.get();
  FaceFile file;
  FT_Face face = nullptr;
  if (fonts.library == nullptr || !match_face(font, file) ||
      FT_New_Face(fonts.library, file.path.c_str(), file.index, &face) != 0)
    return nullptr;
  auto realized = std::make_unique<FreeTypeFont>(face, font);
  RealizedFont* result = realized.get();
  fonts.fonts.emplace(key, std::move(realized));
  return result;
}

}  // namespace posix
