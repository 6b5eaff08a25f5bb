// ShellExecuteA on a stand-in tool that records its working directory and
// arguments: the same expectations hold for the real call under Wine and for
// the Linux layer's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"
#include "support/stand_in_tool.h"
#include "support/temp_dir.h"
#include "support/wine.h"

namespace {

using Lines = std::vector<std::string>;

// Starts the stand-in installed as tool.exe in a scratch folder, with the
// given parameters, and returns what it recorded after its working directory.
Lines arguments_received(const char* parameters) {
  TempDir dir;
  EXPECT_TRUE(install_tool(stand_in_tool(), dir.file("tool.exe")));
  INT_PTR result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", dir.file("tool.exe").c_str(), parameters, nullptr, SW_HIDE));
  EXPECT_GT(result, 32) << parameters;
  Lines record = wait_for_record(dir.file("record.txt"));
  if (record.empty()) return {"(nothing recorded)"};
  return Lines(record.begin() + 1, record.end());
}

TEST(ShellExecuting, SplitsParametersByTheWindowsCommandLineRules) {
  EXPECT_EQ(arguments_received(" code.txt code.com"), (Lines{"code.txt", "code.com"}));
  EXPECT_EQ(arguments_received("Copy of Pixwell.exe > disasm.txt"),
            (Lines{"Copy", "of", "Pixwell.exe", ">", "disasm.txt"}));
  EXPECT_EQ(arguments_received("\"with space\"   plain\ttab"),
            (Lines{"with space", "plain", "tab"}));
  EXPECT_EQ(arguments_received("a\\\\b c\\d"), (Lines{"a\\\\b", "c\\d"}));
  EXPECT_EQ(arguments_received("\\\"quoted\\\""), (Lines{"\"quoted\""}));
  EXPECT_EQ(arguments_received("\"end\\\\\" next"), (Lines{"end\\", "next"}));
  EXPECT_EQ(arguments_received("x\\\\\\\"y"), (Lines{"x\\\"y"}));
  EXPECT_EQ(arguments_received("half\" quoted\"word"), (Lines{"half quotedword"}));
  // Outside quotes "" opens and closes quoting at once: it adds nothing to a
  // word, and alone it is an empty argument.
  EXPECT_EQ(arguments_received("a\"\"b \"\" c"), (Lines{"ab", "", "c"}));
  EXPECT_EQ(arguments_received(""), Lines{});
  EXPECT_EQ(arguments_received(nullptr), Lines{});
}

TEST(ShellExecuting, RelativeFileIsTakenFromTheGivenDirectoryWhichBecomesTheWorkingOne) {
  TempDir tools;
  TempDir elsewhere;
  ASSERT_TRUE(install_tool(stand_in_tool(), tools.file("sub\\tool.exe")));
  CurrentDirectory inside(elsewhere.path());
  INT_PTR result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "Open", "sub\\tool.exe", "x", tools.path().c_str(), SW_HIDE));
  EXPECT_GT(result, 32);
  Lines record = wait_for_record(tools.file("sub\\record.txt"));
  ASSERT_EQ(record.size(), 2u);
  EXPECT_EQ(record[0], as_working_directory(tools.path()));
}

TEST(ShellExecuting, WithoutADirectoryTheFileAndWorkingDirectoryAreTheCurrentOnes) {
  TempDir work;
  ASSERT_TRUE(install_tool(stand_in_tool(), work.file("tool.exe")));
  CurrentDirectory inside(work.path());
  INT_PTR result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", "tool.exe", nullptr, nullptr, SW_HIDE));
  EXPECT_GT(result, 32);
  Lines record = wait_for_record(work.file("record.txt"));
  ASSERT_EQ(record.size(), 1u);
  EXPECT_EQ(record[0], as_working_directory(work.path()));
}

TEST(ShellExecuting, MissingProgramGivesFileNotFound) {
  TempDir work;
  CurrentDirectory inside(work.path());
  auto run = [](const char* file) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_HIDE));
  };
  EXPECT_EQ(run("absent.exe"), SE_ERR_FNF);
  EXPECT_EQ(run("Assembler\\absent.exe"), SE_ERR_FNF);
}

TEST(ShellExecuting, MissingWorkingDirectoryFails) {
  // Wine starts the program all the same; the Linux layer refuses, as a
  // program can't be run in a folder that isn't there.
  if (running_under_wine()) GTEST_SKIP() << "Wine starts the program elsewhere";
  TempDir work;
  ASSERT_TRUE(install_tool(stand_in_tool(), work.file("tool.exe")));
  std::string missing = work.file("no such folder");
  INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(
      nullptr, "open", work.file("tool.exe").c_str(), nullptr, missing.c_str(), SW_HIDE));
  EXPECT_EQ(result, SE_ERR_PNF);
  EXPECT_TRUE(read_file_bytes(work.file("record.txt")).empty());
}

}  // namespace
