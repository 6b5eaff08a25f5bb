// KERNEL32: file searches, file creation, reading, writing and deletion,
// the current folder, the module's file name, threads' exit codes, global
// and local heaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "conformance/conformance.h"
#include "support/wine.h"

using conformance::ScratchFolder;

namespace {

// Every name a search gives, in its order.
std::vector<std::string> search_names(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.emplace_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Documented (FindFirstFile): "*.*" is every name, those without a dot too.
TEST(FileSearch, StarDotStarMatchesNamesWithoutADot) {
  ScratchFolder folder;
  folder.create_file("plain");
  folder.create_file("dotted.txt");
  std::vector<std::string> names = search_names(folder.path("*.*"));
  EXPECT_TRUE(contains(names, "plain"));
  EXPECT_TRUE(contains(names, "dotted.txt"));
  EXPECT_FALSE(contains(search_names(folder.path("*.txt")), "plain"));
}

// Wine (NTFS order): a folder's own entries "." and ".." come first.
TEST(FileSearch, ListsDotAndDotDotFirst) {
  ScratchFolder folder;
  for (const char* name : {"a", "b.bin", "zz"}) folder.create_file(name);
  std::vector<std::string> names = search_names(folder.path("*"));
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], ".");
  EXPECT_EQ(names[1], "..");
}

// Documented (system error codes): a missing folder is a missing path, a
// missing name in an existing folder a missing file.
TEST(FileSearch, TellsAMissingFolderFromAMissingFile) {
  ScratchFolder folder;
  WIN32_FIND_DATAA found{};
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(FindFirstFileA(folder.path("absent/*").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(FindFirstFileA(folder.path("absent.txt").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// Documented (CreateFile): after CREATE_ALWAYS or OPEN_ALWAYS the last error
// says whether the file was there (ERROR_ALREADY_EXISTS) or not (0).
TEST(CreateFile, SaysWhetherCreateAlwaysAndOpenAlwaysFoundTheFile) {
  ScratchFolder folder;
  for (DWORD disposition : {DWORD{CREATE_ALWAYS}, DWORD{OPEN_ALWAYS}}) {
    std::string name = folder.path(disposition == CREATE_ALWAYS ? "c.bin" : "o.bin");
    for (DWORD expected : {DWORD{ERROR_SUCCESS}, DWORD{ERROR_ALREADY_EXISTS}}) {
      SetLastError(0xDEADBEEF);
      HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      EXPECT_EQ(GetLastError(), expected) << disposition;
      CloseHandle(file);
    }
  }
}

// Documented (CreateFile): CREATE_NEW on an existing file fails.
TEST(CreateFile, CreateNewRefusesAnExistingFile) {
  ScratchFolder folder;
  folder.create_file("there");
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(CreateFileA(folder.path("there").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

// Documented (system error codes): opening in a missing folder is a missing path.
TEST(CreateFile, InAMissingFolderIsAMissingPath) {
  ScratchFolder folder;
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(CreateFileA(folder.path("absent/file").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// Wine: DeleteFileA's errors for a missing file, a missing folder, an empty
// name and a folder.
TEST(DeleteFile, ReportsWhyANameCannotBeDeleted) {
  ScratchFolder folder;
  struct Case {
    std::string name;
    DWORD error;
  };
  const Case cases[] = {{folder.path("absent.txt"), ERROR_FILE_NOT_FOUND},
                        {folder.path("absent/file.txt"), ERROR_PATH_NOT_FOUND},
                        {"", ERROR_PATH_NOT_FOUND},
                        {folder.path(""), ERROR_ACCESS_DENIED}};
  for (const Case& c : cases) {
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(DeleteFileA(c.name.c_str())) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
  folder.create_file("here");
  EXPECT_TRUE(DeleteFileA(folder.path("here").c_str()));
}

// Documented (ReadFile, WriteFile, GetFileSize): a handle reads and writes
// only with the access it was opened for, reading at the end of the file
// succeeds with no bytes, and the size counts what was written. The errors
// are Wine's: ERROR_ACCESS_DENIED for the access, ERROR_INVALID_HANDLE for a
// closed handle, whose size is INVALID_FILE_SIZE (documented).
TEST(ReadWriteFile, KeepToTheAccessTheHandleWasOpenedFor) {
  ScratchFolder folder;
  std::string name = folder.path("data.bin");
  HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DWORD done = 99;
  char bytes[8] = "pixwell";
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(ReadFile(writer, bytes, sizeof(bytes), &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(done, 0u);
  ASSERT_TRUE(WriteFile(writer, bytes, 7, &done, nullptr));
  EXPECT_EQ(done, 7u);
  EXPECT_EQ(GetFileSize(writer, nullptr), 7u);
  CloseHandle(writer);

  HANDLE reader = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(WriteFile(reader, bytes, 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  char back[16] = {};
  EXPECT_TRUE(ReadFile(reader, back, sizeof(back), &done, nullptr));
  EXPECT_EQ(done, 7u);
  EXPECT_STREQ(back, "pixwell");
  done = 99;
  EXPECT_TRUE(ReadFile(reader, back, sizeof(back), &done, nullptr));  // at the end
  EXPECT_EQ(done, 0u);
  EXPECT_TRUE(CloseHandle(reader));

  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetFileSize(reader, nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(ReadFile(reader, back, sizeof(back), &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Puts the current folder back as it was at the end of a case.
class CurrentFolderKept {
 public:
  CurrentFolderKept() : saved_(GetCurrentDirectoryA(0, nullptr), '\0') {
    GetCurrentDirectoryA(static_cast<DWORD>(saved_.size()), saved_.data());
  }
  ~CurrentFolderKept() { SetCurrentDirectoryA(saved_.c_str()); }
  CurrentFolderKept(const CurrentFolderKept&) = delete;
  CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

 private:
  std::string saved_;
};

// Documented (SetCurrentDirectory, GetCurrentDirectory, CreateFile): relative
// names are taken from the current folder; GetCurrentDirectoryA answers the
// length without the terminating null, or, when the buffer is too small, the
// size the buffer needs with it.
TEST(CurrentDirectory, IsWhereRelativeNamesAreTakenFrom) {
  CurrentFolderKept kept;
  ScratchFolder folder;
  ASSERT_TRUE(SetCurrentDirectoryA(folder.native_path().c_str()));
  HANDLE file = CreateFileA("relative.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_EQ(search_names(folder.path("relative.txt")), std::vector<std::string>{"relative.txt"});

  DWORD needed = GetCurrentDirectoryA(0, nullptr);
  ASSERT_GT(needed, 1u);
  std::string current(needed, 'x');
  EXPECT_EQ(GetCurrentDirectoryA(needed, current.data()), needed - 1);
  EXPECT_EQ(std::strlen(current.c_str()), needed - 1);
  char small[2] = {'x', 'x'};
  EXPECT_EQ(GetCurrentDirectoryA(sizeof(small), small), needed);
}

// Wine (SetCurrentDirectoryA): a missing folder is ERROR_FILE_NOT_FOUND, one
// in a missing folder ERROR_PATH_NOT_FOUND; the current folder stays.
TEST(CurrentDirectory, RefusesAMissingFolder) {
  CurrentFolderKept kept;
  ScratchFolder folder;
  ASSERT_TRUE(SetCurrentDirectoryA(folder.native_path().c_str()));
  std::string before(GetCurrentDirectoryA(0, nullptr), '\0');
  GetCurrentDirectoryA(static_cast<DWORD>(before.size()), before.data());
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(SetCurrentDirectoryA(folder.native_path("absent").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(SetCurrentDirectoryA(folder.native_path("absent/inner").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  std::string after(GetCurrentDirectoryA(0, nullptr), '\0');
  GetCurrentDirectoryA(static_cast<DWORD>(after.size()), after.data());
  EXPECT_EQ(after, before);
}

// Documented (GetModuleFileName): a buffer too small gets the name cut to its
// size, null included; the answer is then the size, with
// ERROR_INSUFFICIENT_BUFFER. Wine cuts it without the null, as Windows XP
// did, so the null is not looked for there.
TEST(ModuleFileName, IsCutToASmallBuffer) {
  char full[1024] = {};
  DWORD length = GetModuleFileNameA(nullptr, full, sizeof(full));
  ASSERT_GT(length, 4u);
  ASSERT_LT(length, sizeof(full));
  EXPECT_EQ(std::strlen(full), length);
  char cut[5];
  std::memset(cut, 'x', sizeof(cut));
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetModuleFileNameA(nullptr, cut, sizeof(cut)), sizeof(cut));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(cut, 4), std::string(full, 4));
  if (!running_under_wine()) {
    EXPECT_EQ(cut[4], '\0');
  }
}

// Wine (GetModuleFileName, GetModuleHandle): a handle that is no module's
// gets no name and leaves the buffer alone; a module that is not loaded has
// no handle (ERROR_MOD_NOT_FOUND).
TEST(ModuleFileName, OfNoModuleIsNothing) {
  char buffer[64];
  buffer[0] = '*';
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(~UINT_PTR{0}), buffer, sizeof(buffer)),
            0u);
  EXPECT_EQ(buffer[0], '*');
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetModuleHandleA("pixwell_absent_module.dll"), nullptr);
  EXPECT_EQ(GetLastError(), 126u);  // ERROR_MOD_NOT_FOUND
}

// Documented (GetCommandLine): the process's command line, its first part the
// program as it was started, so the module's own file name is in it.
TEST(CommandLine, StartsWithTheProgram) {
  char module[1024] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, module, sizeof(module)), 0u);
  std::string name = module;
  name = name.substr(name.find_last_of("\\/") + 1);
  name = name.substr(0, name.find('.'));
  std::string line = GetCommandLineA();
  EXPECT_EQ(GetCommandLineA(), GetCommandLineA());  // one string for the process
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  EXPECT_NE(lower(line).find(lower(name)), std::string::npos) << line;
}

DWORD WINAPI never_return(LPVOID) {
  for (;;) Sleep(1000);
}

// Documented (ExitProcess): the process ends with the code given, and all
// its threads with it, whatever they are doing.
TEST(ExitProcessDeathTest, EndsTheProcessAndItsThreadsWithTheCodeGiven) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        CreateThread(nullptr, 0, never_return, nullptr, 0, nullptr);
        ExitProcess(7);
      },
      testing::ExitedWithCode(7), "");
}

// Documented (GetTickCount, Sleep): milliseconds since the system started,
// so a Sleep of 200 ms moves the count on by at least about that much.
TEST(Clock, CountsMillisecondsAcrossASleep) {
  DWORD before = GetTickCount();
  Sleep(200);
  DWORD elapsed = GetTickCount() - before;
  EXPECT_GE(elapsed, 180u);  // the count may step by a timer tick
  EXPECT_LT(elapsed, 20000u);
}

DWORD WINAPI wait_then_return(LPVOID parameter) {
  auto* release = static_cast<std::atomic<bool>*>(parameter);
  while (!release->load()) Sleep(1);
  return 42;
}

// Documented (GetExitCodeThread): STILL_ACTIVE while the thread runs, then
// the value it returned. Wine: a closed handle is ERROR_INVALID_HANDLE.
TEST(Threads, ExitCodeIsStillActiveUntilTheThreadReturns) {
  std::atomic<bool> release{false};
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, wait_then_return, &release, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  release = true;
  for (int tries = 0; tries < 1000 && code == STILL_ACTIVE; ++tries) {
    Sleep(5);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
  }
  EXPECT_EQ(code, 42u);
  EXPECT_TRUE(CloseHandle(thread));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Documented (GlobalAlloc, GlobalLock): a moveable block's handle is not its
// address; the address comes from locking it.
TEST(Heap, MoveableBlocksHaveAHandleApartFromTheirMemory) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  HLOCAL local = LocalAlloc(LMEM_MOVEABLE, 16);
  ASSERT_NE(global, nullptr);
  ASSERT_NE(local, nullptr);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(global));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), global);
  EXPECT_EQ(bytes[15], 0);
  EXPECT_GE(GlobalSize(global), 16u);
  EXPECT_GE(LocalSize(local), 16u);
  void* local_bytes = LocalLock(local);
  EXPECT_NE(local_bytes, nullptr);
  EXPECT_NE(local_bytes, local);
  GlobalUnlock(global);
  LocalUnlock(local);
  EXPECT_EQ(GlobalFree(global), nullptr);
  EXPECT_EQ(LocalFree(local), nullptr);
}

// Documented (GlobalUnlock): TRUE while still locked, FALSE with NO_ERROR
// once unlocked, FALSE with ERROR_NOT_LOCKED when not locked at all.
TEST(Heap, MoveableBlocksCountTheirLocks) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
  ASSERT_NE(block, nullptr);
  void* first = GlobalLock(block);
  EXPECT_EQ(GlobalLock(block), first);
  EXPECT_TRUE(GlobalUnlock(block));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  GlobalFree(block);
}

// Documented (GlobalUnlock, LocalUnlock): a fixed block's lock count is
// always zero. GlobalUnlock of one returns TRUE; LocalUnlock, finding it not
// locked, returns FALSE with ERROR_NOT_LOCKED (Wine, on the two answers).
TEST(Heap, UnlockingAFixedBlock) {
  HGLOBAL global = GlobalAlloc(GMEM_FIXED, 8);
  HLOCAL local = LocalAlloc(LMEM_FIXED, 8);
  EXPECT_EQ(GlobalLock(global), global);
  EXPECT_TRUE(GlobalUnlock(global));
  EXPECT_TRUE(GlobalUnlock(global));
  EXPECT_EQ(LocalLock(local), local);
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(LocalUnlock(local));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  GlobalFree(global);
  LocalFree(local);
}

// Documented (GlobalLock): an empty moveable block has a handle, a size of
// 0 and nothing to lock.
TEST(Heap, AnEmptyMoveableBlockHasNothingToLock) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalFree(block), nullptr);
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 0);
  EXPECT_NE(fixed, nullptr);  // a fixed block of no bytes still has an address
  GlobalFree(fixed);
}

// Wine: a freed moveable handle has no size, and says so through
// ERROR_INVALID_HANDLE. (A freed fixed block's address is not asked about:
// its memory may be gone.)
TEST(Heap, AFreedMoveableHandleHasNoSize) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 32);
  ASSERT_EQ(GlobalFree(block), nullptr);
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
