// Files and file search over POSIX. Access, sharing and creation follow the
// Windows rules the system relies on: OPEN_ALWAYS creates a missing file,
// nothing truncates unless asked, a read-only file refuses write access even
// to root, and two opens of one file within the process must agree on
// sharing (ERROR_SHARING_VIOLATION otherwise).
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/kernel32/kernel_objects.h"

namespace {

using posix::ObjectKind;

struct FileObject : posix::KernelObject {
  FileObject() : KernelObject(ObjectKind::kFile) {}
  ~FileObject() override { ::close(fd); }
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
  DWORD access = 0;
  DWORD share = 0;
};

struct SearchObject : posix::KernelObject {
  SearchObject() : KernelObject(ObjectKind::kFileSearch) {}
  std::string directory;
  std::vector<std::string> names;
  size_t next = 0;
};

// Open files of this process, for the sharing rules.
struct OpenFiles {
  std::mutex lock;
  std::vector<FileObject*> files;
};

OpenFiles& open_files() {
  static OpenFiles instance;
  return instance;
}

DWORD error_from_errno(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    default: return ERROR_INVALID_PARAMETER;
  }
}

// Windows tells a missing file (its folder exists) from a missing folder.
bool folder_exists(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return true;
  struct stat info {};
  return ::stat(path.substr(0, slash + 1).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

DWORD posix::error_for_path(int error, const std::string& path) {
  if (error == ENOENT && (path.empty() || !folder_exists(path))) return ERROR_PATH_NOT_FOUND;
  return error_from_errno(error);
}

namespace {

using posix::error_for_path;

int open_flags(DWORD access, DWORD disposition) {
  int flags = O_CLOEXEC;
  bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
  flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS: return flags | O_CREAT;
    case TRUNCATE_EXISTING: return flags | O_TRUNC;
    default: return flags;
  }
}

// Windows grants write access to no one on a file without write permission,
// whereas POSIX lets root write anything: refuse such an open first.
bool denies_write(const std::string& path, DWORD access) {
  struct stat info {};
  if (!(access & GENERIC_WRITE) || ::stat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// True when an open with this access and share mode conflicts with one that
// is already open on the same file.
bool sharing_conflicts(const FileObject& opening) {
  for (const FileObject* open : open_files().files) {
    if (open->device != opening.device || open->inode != opening.inode) continue;
    auto refused = [](DWORD access, DWORD share) {
      return ((access & GENERIC_READ) && !(share & FILE_SHARE_READ)) ||
             ((access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE));
    };
    if (refused(opening.access, open->share) || refused(open->access, opening.share)) return true;
  }
  return false;
}

void forget_open_file(FileObject* file) {
  std::lock_guard<std::mutex> guard(open_files().lock);
  auto& files = open_files().files;
  std::erase(files, file);
}

FileObject* file_of(HANDLE handle) {
  return static_cast<FileObject*>(posix::find_object(handle, ObjectKind::kFile));
}

void fill_find_data(const std::string& directory, const std::string& name,
                    WIN32_FIND_DATAA* found) {
  std::memset(found, 0, sizeof(*found));
  struct stat info {};
  ::stat((directory + name).c_str(), &info);
  found->dwFileAttributes =
      S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  found->nFileSizeLow = static_cast<DWORD>(info.st_size);
  found->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
  std::strncpy(found->cFileName, name.c_str(), MAX_PATH - 1);
}

// Matches a name against a pattern of * and ? without regard to case, as
// Windows does; a pattern ending in ".*" also matches names without a dot
// ("*.*" matches every name).
bool name_matches(const std::string& pattern, const char* name) {
  constexpr int kFlags = FNM_NOESCAPE | FNM_CASEFOLD;
  if (::fnmatch(pattern.c_str(), name, kFlags) == 0) return true;
  if (pattern.size() < 2 || pattern.compare(pattern.size() - 2, 2, ".*") != 0) return false;
  if (std::strchr(name, '.') != nullptr) return false;
  return ::fnmatch(pattern.substr(0, pattern.size() - 2).c_str(), name, kFlags) == 0;
}

// Lists the entries of a directory whose names match a pattern, "." and ".."
// first as Windows lists them.
std::vector<std::string> matching_names(const std::string& directory, const std::string& pattern) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return names;
  while (dirent* entry = ::readdir(listing)) {
    if (name_matches(pattern, entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(listing);
  auto rank = [](const std::string& name) { return name == "." ? 0 : name == ".." ? 1 : 2; };
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
  return names;
}

}  // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD, HANDLE) {
  if (name == nullptr || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path = posix::to_posix_path(name);
  if (denies_write(path, access)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  std::lock_guard<std::mutex> guard(open_files().lock);
  struct stat before {};
  bool existed = ::stat(path.c_str(), &before) == 0;
  int fd = ::open(path.c_str(), open_flags(access, disposition) & ~O_TRUNC, 0666);
  if (fd < 0) {
    SetLastError(error_for_path(errno, path));
    return INVALID_HANDLE_VALUE;
  }
  auto* file = new FileObject;
  file->fd = fd;
  file->access = access;
  file->share = share;
  struct stat info {};
  ::fstat(fd, &info);
  file->device = info.st_dev;
  file->inode = info.st_ino;
  if (S_ISDIR(info.st_mode) || sharing_conflicts(*file)) {
    SetLastError(S_ISDIR(info.st_mode) ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION);
    delete file;
    return INVALID_HANDLE_VALUE;
  }
  // Truncate only once sharing allowed the open, as Windows does.
  if (open_flags(access, disposition) & O_TRUNC) (void)::ftruncate(fd, 0);
  open_files().files.push_back(file);
  // Windows' way of saying that CREATE_ALWAYS or OPEN_ALWAYS found the file.
  bool found = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
  SetLastError(found ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return posix::register_object(file);
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD transferred, LPOVERLAPPED) {
  if (transferred) *transferred = 0;
  FileObject* file = file_of(handle);
  if (file == nullptr || !(file->access & GENERIC_READ)) {
    SetLastError(file ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD done = 0;
  while (done < count) {
    ssize_t got = ::read(file->fd, static_cast<char*>(buffer) + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<DWORD>(got);
  }
  if (transferred) *transferred = done;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD transferred, LPOVERLAPPED) {
  if (transferred) *transferred = 0;
  FileObject* file = file_of(handle);
  if (file == nullptr || !(file->access & GENERIC_WRITE)) {
    SetLastError(file ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD done = 0;
  while (done < count) {
    ssize_t put = ::write(file->fd, static_cast<const char*>(buffer) + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += static_cast<DWORD>(put);
  }
  if (transferred) *transferred = done;
  return done == count;
}

DWORD GetFileSize(HANDLE handle, LPDWORD size_high) {
  FileObject* file = file_of(handle);
  struct stat info {};
  if (file == nullptr || ::fstat(file->fd, &info) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0xFFFFFFFFu;
  }
  if (size_high) *size_high = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
  return static_cast<DWORD>(info.st_size);
}

// INVALID_HANDLE_VALUE is also the current process's pseudo-handle, whose
// closing succeeds and does nothing: a failed open is "closed" with TRUE.
BOOL CloseHandle(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return TRUE;
  FileObject* file = file_of(handle);
  if (file == nullptr) {
    if (posix::close_thread_handle(handle)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  forget_open_file(file);
  posix::close_object(handle, ObjectKind::kFile);
  return TRUE;
}

BOOL DeleteFileA(LPCSTR name) {
  std::string path = posix::to_posix_path(name);
  if (!path.empty() && ::unlink(path.c_str()) == 0) return TRUE;
  SetLastError(path.empty() ? ERROR_PATH_NOT_FOUND : error_for_path(errno, path));
  return FALSE;
}

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found) {
  std::string path = posix::to_posix_path(pattern);
  if (!folder_exists(path)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  size_t slash = path.find_last_of('/');
  auto* search = new SearchObject;
  search->directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  struct stat info {};
  if (leaf.find_first_of("*?") == std::string::npos) {
    // A plain name is looked up directly: files and directories both count.
    if (!leaf.empty() && ::stat(path.c_str(), &info) == 0) search->names.push_back(leaf);
  } else {
    search->names = matching_names(search->directory, leaf);
  }
  if (search->names.empty()) {
    delete search;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  fill_find_data(search->directory, search->names[0], found);
  search->next = 1;
  return posix::register_object(search);
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA found) {
  auto* search = static_cast<SearchObject*>(posix::find_object(handle, ObjectKind::kFileSearch));
  if (search == nullptr || search->next >= search->names.size()) {
    SetLastError(search ? ERROR_NO_MORE_FILES : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  fill_find_data(search->directory, search->names[search->next++], found);
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (posix::close_object(handle, ObjectKind::kFileSearch)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
