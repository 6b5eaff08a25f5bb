// The stand-in tool (tests/stand_in_tool.cpp), built beside the test programs:
// started as an external tool, it records its working directory and its
// arguments in record.txt beside itself.
#pragma once

#include <string>
#include <vector>

// The folder of the running test program, ending in a backslash.
std::string program_folder();
// The stand-in tool's executable.
std::string stand_in_tool();
// Copies a program into place as an executable file, making its folder;
// false when the program can't be read.
bool install_tool(const std::string& from, const std::string& to);
// The lines that the stand-in recorded in a file, once it has; empty when
// nothing was recorded within the time.
std::vector<std::string> wait_for_record(const std::string& file, int timeout_ms = 10000);
// A folder as the stand-in records its working directory: no trailing
// backslash except at a drive's root.
std::string as_working_directory(std::string folder);

// Makes a folder the current directory for the scope's length.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  char previous_[4096] = {};
};
