#include "host/file_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/temp_dir.h"
#include "support/wine.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(ReadWholeFile, ReadsAtMostTheRequestedBytesWithoutTerminator) {
  TempDir dir;
  write_file_bytes(dir.file("data.bin"), "0123456789");
  char buffer[16];
  std::memset(buffer, 'x', sizeof(buffer));
  DWORD count = 99;
  EXPECT_NE(ReadWholeFile(buffer, dir.file("data.bin").c_str(), &count, 4), 0);
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(std::string(buffer, 5), "0123x");

  EXPECT_NE(ReadWholeFile(buffer, dir.file("data.bin").c_str(), &count, 16), 0);
  EXPECT_EQ(count, 10u);
}

TEST(ReadWholeFile, MissingFileIsCreatedEmptyAndReadsNothing) {
  TempDir dir;
  std::string name = dir.file("absent.txt");
  char buffer[4];
  DWORD count = 99;
  ReadWholeFile(buffer, name.c_str(), &count, sizeof(buffer));
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(FileExists(name.c_str()), 1u);
  EXPECT_EQ(read_file_bytes(name), "");
}

TEST(ReadWholeFile, ReadOnlyFileCannotBeReadBecauseWriteAccessIsAsked) {
  TempDir dir;
  std::string name = dir.file("locked.txt");
  write_file_bytes(name, "secret");
  std::vector<char> buffer(8);
  DWORD count = 99;
#ifdef _WIN32
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  std::string posix = name;
  for (char& c : posix) c = c == '\\' ? '/' : c;
  chmod(posix.c_str(), 0444);
#endif
  // Windows refuses write access to a read-only file; Wine run by root (as
  // here and in CI) opens it anyway, since root may write any file.
  if (running_under_wine()) GTEST_SKIP() << "Wine run by root opens read-only files";
  // The failed open is closed as the process pseudo-handle: TRUE, count 0.
  EXPECT_NE(ReadWholeFile(buffer.data(), name.c_str(), &count, 6), FALSE);
  EXPECT_EQ(count, 0u);
}

TEST(WriteWholeFile, WritesAtTheStartWithoutTruncating) {
  TempDir dir;
  std::string name = dir.file("ten.bin");
  write_file_bytes(name, "abcdefghij");
  DWORD count = 0;
  EXPECT_NE(WriteWholeFile("XYZ", name.c_str(), &count, 3), 0);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(read_file_bytes(name), "XYZdefghij");

  EXPECT_NE(WriteWholeFile("new", dir.file("fresh.bin").c_str(), &count, 3), 0);
  EXPECT_EQ(read_file_bytes(dir.file("fresh.bin")), "new");
}

TEST(WriteWholeFile, FileHeldWithoutWriteSharingIsNotWritten) {
  TempDir dir;
  std::string name = dir.file("held.bin");
  write_file_bytes(name, "old");
  HANDLE held = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DWORD count = 99;
  EXPECT_NE(WriteWholeFile("new", name.c_str(), &count, 3), FALSE);
  EXPECT_EQ(count, 0u);
  CloseHandle(held);
  EXPECT_EQ(read_file_bytes(name), "old");
}

TEST(FileExists, MatchesFilesDirectoriesAndWildcards) {
  TempDir dir;
  write_file_bytes(dir.file("notes.txt"), "x");
  EXPECT_EQ(FileExists(dir.file("notes.txt").c_str()), 1u);
  EXPECT_EQ(FileExists(dir.file("*.txt").c_str()), 1u);
  EXPECT_EQ(FileExists(dir.file("note?.txt").c_str()), 1u);
  EXPECT_EQ(FileExists(dir.file("*.bmp").c_str()), 0u);
  EXPECT_EQ(FileExists(dir.file("missing.txt").c_str()), 0u);
  std::string directory = dir.path();
  directory.pop_back();
  EXPECT_EQ(FileExists(directory.c_str()), 1u);
}

TEST(ModuleDirectory, IsTheProgramPathUpToItsLastBackslash) {
  char module_path[4096];
  DWORD length = GetModuleFileNameA(nullptr, module_path, sizeof(module_path));
  ASSERT_GT(length, 0u);
  std::string expected(module_path, length);
  expected.erase(expected.find_last_of('\\') + 1);
  char directory[128];
  ModuleDirectory(directory);
  if (expected.size() < sizeof(directory)) {
    EXPECT_EQ(std::string(directory), expected);
  } else {
    EXPECT_STREQ(directory, "");  // too long for the buffer: the current directory
  }
}

TEST(StringHelpers, LengthCountsBytesBeforeTheFirstZero) {
  EXPECT_EQ(StringLength(""), 0u);
  EXPECT_EQ(StringLength("abc"), 3u);
  EXPECT_EQ(StringLength("abcd"), 4u);
  EXPECT_EQ(StringLength("\x80"), 1u);
  EXPECT_EQ(StringLength("\x01"), 1u);
  // Bytes whose zero-byte flag is raised only by a borrow from a lower zero.
  EXPECT_EQ(StringLength("ab\0\x01"), 2u);
  for (int n = 0; n < 40; ++n) {
    std::vector<char> exact(static_cast<size_t>(n) + 1, '\xFF');
    exact[static_cast<size_t>(n)] = '\0';
    EXPECT_EQ(StringLength(exact.data()), static_cast<uint32_t>(n)) << n;
  }
}

TEST(StringHelpers, AppendCopiesSourceWithItsTerminator) {
  char text[16];
  std::memset(text, 'x', sizeof(text));
  text[0] = '\0';
  AppendString(text, "abc");
  EXPECT_STREQ(text, "abc");
  AppendString(text, "");
  EXPECT_STREQ(text, "abc");
  AppendString(text, "de");
  EXPECT_STREQ(text, "abcde");
  EXPECT_EQ(text[6], 'x');
}

}  // namespace
