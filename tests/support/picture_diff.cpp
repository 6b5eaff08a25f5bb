#include "support/picture_diff.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

// A test that fails in a loop stops writing pictures after this many sets.
constexpr int kMaxPictureSetsPerTest = 4;
constexpr uint8_t kDifferenceRed[3] = {255, 0, 0};

struct Rgb {
  uint8_t red, green, blue;
};

// Widens a five-bit component to eight bits, 31 to 255.
uint8_t widen5(uint32_t value) { return static_cast<uint8_t>((value & 0x1F) * 255 / 31); }

Rgb rgb_of(uint32_t cell, int bits_per_pixel) {
  if (bits_per_pixel == 16) return {widen5(cell >> 11), widen5(cell >> 6), widen5(cell)};
  return {static_cast<uint8_t>(cell >> 16), static_cast<uint8_t>(cell >> 8),
          static_cast<uint8_t>(cell)};
}

bool inside(const Picture& picture, int x, int y) {
  return x >= 0 && y >= 0 && x < picture.width && y < picture.height;
}

// Where two pictures differ: how many pixels, the first in row order and the
// rectangle that holds them all, over the larger of the two sizes.
struct Differences {
  int count = 0;
  int first_x = -1, first_y = -1;
  int left = 0, top = 0, right = -1, bottom = -1;

  void add(int x, int y) {
    if (count++ == 0) {
      first_x = left = right = x;
      first_y = top = bottom = y;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    bottom = std::max(bottom, y);
  }
};

bool differ_at(const Picture& expected, const Picture& actual, int x, int y) {
  if (!inside(expected, x, y) || !inside(actual, x, y)) return true;
  return expected.at(x, y) != actual.at(x, y);
}

Differences find_differences(const Picture& expected, const Picture& actual) {
  Differences found;
  int width = std::max(expected.width, actual.width);
  int height = std::max(expected.height, actual.height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (differ_at(expected, actual, x, y)) found.add(x, y);
  return found;
}

std::string hex(uint32_t value, int bits_per_pixel) {
  char text[16];
  std::snprintf(text, sizeof(text), bits_per_pixel == 16 ? "0x%04X" : "0x%06X", value);
  return text;
}

std::string cell_text(const Picture& picture, int x, int y) {
  return inside(picture, x, y) ? hex(picture.at(x, y), picture.bits_per_pixel) : "(outside)";
}

// The test's name as a file name: parameterised names hold slashes.
std::string current_test_name() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name()
                                     : std::string("outside_a_test");
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  return name;
}

// The stem for the next set of pictures of this test: its name, with a
// number from the second failing comparison on; empty past the limit.
std::string next_file_stem() {
  static std::map<std::string, int> sets_written;
  std::string name = current_test_name();
  int set = ++sets_written[name];
  if (set > kMaxPictureSetsPerTest) return "";
  return set == 1 ? name : name + "-" + std::to_string(set);
}

// Writes one picture and gives its line of the failure message.
std::string write_png(const char* label, const std::string& path, int width, int height,
                      const std::vector<uint8_t>& rgb) {
  bool written = width > 0 && height > 0 &&
                 stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
  return "\n  " + std::string(label) + ": " + path + (written ? "" : " (could not be written)");
}

// Writes the three pictures and says where they are, or why they are not.
std::string write_pictures(const Picture& expected, const Picture& actual) {
  std::string stem = next_file_stem();
  if (stem.empty())
    return "\n  pictures not written: this test already wrote " +
           std::to_string(kMaxPictureSetsPerTest) + " sets";
  std::error_code error;
  std::filesystem::create_directories(picture_folder(), error);
  std::string base = picture_folder() + "/" + stem;
  return write_png("expected", base + "-expected.png", expected.width, expected.height,
                   picture_rgb(expected)) +
         write_png("actual", base + "-actual.png", actual.width, actual.height,
                   picture_rgb(actual)) +
         write_png("difference", base + "-difference.png", std::max(expected.width, actual.width),
                   std::max(expected.height, actual.height), difference_rgb(expected, actual));
}

std::string size_text(const Picture& picture) {
  return std::to_string(picture.width) + "x" + std::to_string(picture.height) + " at " +
         std::to_string(picture.bits_per_pixel) + " bits";
}

}  // namespace

std::string picture_folder() {
  const char* chosen = std::getenv("PIXWELL_TEST_PICTURES");
  return chosen != nullptr && *chosen != '\0' ? chosen : PIXWELL_TEST_PICTURES_DEFAULT;
}

std::vector<uint8_t> picture_rgb(const Picture& picture) {
  std::vector<uint8_t> rgb;
  rgb.reserve(picture.pixels.size() * 3);
  for (uint32_t cell : picture.pixels) {
    Rgb c = rgb_of(cell, picture.bits_per_pixel);
    rgb.insert(rgb.end(), {c.red, c.green, c.blue});
  }
  return rgb;
}

std::vector<uint8_t> difference_rgb(const Picture& expected, const Picture& actual) {
  int width = std::max(expected.width, actual.width);
  int height = std::max(expected.height, actual.height);
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (differ_at(expected, actual, x, y)) {
        rgb.insert(rgb.end(), std::begin(kDifferenceRed), std::end(kDifferenceRed));
        continue;
      }
      Rgb c = rgb_of(expected.at(x, y), expected.bits_per_pixel);
      auto grey = static_cast<uint8_t>(16 + (c.red + c.green + c.blue) / 12);
      rgb.insert(rgb.end(), {grey, grey, grey});
    }
  return rgb;
}

testing::AssertionResult pictures_match(const char* expected_text, const char* actual_text,
                                        const Picture& expected, const Picture& actual) {
  bool same_shape = expected.width == actual.width && expected.height == actual.height &&
                    expected.bits_per_pixel == actual.bits_per_pixel;
  if (same_shape && expected.pixels == actual.pixels) return testing::AssertionSuccess();
  std::ostringstream message;
  message << "The pictures " << expected_text << " (expected) and " << actual_text
          << " (actual) differ";
  if (!same_shape)
    message << " in size or depth: " << size_text(expected) << " against " << size_text(actual);
  Differences found = find_differences(expected, actual);
  if (found.count > 0)
    message << "\n  " << found.count << " pixels differ, first at (" << found.first_x << ", "
            << found.first_y << "): expected " << cell_text(expected, found.first_x, found.first_y)
            << ", actual " << cell_text(actual, found.first_x, found.first_y)
            << "; all within columns " << found.left << ".." << found.right << ", rows "
            << found.top << ".." << found.bottom;
  message << write_pictures(expected, actual);
  return testing::AssertionFailure() << message.str();
}
