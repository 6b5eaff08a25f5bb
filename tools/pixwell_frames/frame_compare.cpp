#include "frame_compare.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "frame_image.h"

namespace {

std::set<std::string> frame_names(const std::string& directory) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("frame_", 0) == 0 && entry.path().extension() == ".png") names.insert(name);
  }
  return names;
}

// Returns the number of differing pixels and prints the first.
long count_pixel_differences(const std::string& name, const FrameImage& a, const FrameImage& b) {
  long differences = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.pixel(x, y) == b.pixel(x, y)) continue;
      if (differences++ == 0)
        std::printf("%s: first difference at (%d, %d): %06X against %06X\n", name.c_str(), x, y,
                    a.pixel(x, y), b.pixel(x, y));
    }
  }
  if (differences) std::printf("%s: %ld pixels differ\n", name.c_str(), differences);
  return differences;
}

int compare_frame(const std::string& name, const std::string& first, const std::string& second) {
  FrameImage a;
  FrameImage b;
  if (!read_png(first + "/" + name, a) || !read_png(second + "/" + name, b)) {
    std::printf("%s: can't be read in both folders\n", name.c_str());
    return 1;
  }
  if (a.width != b.width || a.height != b.height) {
    std::printf("%s: %dx%d against %dx%d\n", name.c_str(), a.width, a.height, b.width, b.height);
    return 1;
  }
  return count_pixel_differences(name, a, b) ? 1 : 0;
}

}  // namespace

int compare_frame_folders(const std::string& first, const std::string& second) {
  std::set<std::string> names = frame_names(first);
  std::set<std::string> other = frame_names(second);
  int differences = 0;
  if (names.empty() || names != other) {
    std::printf("the folders hold %zu and %zu frames, or differently named ones\n", names.size(),
                other.size());
    ++differences;
  }
  for (const std::string& name : names)
    if (other.count(name)) differences += compare_frame(name, first, second);
  if (differences == 0) std::printf("%zu frames, all identical\n", names.size());
  return differences;
}
