// LaunchAssembler and LaunchDisassembler start a stand-in tool that records
// its working directory and arguments (tests/assembler runs a real one).
#include "host/tool_launching.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/stand_in_tool.h"
#include "support/temp_dir.h"

namespace {

double elapsed_ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

TEST(LaunchAssembler, FindsTheToolAndFilesInTheCurrentDirectoryAndDoesNotWait) {
  TempDir work;
  ASSERT_TRUE(install_tool(stand_in_tool(), work.file("Assembler\\Fasm.exe")));
  write_file_bytes(work.file("Assembler\\slow.txt"), "x");
  write_file_bytes(work.file("code.txt"), "org 100h\r\n");
  CurrentDirectory inside(work.path());
  auto start = std::chrono::steady_clock::now();
  INT_PTR result = LaunchAssembler(nullptr);
  EXPECT_GT(result, 32);
  EXPECT_LT(elapsed_ms(start), 1000.0);
  EXPECT_TRUE(read_file_bytes(work.file("Assembler\\record.txt")).empty());
  std::vector<std::string> record = wait_for_record(work.file("Assembler\\record.txt"));
  ASSERT_EQ(record.size(), 3u);
  EXPECT_EQ(record[0], as_working_directory(work.path()));
  EXPECT_EQ(record[1], "code.txt");
  EXPECT_EQ(record[2], "code.com");
}

TEST(LaunchAssembler, MissingToolGivesThirtyTwoOrLess) {
  TempDir work;
  CurrentDirectory inside(work.path());
  EXPECT_LE(LaunchAssembler(nullptr), 32);
}

TEST(LaunchDisassembler, StartsTheToolInTheProgramsDirectoryWhateverTheCurrentOne) {
  std::string tools = program_folder() + "Assembler\\";
  ASSERT_TRUE(install_tool(stand_in_tool(), tools + "disasm.exe"));
  DeleteFileA((tools + "record.txt").c_str());
  TempDir elsewhere;
  std::vector<std::string> record;
  {
    CurrentDirectory inside(elsewhere.path());
    EXPECT_GT(LaunchDisassembler(nullptr, std::string(3000, 'x').c_str()), 32);
    record = wait_for_record(tools + "record.txt");
  }
  std::error_code ignored;
  std::filesystem::remove_all(host_path(tools), ignored);
  ASSERT_EQ(record.size(), 6u);
  EXPECT_EQ(record[0], as_working_directory(program_folder()));
  // The parameter string reaches the tool unchanged, split at its blanks.
  std::vector<std::string> arguments(record.begin() + 1, record.end());
  EXPECT_EQ(arguments, (std::vector<std::string>{"Copy", "of", "Pixwell.exe", ">", "disasm.txt"}));
}

TEST(LaunchDisassembler, MissingToolGivesThirtyTwoOrLess) {
  std::error_code ignored;
  std::filesystem::remove_all(host_path(program_folder() + "Assembler"), ignored);
  EXPECT_LE(LaunchDisassembler(nullptr, ""), 32);
}

TEST(DisassemblerStrings, StayWithinTheirBuffersWhateverTheDirectoryAndText) {
  DisassemblerStrings strings;
  FormDisassemblerStrings("C:\\tools\\", "list ", &strings);
  EXPECT_STREQ(strings.ToolPath, "C:\\tools\\Assembler\\disasm.exe");
  EXPECT_STREQ(strings.TextAndParameters, "list Copy of Pixwell.exe > disasm.txt");

  std::string long_directory(700, 'd');
  std::string long_text(5000, 't');
  std::memset(&strings, 0x55, sizeof(strings));
  FormDisassemblerStrings(long_directory.c_str(), long_text.c_str(), &strings);
  EXPECT_EQ(std::strlen(strings.ToolPath), kToolStringBytes - 1);
  EXPECT_EQ(std::strlen(strings.TextAndParameters), kToolStringBytes - 1);
  EXPECT_EQ(std::string(strings.ToolPath), long_directory.substr(0, kToolStringBytes - 1));

  // Text that nearly fills the buffer leaves room for part of the parameters.
  std::string near_full(500, 'n');
  FormDisassemblerStrings("", near_full.c_str(), &strings);
  EXPECT_EQ(std::string(strings.TextAndParameters), near_full + std::string("Copy of Pix"));
}

}  // namespace
