// Whole-file reading and writing, existence tests, the program's directory
// and the string helpers. Every buffer belongs to the caller.
#pragma once

#include <cstdint>

#include "platform/win32.h"

BOOL ReadWholeFile(void* buffer, const char* file_name, DWORD* bytes_read, DWORD byte_count);
BOOL WriteWholeFile(const void* buffer, const char* file_name, DWORD* bytes_written,
                    DWORD byte_count);
uint32_t FileExists(const char* file_name);
void ModuleDirectory(char* buffer);  // at least 128 bytes
void AppendString(char* destination, const char* source);
uint32_t StringLength(const char* text);
