// Natively, Debian's flat assembler stands in as Assembler/Fasm.exe and
// really assembles code.txt. It is an i386 program: on a machine that runs
// none, the test is skipped with the reason (the test command's probe gives
// it in PIXWELL_I386_MODE and PIXWELL_I386_REASON; run alone, the test asks
// the kernel itself).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "host/tool_launching.h"
#include "support/stand_in_tool.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

constexpr const char* kFasm = "/usr/bin/fasm";

// Why the assembler cannot run here, or empty when it can.
std::string why_i386_cannot_run() {
  const char* mode = std::getenv("PIXWELL_I386_MODE");
  if (mode && std::string(mode) == "none") {
    const char* reason = std::getenv("PIXWELL_I386_REASON");
    return reason ? reason : "the test command found that i386 programs do not run";
  }
  if (!std::filesystem::exists(kFasm)) return "fasm is not installed (scripts/setup installs it)";
  char* argv[] = {const_cast<char*>(kFasm), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int error = posix_spawn(&child, kFasm, &quiet, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (error == ENOEXEC) return "the kernel refuses i386 programs (Exec format error)";
  if (error != 0) return std::string("fasm cannot be started: ") + std::strerror(error);
  int status = 0;
  waitpid(child, &status, 0);
  return "";
}

TEST(LaunchAssembler, RealAssemblerBuildsCodeCom) {
  std::string why_not = why_i386_cannot_run();
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  TempDir work;
  ASSERT_TRUE(install_tool(kFasm, work.file("Assembler\\Fasm.exe")));
  write_file_bytes(work.file("code.txt"), "org 100h\r\nmov ax, 4C00h\r\nint 21h\r\n");
  CurrentDirectory inside(work.path());
  ASSERT_GT(LaunchAssembler(nullptr), 32);
  const std::string expected("\xB8\x00\x4C\xCD\x21", 5);  // mov ax, 4C00h; int 21h
  std::string produced;
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10) &&
         (produced = read_file_bytes(work.file("code.com"))) != expected)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(produced, expected);
}

}  // namespace
