#include "text_reference.h"

#include <algorithm>
#include <vector>

#include "host/file_helpers.h"

namespace text_reference {

namespace {

bool is_letter_or_digit(unsigned char c) {
  return (c >= 48 && c <= 57) || (c >= 65 && c <= 90) || (c >= 97 && c <= 122);
}

bool is_picked_byte(unsigned char c) { return (c >= 33 && c <= 122) || c >= 128; }

bool bytes_equal(const char* a, const char* b, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

int32_t at_least_one(int32_t count) { return count < 1 ? 1 : count; }

int32_t count_line_feeds(const char* text, int32_t count) {
  int32_t found = 0;
  for (int32_t p = 0; p < at_least_one(count); ++p)
    if (text[p] == 10) ++found;
  return found;
}

WordEntry* literal_entry(const TextDocument* document, int32_t n, int32_t k) {
  return document->WordTable[n - 1][k - 1];
}

int32_t literal_word_count(const TextDocument* document, int32_t n) {
  if (static_cast<uint32_t>(n - 1) >= static_cast<uint32_t>(document->LineLimit)) return 0;
  int32_t slot = document->WordCountTable[n - 1];
  if (n == 1 && static_cast<uint32_t>(slot) == kNoWordsTag) return 0;
  return slot;
}

}  // namespace

int32_t CountLines(const char* text, int32_t count) {
  int32_t lines = 2;
  for (int32_t p = 0; p < at_least_one(count); ++p)
    if (text[p] == 13) ++lines;
  return lines;
}

int32_t BuildLineIndex(const char* text, uint32_t* index, int32_t count) {
  int32_t next_slot = 1;
  index[0] = 0;
  for (int32_t p = 0; p < at_least_one(count); ++p)
    if (text[p] == 10) index[next_slot++] = static_cast<uint32_t>(p + 1);
  return next_slot - 1;
}

int32_t LineLength(const TextDocument* document, int32_t n) {
  if (static_cast<uint32_t>(n) + 1 < static_cast<uint32_t>(document->LineLimit))
    return static_cast<int32_t>(document->LineIndex[n] - document->LineIndex[n - 1] - 2);
  return 0;
}

LineText GetLineText(int32_t n, const TextDocument* document) {
  int32_t offset = LineOffset(n, document->LineIndex, document->LineLimit);
  // Out-of-range lines have length 0; their pointer is never read.
  return {text_reference::LineLength(document, n), document->Text + std::max(offset, 0)};
}

int32_t CountWords(const char* bytes, int32_t count) {
  if (count == 0) return 0;
  int32_t words = 0;
  bool in_word = false;
  for (int32_t i = 0; i < count; ++i) {
    if (is_letter_or_digit(static_cast<unsigned char>(bytes[i]))) {
      in_word = true;
    } else if (in_word) {
      ++words;
      in_word = false;
    }
  }
  return words;
}

WordPick NthWord(int32_t n, const char* bytes, int32_t count) {
  if (count == 0) return {0, nullptr};
  bool in_word = false;
  int32_t found = 0;
  int32_t start = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (is_picked_byte(static_cast<unsigned char>(bytes[i]))) {
      if (!in_word) start = i;
      in_word = true;
    } else if (in_word) {
      ++found;
      in_word = false;
      if (found == n) return {i - start, const_cast<char*>(bytes) + start};
    }
  }
  return {0, reinterpret_cast<char*>(static_cast<UINT_PTR>(found))};
}

TextDocument* LoadTextDocument(const char* file_name) {
  if (FileExists(file_name) != 1) return nullptr;
  auto* document = static_cast<TextDocument*>(GlobalAlloc(GMEM_ZEROINIT, sizeof(TextDocument)));
  document->Tag = kTextDocumentTag;
  document->Text = static_cast<char*>(GlobalAlloc(GMEM_ZEROINIT, kTextBufferSize));
  DWORD read = 0;
  ReadWholeFile(document->Text, file_name, &read, kTextBufferSize);
  auto count = static_cast<int32_t>(read);
  int32_t slots = std::max(text_reference::CountLines(document->Text, count),
                           count_line_feeds(document->Text, count) + 1);
  document->LineIndex = static_cast<uint32_t*>(GlobalAlloc(GMEM_ZEROINIT, slots * 4u));
  if (text_reference::BuildLineIndex(document->Text, document->LineIndex, count) == 0) {
    GlobalFree(document->Text);
    GlobalFree(document->LineIndex);
    GlobalFree(document);
    return nullptr;
  }
  document->TextSize = count;
  document->LineLimit = text_reference::CountLines(document->Text, count);
  text_reference::BuildWordTables(document);
  return document;
}

void BuildWordTables(TextDocument* document) {
  int32_t limit = document->LineLimit;
  document->WordTable =
      static_cast<WordList*>(GlobalAlloc(GMEM_ZEROINIT, limit * sizeof(WordList)));
  document->WordTable[0] = reinterpret_cast<WordList>(static_cast<UINT_PTR>(kNoWordsTag));
  document->WordCountTable = static_cast<int32_t*>(GlobalAlloc(GMEM_ZEROINIT, limit * 4u));
  document->WordCountTable[0] = static_cast<int32_t>(kNoWordsTag);
  for (int32_t n = 1; n <= limit; ++n) {
    LineText line = text_reference::GetLineText(n, document);
    int32_t count = text_reference::CountWords(line.Pointer, line.Length);
    if (count <= 0) continue;
    document->WordCountTable[n - 1] = count;
    auto* list = static_cast<WordList>(GlobalAlloc(GMEM_ZEROINIT, count * sizeof(WordEntry*)));
    document->WordTable[n - 1] = list;
    for (int32_t j = 1; j <= count; ++j) {
      LineText again = text_reference::GetLineText(n, document);
      WordPick pick = text_reference::NthWord(j, again.Pointer, again.Length);
      auto* entry = static_cast<WordEntry*>(GlobalAlloc(GMEM_ZEROINIT, sizeof(WordEntry)));
      entry->Tag = kWordEntryTag;
      entry->Pointer = pick.Pointer;
      entry->Length = pick.Length;
      entry->Remaining = count - j + 1;
      list[j - 1] = entry;
    }
  }
}

void BuildWordPointerTable(TextDocument* document) {
  int32_t limit = document->LineLimit;
  int32_t largest = 0;
  for (int32_t n = 1; n <= limit; ++n) largest = std::max(largest, literal_word_count(document, n));
  size_t slots = 1 + std::max<size_t>(2 * static_cast<size_t>(limit), largest);
  if (document->WordPointerTable != nullptr) GlobalFree(document->WordPointerTable);
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, slots * sizeof(UINT_PTR));
  document->WordPointerTable = static_cast<UINT_PTR*>(block);
  auto* table = static_cast<UINT_PTR*>(GlobalLock(block));
  table[0] = static_cast<UINT_PTR>(limit);
  for (int32_t n = 1; n <= limit; ++n) {
    LineText line = text_reference::GetLineText(n, document);
    int32_t count = text_reference::CountWords(line.Pointer, line.Length);
    for (int32_t j = 1; j <= count; ++j)
      table[j] =
          reinterpret_cast<UINT_PTR>(text_reference::NthWord(j, line.Pointer, line.Length).Pointer);
  }
  GlobalUnlock(block);
}

int32_t FindWord(const TextDocument* document, const char* query, int32_t length) {
  if (length == 0) return -1;
  std::vector<char> work(std::max<size_t>(2048, static_cast<size_t>(length) + 1));
  for (int32_t i = 0; i < length; ++i) work[i] = query[i];
  work[length] = 0;
  CharUpperA(work.data());
  for (int32_t n = 1; n <= document->LineLimit; ++n) {
    for (int32_t k = 1; k <= literal_word_count(document, n); ++k) {
      const WordEntry* entry = literal_entry(document, n, k);
      if (entry->Length == length && bytes_equal(entry->Pointer, work.data(), length)) return 1;
    }
  }
  return -1;
}

void MarkSharedWords(const TextDocument* searched, TextDocument* marked) {
  for (int32_t n = 1; n <= marked->LineLimit; ++n) {
    for (int32_t k = 1; k <= literal_word_count(marked, n); ++k) {
      WordEntry* entry = literal_entry(marked, n, k);
      int32_t result = text_reference::FindWord(searched, entry->Pointer, entry->Length);
      if (entry->Tag == kWordEntryTag) entry->Tag = static_cast<uint32_t>(result);
    }
  }
}

}  // namespace text_reference
