#include "text/text_document.h"

#include <algorithm>
#include <cstring>

#include "host/file_helpers.h"
#include "text/word_tables.h"

namespace {

constexpr char kCarriageReturn = 13;
constexpr char kLineFeed = 10;
constexpr char kSemicolon = 59;
constexpr unsigned char kTab = 9;
constexpr unsigned char kFirstPrintable = 16;

template <typename T>
T* allocate_zeroed(size_t bytes) {
  return static_cast<T*>(GlobalAlloc(GMEM_ZEROINIT, bytes));
}

// The line routines always examine the first byte, even for a count of 0.
int32_t examined_bytes(int32_t count) { return count < 1 ? 1 : count; }

// Line feeds among the bytes BuildLineIndex examines.
int32_t count_line_feeds(const char* text, int32_t count) {
  const char* end = text + examined_bytes(count);
  int32_t found = 0;
  for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, kLineFeed, end - at)));
       ++at)
    ++found;
  return found;
}

// Index slots the text needs: one per line start (LF count + 1), and never
// fewer than LineLimit, which lines and the word tables are numbered by.
int32_t index_slots(const char* text, int32_t count) {
  return std::max(CountLines(text, count), count_line_feeds(text, count) + 1);
}

// Releases a document whose loading stopped, in the order the blocks came.
TextDocument* abandon_loading(TextDocument* document) {
  GlobalFree(document->Text);
  GlobalFree(document->LineIndex);
  GlobalFree(document);
  return nullptr;
}

// Allocates a document whose text buffer is zero-filled; null when either
// block cannot be had.
TextDocument* allocate_document() {
  auto* document = allocate_zeroed<TextDocument>(sizeof(TextDocument));
  if (document == nullptr) return nullptr;
  document->Tag = kTextDocumentTag;
  document->Text = allocate_zeroed<char>(kTextBufferSize);
  if (document->Text == nullptr) return abandon_loading(document);
  return document;
}

// Indexes the size bytes already in the document's text and builds its word
// tables; null (and everything released) when there is no line feed.
TextDocument* index_document(TextDocument* document, int32_t size) {
  document->LineIndex = allocate_zeroed<uint32_t>(index_slots(document->Text, size) * 4u);
  if (document->LineIndex == nullptr) return abandon_loading(document);
  if (BuildLineIndex(document->Text, document->LineIndex, size) == 0)
    return abandon_loading(document);

  document->TextSize = size;
  document->LineLimit = CountLines(document->Text, size);
  BuildWordTables(document);
  return document;
}

}  // namespace

TextDocument* LoadTextDocument(const char* file_name) {
  // FileExists first: ReadWholeFile would create a missing file.
  if (FileExists(file_name) != 1) return nullptr;
  TextDocument* document = allocate_document();
  if (document == nullptr) return nullptr;
  DWORD bytes_read = 0;
  ReadWholeFile(document->Text, file_name, &bytes_read, kTextBufferSize);
  return index_document(document, static_cast<int32_t>(bytes_read));
}

TextDocument* MakeTextDocument(const char* text, int32_t size) {
  if (size < 0) size = 0;
  if (size > kTextBufferSize) size = kTextBufferSize;
  TextDocument* document = allocate_document();
  if (document == nullptr) return nullptr;
  if (size > 0) std::memcpy(document->Text, text, static_cast<size_t>(size));
  return index_document(document, size);
}

void FreeTextDocument(TextDocument* document) {
  if (document == nullptr) return;
  GlobalFree(document->Text);
  GlobalFree(document->LineIndex);
  FreeWordTables(document);
  if (document->WordPointerTable != nullptr) GlobalFree(document->WordPointerTable);
  GlobalFree(document);
}

LineText GetLineText(int32_t n, const TextDocument* document) {
  int32_t offset = LineOffset(n, document->LineIndex, document->LineLimit);
  if (offset < 0) return {0, document->Text};
  return {LineLength(document, n), document->Text + offset};
}

int32_t LineOffset(int32_t n, const uint32_t* index, int32_t line_limit) {
  if (n < 1 || static_cast<uint32_t>(n) >= static_cast<uint32_t>(line_limit)) return -1;
  return static_cast<int32_t>(index[n - 1]);
}

int32_t LineLength(const TextDocument* document, int32_t n) {
  if (n < 1 || static_cast<uint32_t>(n) + 1 >= static_cast<uint32_t>(document->LineLimit)) return 0;
  // Slots after the last line feed hold 0, and adjacent line feeds are one
  // byte apart: where CR and LF do not pair the distance can fall below 2.
  int64_t length = int64_t{document->LineIndex[n]} - document->LineIndex[n - 1] - 2;
  return length < 0 ? 0 : static_cast<int32_t>(length);
}

int32_t CountLines(const char* text, int32_t count) {
  return 2 + static_cast<int32_t>(std::count(text, text + examined_bytes(count), kCarriageReturn));
}

int32_t BuildLineIndex(const char* text, uint32_t* index, int32_t count) {
  const char* end = text + examined_bytes(count);
  int32_t found = 0;
  index[0] = 0;
  for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, kLineFeed, end - at)));
       ++at)
    index[++found] = static_cast<uint32_t>(at - text + 1);
  return found;
}

int32_t LineEndPosition(const char* text, int32_t count) {
  int32_t examined = examined_bytes(count);
  for (int32_t i = 0; i < examined; ++i)
    if (text[i] == kCarriageReturn || text[i] == 0) return i + 1;
  return -1;
}

int32_t CopyLineAt(int32_t n, const uint32_t* index, int32_t line_limit, char* target,
                   const char* source) {
  int32_t offset = LineOffset(n, index, line_limit);
  if (offset == -1) return -1;
  char* line = target + offset;
  for (int32_t i = 0;; ++i) {
    char byte = source[i];
    if (byte == 0 || byte == kCarriageReturn || byte == kSemicolon) {
      line[i] = 0;
      return i + 1;
    }
    line[i] = byte;
  }
}

void CopyBytes(void* target, const void* source, int32_t count) {
  auto* to = static_cast<unsigned char*>(target);
  const auto* from = static_cast<const unsigned char*>(source);
  int32_t i = 0;
  do {
    to[i] = from[i];
  } while (++i < count);
}

int32_t CopyUntilControl(const char* source, char* target) {
  for (int32_t i = 0;; ++i) {
    auto byte = static_cast<unsigned char>(source[i]);
    if (byte == kTab) {
      target[i] = ' ';
    } else if (byte == 0) {
      return i;
    } else if (byte < kFirstPrintable) {
      target[i] = static_cast<char>(byte);
      target[i + 1] = 0;
      return i;
    } else {
      target[i] = static_cast<char>(byte);
    }
  }
}
