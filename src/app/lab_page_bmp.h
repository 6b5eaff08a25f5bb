// The BMP page: one BMP file drawn (DrawBmpFile) and blended (BlendBmpFile)
// onto canvases of 32 and 16 bits per pixel side by side, moved with the
// arrow keys; a file the blitters would refuse is named with the reason.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "raster/bmp.h"

extern const char kBmpHelpLine[];
constexpr char kLabSampleBmp[] = "lab-sample.bmp";  // made by the build, beside the Lab

// Why the blitters draw nothing of a file, or empty when they draw some of
// it: the header as ReadBmpHeader left it, whether that read succeeded, and
// the file's size.
std::string BmpRefusal(const uint8_t (&header)[kBmpHeaderSize], bool read, uint64_t file_size,
                       const std::string& shown_name);

// The file the page shows; a relative name is taken from the current
// directory as it is now, before the Lab moves to its data folder.
void SetBmpPageFile(const std::string& file_name);
bool BmpKey(WPARAM key);
void PresentBmp(const std::string& status);
// The status line the page shows for its file.
std::string BmpStatus();
