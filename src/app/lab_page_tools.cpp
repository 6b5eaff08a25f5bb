#include "app/lab_page_tools.h"

#include <vector>

#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "host/file_helpers.h"
#include "host/tool_launching.h"

const char kToolsHelpLine[] =
    "Tools: A writes code.txt and starts the assembler on it, D starts the disassembler on the "
    "text shown.  Both run hidden.";

namespace {

constexpr uint32_t kPageColour = 0x202830;
// A small 16-bit program for the assembler: it prints a line and returns.
constexpr char kSource[] =
    "org 100h\r\n"
    "        mov ah, 9\r\n"
    "        mov dx, greeting\r\n"
    "        int 21h\r\n"
    "        ret\r\n"
    "greeting db 'Pixwell Lab', 13, 10, '$'\r\n";

struct ToolsPage {
  std::string Assembler = "A: not started yet.";
  std::string Disassembler = "D: not started yet.";
  std::string Output;     // what is known of the assembler's output file
  bool Watching = false;  // the assembler started: look for its output
  DWORD StartedAt = 0;
};

ToolsPage page;

// The size of a file, or -1 while there is none.
int64_t size_of(const char* name) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(name, &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  FindClose(search);
  return int64_t{found.nFileSizeHigh} << 32 | found.nFileSizeLow;
}

// The output of an earlier run goes first, so that the size shown is this
// run's.
void assemble(HWND window) {
  DeleteFileA(kToolsOutputFile);
  DWORD written = 0;
  if (!WriteWholeFile(kSource, kToolsSourceFile, &written, sizeof(kSource) - 1)) {
    page.Assembler = std::string("Cannot write ") + kToolsSourceFile + " beside the Lab.";
    page.Watching = false;
    return;
  }
  INT_PTR result = LaunchAssembler(window);
  page.Assembler = LaunchResultText("LaunchAssembler", result);
  page.Watching = result > 32;
  page.StartedAt = GetTickCount();
  page.Output = page.Watching ? std::string("Waiting for ") + kToolsOutputFile + " ..." : "";
}

// Looked at on each presentation, never waited for.
void watch_output() {
  if (!page.Watching) return;
  int64_t size = size_of(kToolsOutputFile);
  DWORD seconds = (GetTickCount() - page.StartedAt) / 1000;
  if (size < 0) {
    page.Output =
        std::string("Waiting for ") + kToolsOutputFile + " ... " + std::to_string(seconds) + " s";
    return;
  }
  page.Output = std::string(kToolsOutputFile) + " appeared: " + std::to_string(size) + " bytes.";
  page.Watching = false;
}

void draw_texts(const std::string& status) {
  std::vector<std::string> lines = {
      std::string("The source the Lab writes as ") + kToolsSourceFile + " (the text shown):", ""};
  std::string source = kSource;
  for (size_t start = 0, end; (end = source.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    lines.push_back("    " + source.substr(start, end - start));
  lines.insert(lines.end(), {"", page.Assembler, page.Output, "", page.Disassembler});
  WriteLabLines(20, lines.data(), lines.size());
  const std::string bottom[3] = {kToolsHelpLine, "", status};
  WriteLabLines(kLabHelpTop, bottom, 3);
}

}  // namespace

std::string LaunchResultText(const char* call, INT_PTR result) {
  std::string head = std::string(call) + ": ";
  std::string code = " (" + std::to_string(result) + ")";
  if (result > 32) return head + "started" + code;
  switch (result) {
    case SE_ERR_FNF:
    case SE_ERR_PNF:
      return head + "the tool is missing: the Assembler folder beside the Lab does not hold it" +
             code;
    case SE_ERR_ACCESSDENIED: return head + "the tool may not be run here (access denied)" + code;
    case 0:
    case SE_ERR_OOM: return head + "not enough memory to start the tool" + code;
    default: return head + "the tool did not start" + code;
  }
}

bool ToolsKey(HWND window, WPARAM key) {
  if (key == 'A') {
    assemble(window);
    return true;
  }
  if (key == 'D') {
    page.Disassembler = LaunchResultText("LaunchDisassembler", LaunchDisassembler(window, kSource));
    return true;
  }
  return false;
}

void PresentTools(const std::string& status) {
  static const std::vector<uint32_t> background(kPageBytes / 4, kPageColour);
  watch_output();
  SetBitmapBits(BackBitmap, kPageBytes, background.data());
  draw_texts(status);
}
