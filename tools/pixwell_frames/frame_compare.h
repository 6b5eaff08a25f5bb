// Compares two folders of saved frames pixel by pixel.
#pragma once

#include <string>

// Returns the number of differences found (missing files, sizes or pixels
// that differ), printing the first of each; 0 when every frame is identical.
int compare_frame_folders(const std::string& first, const std::string& second);
