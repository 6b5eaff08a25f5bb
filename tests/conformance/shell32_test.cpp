// SHELL32: what ShellExecuteA answers for a file that is not there.
#include <gtest/gtest.h>

#include <string>

#include "conformance/conformance.h"

using conformance::ScratchFolder;

namespace {

INT_PTR shell_execute(const char* verb, const std::string& file, const char* directory) {
  return reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, verb, file.c_str(), nullptr, directory, SW_HIDE));
}

// Documented (ShellExecute): a missing file is ERROR_FILE_NOT_FOUND (2),
// named in full or relative to the directory given, with the default verb
// as with "open".
TEST(ShellExecute, AMissingFileIsFileNotFound) {
  ScratchFolder folder;
  std::string full = folder.native_path("absent.exe");
  std::string directory = folder.native_path();
  EXPECT_EQ(shell_execute("open", full, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(shell_execute(nullptr, full, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(shell_execute("open", "absent.exe", directory.c_str()), ERROR_FILE_NOT_FOUND);
}

}  // namespace
