#include <array>
#include <cstring>
#include <vector>

#include "text/word_index.h"
#include "text/word_tables.h"

namespace {

// Queries shorter than this are upper-cased in a work area on the stack.
constexpr int32_t kWorkAreaSize = 2048;

// CharUpperA of every byte, taken once: the ANSI code page maps each byte
// on its own, so a table gives what CharUpperA gives on a whole string.
std::array<unsigned char, 256> make_upper_table() {
  char all_bytes[256];
  for (int c = 1; c < 256; ++c) all_bytes[c - 1] = static_cast<char>(c);
  all_bytes[255] = 0;
  CharUpperA(all_bytes);
  std::array<unsigned char, 256> table{};
  for (int c = 1; c < 256; ++c) table[c] = static_cast<unsigned char>(all_bytes[c - 1]);
  return table;
}

// The query as FindWord compares it: upper-cased up to its first zero byte
// (where CharUpperA stops), the bytes after that as they are.
void upper_case_query(const char* query, int32_t length, std::vector<char>& out) {
  static const std::array<unsigned char, 256> upper = make_upper_table();
  out.resize(length);
  int32_t i = 0;
  for (; i < length && query[i] != 0; ++i)
    out[i] = static_cast<char>(upper[static_cast<unsigned char>(query[i])]);
  if (i < length) std::memcpy(out.data() + i, query + i, length - i);
}

// Searches every entry in order, as a single search does without an index.
int32_t find_word_by_scan(const TextDocument* document, const char* query, int32_t length) {
  char work_area[kWorkAreaSize];
  std::vector<char> long_query;
  char* work = work_area;
  if (length >= kWorkAreaSize) {
    long_query.resize(static_cast<size_t>(length) + 1);
    work = long_query.data();
  }
  std::memcpy(work, query, length);
  work[length] = 0;
  CharUpperA(work);
  for (int32_t n = 1; n <= document->LineLimit; ++n) {
    int32_t count = LineWordCount(document, n);
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* entry = GetWordEntry(document, n, k);
      if (entry->Length == length && BytesEqual(entry->Pointer, work, length) == 1) return 1;
    }
  }
  return -1;
}

int32_t answer(bool found) { return found ? 1 : -1; }

// Upper-cases each query into one reused buffer and asks the index.
class IndexedSearch {
 public:
  explicit IndexedSearch(const WordIndex& index) : index_(index) {}

  int32_t Find(const char* query, int32_t length) {
    if (length <= 0) return -1;
    upper_case_query(query, length, upper_);
    return answer(index_.Contains(upper_.data(), length));
  }

 private:
  const WordIndex& index_;
  std::vector<char> upper_;
};

uint32_t load_group(const unsigned char* bytes) {
  uint32_t group;
  std::memcpy(&group, bytes, sizeof(group));
  return group;
}

}  // namespace

int32_t FindWord(TextDocument* document, const char* query, int32_t length) {
  // An empty query names no word (entries of length 0 hold no word either).
  if (length <= 0) return -1;
  const WordIndex* index = RepeatedSearchIndex(document);
  if (index == nullptr) return find_word_by_scan(document, query, length);
  return IndexedSearch(*index).Find(query, length);
}

void MarkSharedWords(TextDocument* searched, TextDocument* marked) {
  // One index of the searched document serves every word of the other.
  WordIndex index(searched);
  IndexedSearch search(index);
  for (int32_t n = 1; n <= marked->LineLimit; ++n) {
    int32_t count = LineWordCount(marked, n);
    for (int32_t k = 1; k <= count; ++k) {
      WordEntry* entry = marked->WordTable[n - 1][k - 1];
      int32_t found = search.Find(entry->Pointer, entry->Length);
      if (entry->Tag == kWordEntryTag) entry->Tag = static_cast<uint32_t>(found);
    }
  }
}

int32_t BytesEqual(const void* a, const void* b, int32_t count) {
  const auto* left = static_cast<const unsigned char*>(a);
  const auto* right = static_cast<const unsigned char*>(b);
  int32_t groups = count / 4;
  for (int32_t i = 0; i < groups; ++i, left += 4, right += 4)
    if (load_group(left) != load_group(right)) return 0;
  for (int32_t i = 0; i < count % 4; ++i)
    if (left[i] != right[i]) return 0;
  return 1;
}
