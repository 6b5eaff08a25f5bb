// The program's module handle, its command line and the end of the process.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/kernel32/kernel_objects.h"
#include "platform/user32/user_objects.h"
#include "platform/winmm/sound_machinery.h"

namespace {

// The program's module handle: the base address Windows loads programs at.
const HMODULE kProgramModule = reinterpret_cast<HMODULE>(0x400000);
constexpr DWORD kErrorModuleNotFound = 126;

// Quotes an argument that holds a space, as Windows command lines do.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t") == std::string::npos) return argument;
  return '"' + argument + '"';
}

std::string read_command_line() {
  std::ifstream file("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string line;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    if (!line.empty()) line += ' ';
    line += quoted(raw.substr(start, end - start));
    start = end + 1;
  }
  return line;
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR module_name) {
  if (module_name == nullptr) return kProgramModule;
  SetLastError(kErrorModuleNotFound);
  return nullptr;
}

LPSTR GetCommandLineA() {
  static std::string* line = new std::string(read_command_line());
  return line->data();
}

// The sound threads and the program's own threads may be inside SDL's
// audio calls, so they end first; then SDL shuts down. A thread of the
// program's that does not end may be using anything, SDL or a static table,
// so then the process ends at once, as Windows ends such threads.
void ExitProcess(UINT exit_code) {
  std::fflush(nullptr);
  posix::shut_down_sound();
  if (!posix::join_created_threads()) std::_Exit(static_cast<int>(exit_code));
  posix::shut_down_video();
  std::exit(static_cast<int>(exit_code));
}
