// Starting the external tools kept in the Assembler folder: the assembler on
// code.txt in the current directory, and the disassembler on the copy of the
// program's executable in the program's directory. Both start hidden and
// return at once with ShellExecuteA's result (greater than 32 on success).
#pragma once

#include <cstdint>

#include "platform/win32.h"

constexpr uint32_t kToolStringBytes = 512;

INT_PTR LaunchAssembler(HWND window);
// The text has no effect on the launch; with the tool's full path it forms
// the two strings that the launch does not use (see DisassemblerStrings).
INT_PTR LaunchDisassembler(HWND window, const char* text);

// The tool's full path and the caller's text followed by the parameters, as
// LaunchDisassembler forms them, each cut to fit its 512-byte buffer.
struct DisassemblerStrings {
  char ToolPath[kToolStringBytes];
  char TextAndParameters[kToolStringBytes];
};
void FormDisassemblerStrings(const char* directory, const char* text, DisassemblerStrings* out);
