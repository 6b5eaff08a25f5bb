// Process-level kernel calls: the thread's last error, the module's file
// name, the current directory and the millisecond clock.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/kernel32/kernel_objects.h"

namespace {
thread_local DWORD last_error = ERROR_SUCCESS;

// Windows paths use backslashes; the system scans for them (the program's
// directory ends at the last backslash), so paths are handed out that way.
std::string to_windows_path(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// Copies a path into a caller's buffer as GetModuleFileNameA does: cut to
// size − 1 bytes and terminated when it does not fit, returning size then.
DWORD copy_path(const std::string& path, LPSTR buffer, DWORD size) {
  if (size == 0) return 0;
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}
}  // namespace

DWORD GetLastError() { return last_error; }
void SetLastError(DWORD code) { last_error = code; }

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (module != nullptr && module != GetModuleHandleA(nullptr)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  char target[4096];
  ssize_t length = ::readlink("/proc/self/exe", target, sizeof(target) - 1);
  if (length < 0) return 0;
  target[length] = '\0';
  return copy_path(to_windows_path(target), buffer, size);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char directory[4096];
  if (::getcwd(directory, sizeof(directory)) == nullptr) return 0;
  std::string path = to_windows_path(directory);
  if (path.size() >= size) return static_cast<DWORD>(path.size() + 1);
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
  std::string folder = posix::to_posix_path(path);
  if (!folder.empty() && ::chdir(folder.c_str()) == 0) return TRUE;
  SetLastError(folder.empty() ? ERROR_PATH_NOT_FOUND : posix::error_for_path(errno, folder));
  return FALSE;
}

DWORD GetTickCount() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<DWORD>(now.tv_sec * 1000ull + now.tv_nsec / 1000000);
}

void Sleep(DWORD milliseconds) {
  timespec pause{static_cast<time_t>(milliseconds / 1000),
                 static_cast<long>(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}
