#include "support/stand_in_tool.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/win32.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

std::string program_folder() {
  char path[4096];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string stand_in_tool() {
#ifdef _WIN32
  return program_folder() + "stand_in_tool.exe";
#else
  return program_folder() + "stand_in_tool";
#endif
}

bool install_tool(const std::string& from, const std::string& to) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(host_path(to)).parent_path(), ignored);
  std::string bytes = read_file_bytes(from);
  if (bytes.empty()) return false;
  write_file_bytes(to, bytes);
#ifndef _WIN32
  chmod(host_path(to).c_str(), 0755);
#endif
  return true;
}

std::vector<std::string> wait_for_record(const std::string& file, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string text = read_file_bytes(file);
    if (!text.empty()) {
      std::vector<std::string> lines;
      for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
      return lines;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return {};
}

std::string as_working_directory(std::string folder) {
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

CurrentDirectory::CurrentDirectory(const std::string& folder) {
  GetCurrentDirectoryA(sizeof(previous_), previous_);
  SetCurrentDirectoryA(folder.c_str());
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(previous_); }
