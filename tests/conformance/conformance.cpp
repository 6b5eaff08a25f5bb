#include "conformance/conformance.h"

#include <atomic>
#include <chrono>
#include <fstream>

namespace conformance {

ScratchFolder::ScratchFolder() {
  static std::atomic<int> serial{0};
  auto stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  root_ = std::filesystem::temp_directory_path() /
          ("pixwell_conformance_" + stamp + "_" + std::to_string(serial++));
  std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string ScratchFolder::path(const std::string& name) const {
  return (root_ / name).generic_string();
}

std::string ScratchFolder::native_path(const std::string& name) const {
  return (root_ / name).make_preferred().string();
}

void ScratchFolder::create_file(const std::string& name, size_t bytes) const {
  std::ofstream file(root_ / name, std::ios::binary);
  file << std::string(bytes, 'x');
}

}  // namespace conformance
