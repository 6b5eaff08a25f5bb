// Helpers of the text document tests: documents loaded from bytes through a
// scratch file, and their lines and words as strings.
#pragma once

#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "text/text_document.h"
#include "text/word_tables.h"

struct DocumentRelease {
  void operator()(TextDocument* document) const { FreeTextDocument(document); }
};
using DocumentPtr = std::unique_ptr<TextDocument, DocumentRelease>;

// Writes the bytes to a scratch file and loads it with the given loader.
template <typename Loader>
DocumentPtr load_bytes_with(Loader loader, const std::string& bytes) {
  TempDir dir;
  std::string name = dir.file("text.txt");
  write_file_bytes(name, bytes);
  return DocumentPtr(loader(name.c_str()));
}

inline DocumentPtr load_bytes(const std::string& bytes) {
  return load_bytes_with(LoadTextDocument, bytes);
}

inline std::string line_string(const TextDocument* document, int32_t n) {
  LineText line = GetLineText(n, document);
  return std::string(line.Pointer, line.Length);
}

inline std::string word_string(const WordEntry* entry) {
  return std::string(entry->Pointer, entry->Length);
}

// Offset of a word in the document's text.
inline ptrdiff_t text_offset(const TextDocument* document, const char* pointer) {
  return pointer - document->Text;
}
