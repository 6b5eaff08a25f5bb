#include "host/file_helpers.h"

#include <cstring>

namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kModulePathSize = 128;

// Index of the terminator's byte within a group whose zero-byte mask is
// non-zero: the lowest byte with its flag bit set.
uint32_t zero_byte_in_group(uint32_t mask) {
  if (mask & 0x8080u) return (mask & 0x80u) ? 0 : 1;
  return (mask & 0x800000u) ? 2 : 3;
}

// Loads a group of four bytes little-endian, stopping at the first zero byte
// so that nothing past the string is read; unread bytes count as zero, which
// only raises flags above the terminator, where they are never consulted.
uint32_t load_group(const unsigned char* bytes) {
  uint32_t word = 0;
  for (int i = 0; i < 4; ++i) {
    word |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    if (bytes[i] == 0) break;
  }
  return word;
}

}  // namespace

BOOL ReadWholeFile(void* buffer, const char* file_name, DWORD* bytes_read, DWORD byte_count) {
  HANDLE file = CreateFileA(file_name, GENERIC_READ | GENERIC_WRITE, kShareReadWrite, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  *bytes_read = 0;
  ReadFile(file, buffer, byte_count, bytes_read, nullptr);
  return CloseHandle(file);
}

BOOL WriteWholeFile(const void* buffer, const char* file_name, DWORD* bytes_written,
                    DWORD byte_count) {
  HANDLE file = CreateFileA(file_name, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_ARCHIVE, nullptr);
  *bytes_written = 0;
  WriteFile(file, buffer, byte_count, bytes_written, nullptr);
  return CloseHandle(file);
}

uint32_t FileExists(const char* file_name) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(file_name, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FindClose(search);
  return 1;
}

// Keeps the directory of the program with its trailing backslash. A path too
// long for the 128-byte buffer is read whole first; its directory is kept
// when it fits, and the buffer is left empty (the current directory) when not.
void ModuleDirectory(char* buffer) {
  char path[4096];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  buffer[0] = '\0';
  if (length < 6 || length >= sizeof(path)) return;
  for (DWORD i = length - 6;; --i) {
    if (path[i] == '\\') {
      if (i + 1 < kModulePathSize) {
        std::memcpy(buffer, path, i + 1);
        buffer[i + 1] = '\0';
      }
      return;
    }
    if (i == 0) return;
  }
}

void AppendString(char* destination, const char* source) {
  char* end = destination + StringLength(destination);
  do {
    *end++ = *source;
  } while (*source++ != '\0');
}

uint32_t StringLength(const char* text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  for (uint32_t offset = 0;; offset += 4) {
    uint32_t word = load_group(bytes + offset);
    uint32_t mask = (word - 0x01010101u) & ~word & 0x80808080u;
    if (mask != 0) return offset + zero_byte_in_group(mask);
  }
}
