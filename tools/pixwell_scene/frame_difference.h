// Compares the frames of two folders pixel by pixel, reporting how many
// pixels differ and by how much.
#pragma once

#include <string>

// Returns the number of frames that can't be compared or that differ by
// more than `tolerance` in some channel of some pixel.
int compare_scene_frames(const std::string& first, const std::string& second, int tolerance);
