// Text documents from arbitrary bytes: two documents are written to scratch
// files and loaded, every reader is asked about lines and words in and out
// of range, and the word tables, FindWord and MarkSharedWords are compared
// with their literal versions.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "text/text_document.h"
#include "text/word_index.h"
#include "text/word_tables.h"
// The literal versions are built into this target: the fuzz targets link
// the system's library only.
#include "../tests/reference/text_reference.cpp"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

// Two scratch files of this process, removed when it exits.
class ScratchFiles {
 public:
  ScratchFiles() {
    for (int which = 0; which < 2; ++which)
      names_[which] =
          "/tmp/pixwell-fuzz-text-" + std::to_string(getpid()) + "-" + "ab"[which] + ".txt";
  }
  ~ScratchFiles() {
    for (const std::string& name : names_) std::remove(name.c_str());
  }
  const std::string& Name(int which) const { return names_[which]; }

 private:
  std::string names_[2];
};

const std::string& scratch_name(int which) {
  static const ScratchFiles files;
  return files.Name(which);
}

const char* write_scratch(int which, const std::string& bytes) {
  const std::string& name = scratch_name(which);
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return name.c_str();
}

struct Loaded {
  TextDocument* fast;
  TextDocument* literal;
};

Loaded load_both(int which, const std::string& bytes) {
  const char* name = write_scratch(which, bytes);
  Loaded loaded{LoadTextDocument(name), text_reference::LoadTextDocument(name)};
  check((loaded.fast == nullptr) == (loaded.literal == nullptr));
  return loaded;
}

void check_lines(const TextDocument* document) {
  const int32_t limit = document->LineLimit;
  for (int32_t n : {INT32_MIN, -1, 0, 1, 2, limit - 1, limit, limit + 1, INT32_MAX}) {
    LineText line = GetLineText(n, document);
    check(line.Length >= 0);
    check(line.Pointer >= document->Text);
    check(line.Pointer + line.Length <= document->Text + document->TextSize);
    check(LineLength(document, n) == line.Length);
  }
  for (int32_t n = 1; n < limit; ++n) {
    LineText line = GetLineText(n, document);
    check(line.Pointer + line.Length <= document->Text + document->TextSize);
  }
}

void check_words(const TextDocument* fast, const TextDocument* literal) {
  for (int32_t n = 1; n <= fast->LineLimit; ++n) {
    int32_t count = LineWordCount(fast, n);
    check(count == LineWordCount(literal, n));
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* a = GetWordEntry(fast, n, k);
      const WordEntry* b = literal->WordTable[n - 1][k - 1];
      check(a->Length == b->Length && a->Remaining == b->Remaining && a->Tag == b->Tag);
      if (a->Length > 0) {
        check(a->Pointer - fast->Text == b->Pointer - literal->Text);
      } else {
        check(a->Pointer == b->Pointer);
      }
    }
    for (int32_t k : {INT32_MIN, -1, 0, count + 1, INT32_MAX})
      check(GetWordEntry(fast, n, k) == kNoWordEntry);
  }
  for (int32_t n : {INT32_MIN, -1, 0, fast->LineLimit + 1, INT32_MAX}) {
    check(LineWordCount(fast, n) == 0);
    check(GetWordEntry(fast, n, 1) == kNoWordEntry);
  }
}

// The first search scans, the second goes through the index.
void check_search(TextDocument* fast, const TextDocument* literal, const std::string& query) {
  auto length = static_cast<int32_t>(query.size());
  int32_t expected = text_reference::FindWord(literal, query.data(), length);
  ForgetWordIndex(fast);
  check(FindWord(fast, query.data(), length) == expected);
  check(FindWord(fast, query.data(), length) == expected);
}

std::vector<uint32_t> tags_of(const TextDocument* document) {
  std::vector<uint32_t> tags;
  for (int32_t n = 1; n <= document->LineLimit; ++n)
    for (int32_t k = 1; k <= LineWordCount(document, n); ++k)
      tags.push_back(document->WordTable[n - 1][k - 1]->Tag);
  return tags;
}

void check_document(Loaded& loaded, const std::string& other_bytes) {
  check_lines(loaded.fast);
  check_words(loaded.fast, loaded.literal);
  BuildWordPointerTable(loaded.fast);
  BuildWordPointerTable(loaded.fast);
  check(loaded.fast->WordPointerTable[0] == static_cast<UINT_PTR>(loaded.fast->LineLimit));
  for (size_t start = 0; start < other_bytes.size(); start += 1 + other_bytes.size() / 8)
    check_search(loaded.fast, loaded.literal, other_bytes.substr(start, 1 + start % 13));
  std::string long_query(2048 + other_bytes.size() % 300, 'Z');
  check_search(loaded.fast, loaded.literal, long_query);
}

void check_line_routines(const std::string& bytes) {
  std::string source = bytes + '\0';
  std::vector<char> target(source.size() + 1);
  int32_t stored = CopyUntilControl(source.c_str(), target.data());
  check(stored >= 0 && static_cast<size_t>(stored) < source.size());
  auto count = static_cast<int32_t>(source.size());
  int32_t end = LineEndPosition(source.c_str(), count);
  check(end >= 1 && end <= count);
  check(BytesEqual(source.data(), source.data(), count) == 1);
}

// The literal marking searches one document once per word of the other:
// it is compared only where that stays quick.
void check_marks(Loaded& a, Loaded& b) {
  size_t words_a = tags_of(a.fast).size();
  size_t words_b = tags_of(b.fast).size();
  MarkSharedWords(a.fast, b.fast);
  MarkSharedWords(b.fast, a.fast);
  MarkSharedWords(a.fast, a.fast);
  if (words_a * words_b + words_a * words_a > 20000) return;
  text_reference::MarkSharedWords(a.literal, b.literal);
  text_reference::MarkSharedWords(b.literal, a.literal);
  text_reference::MarkSharedWords(a.literal, a.literal);
  check(tags_of(a.fast) == tags_of(a.literal));
  check(tags_of(b.fast) == tags_of(b.literal));
}

void release(Loaded& loaded) {
  FreeTextDocument(loaded.fast);
  FreeTextDocument(loaded.literal);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t split = bytes.size() * data[0] / 255;
  std::string first = bytes.substr(0, split);
  std::string second = bytes.substr(split);
  check_line_routines(bytes);

  Loaded a = load_both(0, first);
  Loaded b = load_both(1, second);
  if (a.fast) check_document(a, second);
  if (b.fast) check_document(b, first);
  if (a.fast && b.fast) check_marks(a, b);
  release(a);
  release(b);
  return 0;
}
