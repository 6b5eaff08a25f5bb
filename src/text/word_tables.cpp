#include "text/word_tables.h"

#include <algorithm>
#include <array>
#include <vector>

#include "text/word_index.h"

namespace {

// Byte classes: counted words are ASCII letters and digits; picked words are
// every byte from '!' to 'z' and from 128 up.
constexpr uint8_t kCounted = 1;
constexpr uint8_t kPicked = 2;

constexpr std::array<uint8_t, 256> make_byte_classes() {
  std::array<uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    bool letter_or_digit =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    bool picked = (c >= 33 && c <= 122) || c >= 128;
    classes[c] = static_cast<uint8_t>((letter_or_digit ? kCounted : 0) | (picked ? kPicked : 0));
  }
  return classes;
}

constexpr std::array<uint8_t, 256> kByteClasses = make_byte_classes();

uint8_t byte_class(char byte) { return kByteClasses[static_cast<unsigned char>(byte)]; }

template <typename T>
T* allocate_zeroed(size_t bytes) {
  return static_cast<T*>(GlobalAlloc(GMEM_ZEROINIT, bytes));
}

// One picked word of a line.
struct Pick {
  char* start;
  int32_t length;
};

// The words of one line found in a single walk: the counted number, and
// every picked word in order (what NthWord(1), NthWord(2)... return).
struct LineWords {
  int32_t counted = 0;
  std::vector<Pick> picks;
};

void scan_line(char* bytes, int32_t count, LineWords& words) {
  words.counted = 0;
  words.picks.clear();
  bool in_counted = false;
  char* picked_start = nullptr;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t classes = byte_class(bytes[i]);
    if (classes & kCounted) {
      in_counted = true;
    } else if (in_counted) {
      ++words.counted;
      in_counted = false;
    }
    if (classes & kPicked) {
      if (picked_start == nullptr) picked_start = bytes + i;
    } else if (picked_start != nullptr) {
      words.picks.push_back({picked_start, static_cast<int32_t>(bytes + i - picked_start)});
      picked_start = nullptr;
    }
  }
}

// Entry j of a line: the j-th picked word, or, past the last one, length 0
// with the number of picked words where the address would be.
WordEntry* make_entry(const LineWords& words, int32_t j) {
  auto* entry = allocate_zeroed<WordEntry>(sizeof(WordEntry));
  if (entry == nullptr) return nullptr;
  entry->Tag = kWordEntryTag;
  auto picked = static_cast<int32_t>(words.picks.size());
  if (j <= picked) {
    entry->Pointer = words.picks[j - 1].start;
    entry->Length = words.picks[j - 1].length;
  } else {
    entry->Pointer = reinterpret_cast<char*>(static_cast<UINT_PTR>(picked));
  }
  entry->Remaining = words.counted - j + 1;
  return entry;
}

void build_line_entries(TextDocument* document, int32_t n, const LineWords& words) {
  int32_t count = words.counted;
  auto* list = allocate_zeroed<WordEntry*>(count * sizeof(WordEntry*));
  if (list == nullptr) return;
  document->WordCountTable[n - 1] = count;
  document->WordTable[n - 1] = list;
  for (int32_t j = 1; j <= count; ++j) list[j - 1] = make_entry(words, j);
}

bool holds_no_words_tag(int32_t slot_value) {
  return static_cast<uint32_t>(slot_value) == kNoWordsTag;
}

void free_line_entries(WordList list, int32_t count) {
  for (int32_t j = 0; j < count; ++j) GlobalFree(list[j]);
  GlobalFree(list);
}

int32_t largest_word_count(const TextDocument* document) {
  int32_t largest = 0;
  for (int32_t n = 1; n <= document->LineLimit; ++n)
    largest = std::max(largest, LineWordCount(document, n));
  return largest;
}

}  // namespace

int32_t CountWords(const char* bytes, int32_t count) {
  int32_t words = 0;
  bool in_word = false;
  for (int32_t i = 0; i < count; ++i) {
    bool counted = byte_class(bytes[i]) & kCounted;
    words += in_word && !counted;
    in_word = counted;
  }
  return words;
}

WordPick NthWord(int32_t n, const char* bytes, int32_t count) {
  int32_t found = 0;
  int32_t start = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (byte_class(bytes[i]) & kPicked) {
      if (start < 0) start = i;
    } else if (start >= 0) {
      if (++found == n) return {i - start, const_cast<char*>(bytes + start)};
      start = -1;
    }
  }
  return {0, reinterpret_cast<char*>(static_cast<UINT_PTR>(found))};
}

void BuildWordTables(TextDocument* document) {
  ForgetWordIndex(document);
  int32_t limit = document->LineLimit;
  document->WordTable = allocate_zeroed<WordList>(limit * sizeof(WordList));
  document->WordCountTable = allocate_zeroed<int32_t>(limit * sizeof(int32_t));
  if (document->WordTable == nullptr || document->WordCountTable == nullptr) return;
  document->WordTable[0] = reinterpret_cast<WordList>(static_cast<UINT_PTR>(kNoWordsTag));
  document->WordCountTable[0] = static_cast<int32_t>(kNoWordsTag);

  LineWords words;
  for (int32_t n = 1; n <= limit; ++n) {
    LineText line = GetLineText(n, document);
    scan_line(line.Pointer, line.Length, words);
    if (words.counted > 0) build_line_entries(document, n, words);
  }
}

void FreeWordTables(TextDocument* document) {
  if (document == nullptr) return;
  ForgetWordIndex(document);
  if (document->WordTable != nullptr && document->WordCountTable != nullptr) {
    for (int32_t slot = 0; slot < document->LineLimit; ++slot) {
      int32_t count = document->WordCountTable[slot];
      if (slot == 0 && holds_no_words_tag(count)) continue;
      if (count > 0) free_line_entries(document->WordTable[slot], count);
    }
  }
  GlobalFree(document->WordTable);
  GlobalFree(document->WordCountTable);
  document->WordTable = nullptr;
  document->WordCountTable = nullptr;
}

int32_t LineWordCount(const TextDocument* document, int32_t n) {
  uint32_t slot = static_cast<uint32_t>(n) - 1;
  if (slot >= static_cast<uint32_t>(document->LineLimit) || document->WordCountTable == nullptr)
    return 0;
  int32_t count = document->WordCountTable[slot];
  if (slot == 0 && holds_no_words_tag(count)) return 0;
  return count;
}

WordEntry* GetWordEntry(const TextDocument* document, int32_t n, int32_t k) {
  if (k < 1 || k > LineWordCount(document, n)) return kNoWordEntry;
  return document->WordTable[n - 1][k - 1];
}

void BuildWordPointerTable(TextDocument* document) {
  int32_t limit = document->LineLimit;
  // A line can hold more words than the 2 x LineLimit slots: room for all.
  size_t slots = 1 + std::max<size_t>(2 * static_cast<size_t>(limit), largest_word_count(document));
  if (document->WordPointerTable != nullptr) GlobalFree(document->WordPointerTable);
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, slots * sizeof(UINT_PTR));
  document->WordPointerTable = static_cast<UINT_PTR*>(block);
  if (block == nullptr) return;
  auto* table = static_cast<UINT_PTR*>(GlobalLock(block));
  table[0] = static_cast<UINT_PTR>(limit);
  // Entry j of a line already holds the second value of that line's NthWord(j).
  for (int32_t n = 1; n <= limit; ++n) {
    int32_t count = LineWordCount(document, n);
    for (int32_t j = 1; j <= count; ++j)
      table[j] = reinterpret_cast<UINT_PTR>(document->WordTable[n - 1][j - 1]->Pointer);
  }
  GlobalUnlock(block);
}
