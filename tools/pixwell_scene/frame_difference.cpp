#include "frame_difference.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "frame_image.h"

namespace {

std::set<std::string> png_names(const std::string& directory) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error))
    if (entry.path().extension() == ".png") names.insert(entry.path().filename().string());
  return names;
}

struct Difference {
  long pixels = 0;
  int largest = 0;  // largest difference of one channel
  int first_x = -1, first_y = -1;
};

Difference difference_of(const FrameImage& a, const FrameImage& b) {
  Difference result;
  for (size_t i = 0; i < a.rgb.size(); i += 3) {
    int largest = 0;
    for (size_t c = 0; c < 3; ++c)
      largest = std::max(largest, std::abs(a.rgb[i + c] - b.rgb[i + c]));
    if (largest > 0 && result.pixels++ == 0) {
      result.first_x = static_cast<int>(i / 3 % static_cast<size_t>(a.width));
      result.first_y = static_cast<int>(i / 3 / static_cast<size_t>(a.width));
    }
    result.largest = std::max(result.largest, largest);
  }
  return result;
}

// Prints one line for the frame; returns whether it differs by more than
// the tolerance.
bool compare_one(const std::string& name, const std::string& first, const std::string& second,
                 int tolerance) {
  FrameImage a, b;
  if (!read_png(first + "/" + name, a) || !read_png(second + "/" + name, b)) {
    std::printf("%s: can't be read in both folders\n", name.c_str());
    return true;
  }
  if (a.width != b.width || a.height != b.height) {
    std::printf("%s: %dx%d against %dx%d\n", name.c_str(), a.width, a.height, b.width, b.height);
    return true;
  }
  Difference d = difference_of(a, b);
  std::printf("%s: %ld of %d pixels differ, by at most %d in a channel", name.c_str(), d.pixels,
              a.width * a.height, d.largest);
  if (d.pixels != 0)
    std::printf(" (the first at (%d, %d): %06X against %06X)", d.first_x, d.first_y,
                a.pixel(d.first_x, d.first_y), b.pixel(d.first_x, d.first_y));
  std::printf("\n");
  return d.largest > tolerance;
}

}  // namespace

int compare_scene_frames(const std::string& first, const std::string& second, int tolerance) {
  std::set<std::string> names = png_names(first), other = png_names(second);
  bool sets_differ = names.empty() || names != other;
  if (sets_differ)
    std::printf("the folders hold %zu and %zu frames, or differently named ones\n", names.size(),
                other.size());
  int compared = 0, differing = 0;
  for (const std::string& name : names) {
    if (!other.count(name)) continue;
    ++compared;
    differing += compare_one(name, first, second, tolerance) ? 1 : 0;
  }
  std::printf("%d frames compared, %d differ by more than %d\n", compared, differing, tolerance);
  return differing + (sets_differ ? 1 : 0);
}
