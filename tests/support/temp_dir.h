// A scratch directory for one test, removed with its contents afterwards.
// Paths are handed out in Windows form so the same test runs on both targets.
#pragma once

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory, ending in a backslash.
  const std::string& path() const { return path_; }
  // The full path of a file in the directory.
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// A path in Windows form as std::filesystem takes it on this target.
std::string host_path(const std::string& path);
// Writes bytes to a file (created or replaced).
void write_file_bytes(const std::string& path, const std::string& bytes);
// Reads a whole file, or returns an empty string when it cannot.
std::string read_file_bytes(const std::string& path);
