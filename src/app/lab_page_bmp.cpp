#include "app/lab_page_bmp.h"

#include <algorithm>
#include <vector>

#include "app/lab_gallery.h"
#include "app/lab_paths.h"
#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "raster/canvas.h"

const char kBmpHelpLine[] =
    "BMP: the arrow keys move the image by 8 pixels, Home puts it back.  Top: DrawBmpFile, "
    "bottom: BlendBmpFile over stripes; left 32 bpp, right 16 bpp.";

namespace {

constexpr int32_t kPictureWidth = 440, kPictureHeight = 240;
constexpr POINT kPictureOrigins[2][2] = {{{20, 10}, {500, 10}}, {{20, 280}, {500, 280}}};
constexpr int32_t kDepths[2] = {32, 16};
constexpr int32_t kStep = 8, kReach = 1000;
constexpr uint32_t kPageColour = 0x202830;
constexpr POINT kHome{20, 20};

uint32_t read_u16(const uint8_t* bytes, int offset) {
  return bytes[offset] | bytes[offset + 1] << 8;
}

struct BmpPage {
  std::string File;  // as the blitters are given it
  POINT At = kHome;
  bool Drawn = false;  // the frame holds the pictures of File at At
  std::vector<uint32_t> Frame = std::vector<uint32_t>(kPageBytes / 4);
  std::string Status;
};

BmpPage page;

bool is_absolute(const std::string& name) {
  return !name.empty() &&
         (name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':'));
}

struct FileLook {
  uint64_t Size = 0;
  bool Folder = false;
};

FileLook look_at(const std::string& name) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(name.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return {uint64_t{found.nFileSizeHigh} << 32 | found.nFileSizeLow,
          (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

// Stripes of two colours a blend of the image shows through.
void fill_background(const Canvas& canvas, bool striped) {
  for (int32_t y = 0; y < kPictureHeight; ++y)
    for (int32_t x = 0; x < kPictureWidth; ++x) {
      bool light = striped && ((x + y) / 16) % 2 == 0;
      uint32_t colour = light ? PackColour(0xC0, 0x80, 0x40, canvas.BitsPerPixel)
                              : PackColour(0x20, 0x40, 0x80, canvas.BitsPerPixel);
      PutPixel(canvas, x, y, striped ? colour : PackColour(0, 0, 0, canvas.BitsPerPixel));
    }
}

void copy_picture(const Canvas& picture, POINT at) {
  for (int32_t y = 0; y < kPictureHeight; ++y)
    for (int32_t x = 0; x < kPictureWidth; ++x)
      page.Frame[size_t(at.y + y) * kBufferWidth + at.x + x] =
          DisplayColour(GetPixel(picture, x, y), picture.BitsPerPixel);
}

std::string verdict() {
  uint8_t header[kBmpHeaderSize] = {};
  bool read = ReadBmpHeader(header, page.File.c_str()) != 0;
  std::string shown = DisplayPath(page.File);
  FileLook file = look_at(page.File);
  // Some systems read a folder as an empty file.
  if (file.Folder) return "Cannot draw " + shown + ": it is a folder.";
  std::string refusal = BmpRefusal(header, read, file.Size, shown);
  if (!refusal.empty()) return refusal;
  return shown + ": " + std::to_string(read_u16(header, 18)) + " x " +
         std::to_string(read_u16(header, 22)) + " pixels, 24 bits per pixel, drawn at (" +
         std::to_string(page.At.x) + ", " + std::to_string(page.At.y) + ")";
}

// The pictures are drawn again only when the file or the place changes: the
// page is presented 40 times a second and each picture reads the file.
void draw_pictures() {
  std::fill(page.Frame.begin(), page.Frame.end(), kPageColour);
  std::vector<uint32_t> cells(size_t{kPictureWidth} * kPictureHeight);
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 2; ++column) {
      Canvas canvas{cells.data(), kPictureWidth, kPictureHeight, kDepths[column]};
      fill_background(canvas, row == 1);
      if (row == 0)
        DrawBmpFile(page.File.c_str(), canvas, 0, page.At.x, page.At.y);
      else
        BlendBmpFile(page.File.c_str(), canvas, 0, page.At.x, page.At.y);
      copy_picture(canvas, kPictureOrigins[row][column]);
    }
  page.Status = verdict();
  page.Drawn = true;
}

void draw_texts(const std::string& status) {
  const std::string lines[3] = {kBmpHelpLine, status, page.Status};
  WriteLabLines(kLabHelpTop, lines, 3);
}

}  // namespace

std::string BmpRefusal(const uint8_t (&header)[kBmpHeaderSize], bool read, uint64_t file_size,
                       const std::string& shown_name) {
  std::string cannot = "Cannot draw " + shown_name + ": ";
  if (!read) return cannot + "no such file or no access.";
  if (file_size < kBmpHeaderSize) return cannot + "it is shorter than a BMP header.";
  uint32_t bits = read_u16(header, 28), width = read_u16(header, 18), height = read_u16(header, 22);
  if (bits != 24)
    return cannot + "it has " + std::to_string(bits) + (bits == 1 ? " bit" : " bits") +
           " per pixel; the BMP calls draw 24 only.";
  if (width == 0 || height == 0) return cannot + "its width or height is 0.";
  if (file_size < kBmpHeaderSize + uint64_t{width} * 3)
    return cannot + "it ends before its first row of pixels.";
  return "";
}

void SetBmpPageFile(const std::string& file_name) {
  page.File = file_name;
  if (!is_absolute(file_name)) {
    char directory[4096] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(directory), directory);
    if (length > 0 && length < sizeof(directory)) page.File = directory + ("\\" + file_name);
  }
  page.Drawn = false;
}

bool BmpKey(WPARAM key) {
  POINT& at = page.At;
  switch (key) {
    case VK_LEFT: at.x = std::max<LONG>(at.x - kStep, -kReach); break;
    case VK_RIGHT: at.x = std::min<LONG>(at.x + kStep, kReach); break;
    case VK_UP: at.y = std::max<LONG>(at.y - kStep, -kReach); break;
    case VK_DOWN: at.y = std::min<LONG>(at.y + kStep, kReach); break;
    case VK_HOME: at = kHome; break;
    default: return false;
  }
  page.Drawn = false;
  return true;
}

void PresentBmp(const std::string& status) {
  if (!page.Drawn) draw_pictures();
  SetBitmapBits(BackBitmap, kPageBytes, page.Frame.data());
  draw_texts(status);
}

std::string BmpStatus() { return page.Status; }
