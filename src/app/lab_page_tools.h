// The tools page: the assembler started on a small source that the page
// writes beside the Lab, and the disassembler on the text the page shows,
// through the library's launching calls. The results are shown, and the
// size of the assembler's output once it appears, looked for at each tick.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

extern const char kToolsHelpLine[];
constexpr char kToolsSourceFile[] = "code.txt";  // where LaunchAssembler reads
constexpr char kToolsOutputFile[] = "code.com";  // what it has the assembler write

// "LaunchAssembler: started (42)" or why it failed, from ShellExecuteA's
// result: above 32 on success, an error code otherwise.
std::string LaunchResultText(const char* call, INT_PTR result);

bool ToolsKey(HWND window, WPARAM key);
void PresentTools(const std::string& status);
