#include "support/temp_dir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// std::filesystem takes either separator on Windows; on Linux it needs '/'.
std::string native_path(std::string path) {
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return path;
}
std::string windows_path(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}
}  // namespace

TempDir::TempDir() {
  static std::atomic<int> serial{0};
  std::random_device seed;
  fs::path dir = fs::temp_directory_path() /
                 ("pixwell-test-" + std::to_string(seed()) + "-" + std::to_string(serial++));
  fs::create_directories(dir);
  path_ = windows_path(dir.string()) + "\\";
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(native_path(path_), fs::perms::all, ignored);
  for (auto& entry : fs::recursive_directory_iterator(native_path(path_), ignored))
    fs::permissions(entry.path(), fs::perms::owner_all, ignored);
  fs::remove_all(native_path(path_), ignored);
}

std::string host_path(const std::string& path) { return native_path(path); }

void write_file_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(native_path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_file_bytes(const std::string& path) {
  std::ifstream in(native_path(path), std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}
