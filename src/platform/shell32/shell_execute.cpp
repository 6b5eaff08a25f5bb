// ShellExecuteA for the "open" verb on a program: the file resolved against
// the given directory (or the current one), the parameters split into
// arguments by the Windows command-line rules, the program started detached
// in the given working directory, and Windows' result values.
#include <fcntl.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "platform/kernel32/kernel_objects.h"
#include "platform/win32.h"

extern char** environ;

namespace {

constexpr INT_PTR kStarted = 42;  // any value above 32 means success
constexpr INT_PTR kBadFormat = 11;

HINSTANCE result(INT_PTR value) { return reinterpret_cast<HINSTANCE>(value); }

INT_PTR error_of(int error) {
  switch (error) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM: return SE_ERR_OOM;
    case ENOEXEC: return kBadFormat;
    default: return SE_ERR_ACCESSDENIED;
  }
}

bool is_directory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The file as a POSIX path: an absolute one as it is, a relative one taken
// from the given directory when there is one, else from the current one.
std::string resolve(const std::string& file, const std::string& directory) {
  if (file[0] == '/' || directory.empty()) return file;
  return directory.back() == '/' ? directory + file : directory + "/" + file;
}

// The file's check before starting it: missing (in a missing folder too, as
// Windows' shell reports it), a folder, or not a program.
INT_PTR check_program(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return SE_ERR_FNF;
  if (S_ISDIR(info.st_mode)) return SE_ERR_NOASSOC;
  if (::access(path.c_str(), X_OK) != 0) return SE_ERR_ACCESSDENIED;
  return 0;
}

// Appends n backslashes to an argument.
void add_backslashes(std::string& argument, size_t count) { argument.append(count, '\\'); }

// Splits a parameter string as the Windows C runtime splits a command line:
// blanks separate arguments outside quotes; 2n backslashes before a quote
// give n backslashes and the quote opens or closes quoting, 2n + 1 give n
// backslashes and a literal quote; "" inside quotes is a literal quote.
std::vector<std::string> split_command_line(const char* text) {
  std::vector<std::string> arguments;
  if (text == nullptr) return arguments;
  const char* p = text;
  while (true) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '\0') return arguments;
    std::string argument;
    bool quoted = false;
    while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
      size_t backslashes = 0;
      while (*p == '\\') ++backslashes, ++p;
      if (*p == '"') {
        add_backslashes(argument, backslashes / 2);
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && p[1] == '"') {
          argument += '"';
          ++p;
        } else {
          quoted = !quoted;
        }
        ++p;
      } else {
        add_backslashes(argument, backslashes);
        if (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) argument += *p++;
      }
    }
    arguments.push_back(std::move(argument));
  }
}

// Starts the program in its own session with the given working directory;
// a hidden one gets no terminal streams. The child is reaped by a thread of
// its own, so nothing waits for it and no zombie stays behind.
INT_PTR start_detached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& directory, bool hidden) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  if (hidden) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  int error = posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return error_of(error);
  std::thread([child] {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return kStarted;
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT show) {
  if (operation != nullptr && *operation != '\0' && strcasecmp(operation, "open") != 0)
    return result(SE_ERR_NOASSOC);
  if (file == nullptr || *file == '\0') return result(SE_ERR_FNF);
  std::string working = directory != nullptr ? posix::to_posix_path(directory) : "";
  if (!working.empty() && !is_directory(working)) return result(SE_ERR_PNF);
  std::string program = resolve(posix::to_posix_path(file), working);
  if (INT_PTR refused = check_program(program)) return result(refused);
  // A program named relative to the directory is started by its full path,
  // since the child looks for it after changing into that directory.
  if (program[0] != '/') {
    char current[4096];
    if (::getcwd(current, sizeof(current)) == nullptr) return result(SE_ERR_PNF);
    program = std::string(current) + "/" + program;
  }
  return result(start_detached(program, split_command_line(parameters), working, show == SW_HIDE));
}
