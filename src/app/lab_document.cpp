#include "app/lab_document.h"

#include "app/lab_paths.h"

namespace {

// Opened for reading only, so an installed, read-only text can be shown.
// One byte more than a document holds is read, so that a longer file is
// known to be longer.
bool read_file(const char* file_name, std::string& text) {
  HANDLE file = CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  text.assign(static_cast<size_t>(kTextBufferSize) + 1, '\0');
  DWORD read = 0;
  BOOL ok = ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(ok ? read : 0);
  return ok != FALSE;
}

}  // namespace

std::string WithCarriageReturns(const std::string& text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  char previous = '\0';
  for (char byte : text) {
    if (byte == '\n' && previous != '\r') converted += '\r';
    converted += byte;
    previous = byte;
  }
  return converted;
}

LabDocument LoadLabDocument(const char* file_name) {
  std::string text;
  std::string shown = DisplayPath(file_name);
  if (!read_file(file_name, text))
    return {nullptr, "Cannot read " + shown + ": no such file or no access."};
  if (text.find('\n') == std::string::npos)
    return {nullptr, "Cannot show " + shown + ": it holds no line end."};
  std::string converted = WithCarriageReturns(text);
  uint64_t cut_from = converted.size() > size_t{kTextBufferSize} ? kTextBufferSize : 0;
  if (cut_from != 0) converted.resize(kTextBufferSize);
  TextDocument* document =
      MakeTextDocument(converted.data(), static_cast<int32_t>(converted.size()));
  if (document == nullptr) return {nullptr, "Out of memory loading " + shown + "."};
  return {document, "", cut_from};
}
