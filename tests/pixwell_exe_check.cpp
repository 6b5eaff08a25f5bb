// Checks Pixwell.exe from outside, as the system sees it:
//   pixwell_exe_check close PATH  starts it (with arguments it must ignore),
//                                 closes its "Debug" window with WM_CLOSE and
//                                 expects exit code 0;
//   pixwell_exe_check icon PATH   loads its "IDI_APPLICATION" icon group and
//                                 expects a 32 by 32 icon.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kStartTimeout = 30000;  // Wine's first start can be slow
constexpr DWORD kExitTimeout = 10000;

int fail(const char* what) {
  std::printf("FAILED: %s\n", what);
  return 1;
}

// Returns the "Debug" window of class "ZORV" that the process owns.
HWND wait_for_main_window(DWORD process_id, HANDLE process) {
  DWORD deadline = GetTickCount() + kStartTimeout;
  while (GetTickCount() < deadline) {
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    HWND window = FindWindowA("ZORV", "Debug");
    DWORD owner = 0;
    if (window != nullptr && GetWindowThreadProcessId(window, &owner) && owner == process_id)
      return window;
    Sleep(50);
  }
  return nullptr;
}

int check_close(const std::string& path) {
  std::string command = "\"" + path + "\" --any arguments /are ignored";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return fail("Pixwell.exe can't be started");
  HWND window = wait_for_main_window(process.dwProcessId, process.hProcess);
  if (window == nullptr) return fail("no \"Debug\" window of class \"ZORV\" appeared");
  Sleep(300);  // a few frames play
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, kExitTimeout) != WAIT_OBJECT_0)
    return fail("the process did not end after WM_CLOSE");
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  std::printf("exit code %lu\n", static_cast<unsigned long>(code));
  return code == 0 ? 0 : fail("exit code is not 0");
}

int check_icon(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return fail("Pixwell.exe can't be loaded as data");
  if (FindResourceA(module, "IDI_APPLICATION", MAKEINTRESOURCEA(14)) == nullptr)
    return fail("no icon group named IDI_APPLICATION");
  HICON icon = static_cast<HICON>(LoadImageA(module, "IDI_APPLICATION", IMAGE_ICON, 0, 0, 0));
  ICONINFO info{};
  BITMAP colour{};
  if (icon == nullptr || !GetIconInfo(icon, &info) ||
      !GetObjectA(info.hbmColor, sizeof(colour), &colour))
    return fail("the icon can't be loaded");
  std::printf("icon %ldx%ld\n", colour.bmWidth, colour.bmHeight);
  return colour.bmWidth == 32 && colour.bmHeight == 32 ? 0 : fail("the icon is not 32 by 32");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) return check_close(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "icon") == 0) return check_icon(argv[2]);
  std::printf("usage: pixwell_exe_check close|icon PATH\n");
  return 2;
}
