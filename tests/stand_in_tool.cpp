// A stand-in for the external tools that the launching tests start: it
// writes its working directory and its arguments, one a line, to record.txt
// beside its own executable, and exits.
#include <cstdio>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::string own_folder() {
  char path[4096] = {};
#ifdef _WIN32
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string text = path;
  return text.substr(0, text.find_last_of('\\') + 1);
#else
  ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  std::string text(path, length > 0 ? static_cast<size_t>(length) : 0);
  return text.substr(0, text.find_last_of('/') + 1);
#endif
}

// The working directory in Windows form, as the tests name folders.
std::string working_directory() {
  char path[4096] = {};
#ifdef _WIN32
  GetCurrentDirectoryA(sizeof(path), path);
  return path;
#else
  std::string text = getcwd(path, sizeof(path)) ? path : "";
  for (char& c : text)
    if (c == '/') c = '\\';
  return text;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = own_folder();
  // A slow tool, when asked: the launch must not wait for it.
  if (std::ifstream(folder + "slow.txt")) {
#ifdef _WIN32
    Sleep(1500);
#else
    sleep(2);
#endif
  }
  {
    std::ofstream out(folder + "record.tmp", std::ios::binary | std::ios::trunc);
    out << working_directory() << '\n';
    for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
  }
  return std::rename((folder + "record.tmp").c_str(), (folder + "record.txt").c_str()) == 0 ? 0 : 1;
}
