// Helpers of the conformance cases, which check that the calls the layer
// provides answer as Windows does. They use nothing but Win32 calls and the
// C++ library, so the same cases run natively and under Wine. Each case's
// source is said in one line above it: the Win32 documentation, or Wine's
// behaviour where the documentation leaves the answer open.
#pragma once

#include <filesystem>
#include <string>

#include "platform/win32.h"

namespace conformance {

// An empty folder of the test's own, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of `name` inside the folder, with forward slashes.
  std::string path(const std::string& name = "") const;
  // The same path in the form the system's calls take (backslashes on Windows).
  std::string native_path(const std::string& name = "") const;
  // Creates a file of `bytes` bytes inside the folder.
  void create_file(const std::string& name, size_t bytes = 0) const;

 private:
  std::filesystem::path root_;
};

}  // namespace conformance
