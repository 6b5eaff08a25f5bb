#include "host/tool_launching.h"

#include "host/file_helpers.h"

namespace {

constexpr const char* kOpen = "Open";
constexpr const char* kAssembler = "Assembler\\Fasm.exe";
constexpr const char* kAssemblerParameters = " code.txt code.com";
constexpr const char* kDisassembler = "Assembler\\disasm.exe";
constexpr const char* kDisassemblerParameters = "Copy of Pixwell.exe > disasm.txt";
constexpr uint32_t kDirectoryBytes = 1024;

// Appends as much of the source as fits, keeping the destination terminated
// within its size.
void append_within(char* destination, uint32_t size, const char* source) {
  uint32_t used = StringLength(destination);
  if (source == nullptr) return;
  uint32_t room = size - 1 - used;
  uint32_t length = StringLength(source);
  uint32_t copied = length < room ? length : room;
  for (uint32_t i = 0; i < copied; ++i) destination[used + i] = source[i];
  destination[used + copied] = '\0';
}

}  // namespace

INT_PTR LaunchAssembler(HWND window) {
  HINSTANCE result =
      ShellExecuteA(window, kOpen, kAssembler, kAssemblerParameters, nullptr, SW_HIDE);
  return reinterpret_cast<INT_PTR>(result);
}

void FormDisassemblerStrings(const char* directory, const char* text, DisassemblerStrings* out) {
  out->ToolPath[0] = '\0';
  out->TextAndParameters[0] = '\0';
  append_within(out->ToolPath, kToolStringBytes, directory);
  append_within(out->ToolPath, kToolStringBytes, kDisassembler);
  append_within(out->TextAndParameters, kToolStringBytes, text);
  append_within(out->TextAndParameters, kToolStringBytes, kDisassemblerParameters);
}

INT_PTR LaunchDisassembler(HWND window, const char* text) {
  char directory[kDirectoryBytes];
  ModuleDirectory(directory);
  DisassemblerStrings unused;
  FormDisassemblerStrings(directory, text, &unused);
  HINSTANCE result =
      ShellExecuteA(window, kOpen, kDisassembler, kDisassemblerParameters, directory, SW_HIDE);
  return reinterpret_cast<INT_PTR>(result);
}
