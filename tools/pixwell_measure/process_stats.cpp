#include "process_stats.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

pid_t start_program(char** argv) { return start_program_logged(argv, nullptr); }

pid_t start_program_logged(char** argv, const char* log_path) {
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    int log = log_path ? open(log_path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    if (log >= 0) dup2(log, STDOUT_FILENO), dup2(log, STDERR_FILENO);
    execvp(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  return pid;
}

// Asks first; a program that has not ended 5 s later is killed, so that no
// caller waits for ever.
void stop_program(pid_t pid) {
  kill(-pid, SIGTERM);
  kill(-pid, SIGCONT);  // a stopped program takes the signal only once it runs
  int code = 0;
  for (int waited_ms = 0; waited_ms < 5000; waited_ms += 10) {
    if (has_ended(pid, code)) return;
    usleep(10000);
  }
  std::fprintf(stderr, "killed: still running 5 s after SIGTERM\n");
  kill(-pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

int wait_for_exit(pid_t pid, double seconds) {
  for (double waited = 0; waited < seconds; waited += 0.01) {
    int code = 0;
    if (has_ended(pid, code)) return code;
    usleep(10000);
  }
  std::fprintf(stderr, "still running after %.0f s\n", seconds);
  stop_program(pid);
  return -1;
}

bool has_ended(pid_t pid, int& code) {
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) != pid) return false;
  if (WIFSIGNALED(status)) std::fprintf(stderr, "ended by signal %d\n", WTERMSIG(status));
  code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

// Fields 14 and 15 of /proc/PID/stat, counted after the command name, which
// ends at the last ')'.
double cpu_seconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string skip;
  for (int i = 3; i < 14; ++i) fields >> skip;
  unsigned long long user = 0, system = 0;
  fields >> user >> system;
  return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

int64_t resident_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6));
  return -1;
}

double first_thread_busy_seconds(pid_t pid) {
  std::ifstream schedstat("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) +
                          "/schedstat");
  unsigned long long running = 0, waiting = 0;
  if (!(schedstat >> running >> waiting)) return -1;
  return static_cast<double>(running + waiting) / 1e9;
}
