// The one-pass word tables, the indexed searches and the line index against
// their literal versions, on many generated texts of every kind of line end.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "reference/text_reference.h"
#include "text/word_index.h"
#include "text_test_support.h"

namespace {

const std::vector<std::string> kVocabulary = {
    "mov", "MOV",     "Mov",     "ax,",     "AX",       "a.b",      "x1",
    "X1",  "[ebp+8]", "caf\xE9", "CAF\xC9", "\xFF\xFF", "\x9F\x9F", "q!",
    "Q!",  "z`",      "Z`",      "9",       "@home",    "\x80\x81", "e\xDF"};
const std::string kSeparators = std::string(" \t,;.:{|}~\x7f\x01", 12) + std::string(1, '\0');
const std::vector<std::string> kLineEnds = {"\r\n", "\n", "\r", "\n\r", "\r\r\n", ""};

class TextGenerator {
 public:
  explicit TextGenerator(uint32_t seed) : random_(seed) {}

  int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

  // A text of one line-end style (or all of them mixed), with words,
  // separators of both classes, stray bytes, empty and long lines.
  std::string Text() {
    int style = below(kLineEnds.size() + 1);
    std::string text;
    int lines = below(40);
    for (int i = 0; i < lines; ++i) {
      text += Line();
      int end = style < static_cast<int>(kLineEnds.size()) ? style : below(kLineEnds.size());
      text += kLineEnds[end];
    }
    if (below(2)) text += Line();  // a last line without its end
    return text;
  }

  std::string Word() {
    if (below(8) == 0) {
      std::string random_bytes;
      for (int i = below(6) + 1; i > 0; --i) random_bytes += static_cast<char>(below(256));
      return random_bytes;
    }
    return kVocabulary[below(kVocabulary.size())];
  }

 private:
  std::string Line() {
    std::string line;
    int words = below(10) == 0 ? below(400) : below(12);
    for (int i = 0; i < words; ++i) {
      line += Word();
      if (below(5)) line += kSeparators[below(kSeparators.size())];
    }
    if (below(20) == 0) line += std::string(2100 + below(100), 'K') + " ";
    return line;
  }

  std::mt19937 random_;
};

struct DocumentPair {
  DocumentPtr fast;
  DocumentPtr literal;
};

DocumentPair load_both(const std::string& bytes) {
  return {load_bytes(bytes), load_bytes_with(text_reference::LoadTextDocument, bytes)};
}

// A slot value as offset into the document's text, or as a count.
long long relative(const TextDocument* document, const char* pointer) {
  UINT_PTR value = reinterpret_cast<UINT_PTR>(pointer);
  UINT_PTR start = reinterpret_cast<UINT_PTR>(document->Text);
  if (value >= start && value < start + kTextBufferSize)
    return static_cast<long long>(value - start);
  return -1 - static_cast<long long>(value);
}

void expect_same_lines(const TextDocument* fast, const TextDocument* literal) {
  ASSERT_EQ(fast->TextSize, literal->TextSize);
  ASSERT_EQ(fast->LineLimit, literal->LineLimit);
  size_t slots = GlobalSize(literal->LineIndex) / sizeof(uint32_t);
  ASSERT_EQ(GlobalSize(fast->LineIndex) / sizeof(uint32_t), slots);
  for (size_t k = 0; k < slots; ++k) ASSERT_EQ(fast->LineIndex[k], literal->LineIndex[k]) << k;
  for (int32_t n = 0; n <= fast->LineLimit + 1; ++n) {
    LineText line = GetLineText(n, fast);
    int32_t literal_length = n >= 1 ? text_reference::LineLength(literal, n) : 0;
    ASSERT_EQ(line.Length, std::max(literal_length, 0)) << "line " << n;
    if (n >= 1 && n < fast->LineLimit) {
      ASSERT_EQ(line.Pointer - fast->Text, GetLineText(n, literal).Pointer - literal->Text);
    }
  }
}

void expect_same_words(const TextDocument* fast, const TextDocument* literal) {
  ASSERT_EQ(fast->WordCountTable[0], literal->WordCountTable[0]);
  for (int32_t n = 1; n <= fast->LineLimit; ++n) {
    int32_t count = LineWordCount(fast, n);
    ASSERT_EQ(count, LineWordCount(literal, n)) << "line " << n;
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* a = GetWordEntry(fast, n, k);
      const WordEntry* b = GetWordEntry(literal, n, k);
      ASSERT_EQ(a->Tag, b->Tag);
      ASSERT_EQ(a->Length, b->Length) << "line " << n << " word " << k;
      ASSERT_EQ(relative(fast, a->Pointer), relative(literal, b->Pointer));
      ASSERT_EQ(a->Remaining, b->Remaining);
      ASSERT_EQ(a->Spare, b->Spare);
    }
  }
}

void expect_same_pointer_tables(TextDocument* fast, TextDocument* literal) {
  BuildWordPointerTable(fast);
  text_reference::BuildWordPointerTable(literal);
  size_t slots = GlobalSize(literal->WordPointerTable) / sizeof(UINT_PTR);
  ASSERT_EQ(GlobalSize(fast->WordPointerTable) / sizeof(UINT_PTR), slots);
  for (size_t j = 0; j < slots; ++j) {
    auto* a = reinterpret_cast<const char*>(fast->WordPointerTable[j]);
    auto* b = reinterpret_cast<const char*>(literal->WordPointerTable[j]);
    ASSERT_EQ(relative(fast, a), relative(literal, b)) << "slot " << j;
  }
}

// Queries: the document's own words, the same in other cases, and others.
std::vector<std::string> queries_for(const TextDocument* document, TextGenerator& generator) {
  std::vector<std::string> queries;
  for (int32_t n = 1; n <= document->LineLimit; ++n) {
    int32_t count = LineWordCount(document, n);
    for (int32_t k = 1; k <= count; k += 1 + count / 8) {
      const WordEntry* entry = GetWordEntry(document, n, k);
      if (entry->Length == 0) continue;
      std::string word = word_string(entry);
      queries.push_back(word);
      for (char& c : word) c = static_cast<char>(c ^ 0x20);
      queries.push_back(word);
    }
  }
  for (int i = 0; i < 20; ++i) queries.push_back(generator.Word());
  queries.push_back(std::string(2150, 'k'));
  queries.push_back(std::string("MOV\0x", 5));
  return queries;
}

void expect_same_searches(TextDocument* fast, const TextDocument* literal,
                          const std::vector<std::string>& queries) {
  for (const std::string& query : queries) {
    auto length = static_cast<int32_t>(query.size());
    int32_t expected = text_reference::FindWord(literal, query.data(), length);
    ForgetWordIndex(fast);  // the single-search scan...
    ASSERT_EQ(FindWord(fast, query.data(), length), expected) << query;
    ASSERT_EQ(FindWord(fast, query.data(), length), expected) << query;  // ...and the index
  }
}

std::vector<uint32_t> all_tags(const TextDocument* document) {
  std::vector<uint32_t> tags;
  for (int32_t n = 1; n <= document->LineLimit; ++n)
    for (int32_t k = 1; k <= LineWordCount(document, n); ++k)
      tags.push_back(GetWordEntry(document, n, k)->Tag);
  return tags;
}

TEST(LiteralComparison, OnePassTablesAndIndexedSearchesMatchTheLiteralRoutines) {
  TextGenerator generator(20260612);
  int loaded = 0;
  for (int round = 0; round < 250; ++round) {
    std::string text = generator.Text();
    SCOPED_TRACE("round " + std::to_string(round));
    DocumentPair documents = load_both(text);
    ASSERT_EQ(documents.fast == nullptr, documents.literal == nullptr);
    if (!documents.fast) continue;
    ++loaded;
    TextDocument* fast = documents.fast.get();
    TextDocument* literal = documents.literal.get();
    expect_same_lines(fast, literal);
    expect_same_words(fast, literal);
    expect_same_pointer_tables(fast, literal);
    expect_same_searches(fast, literal, queries_for(literal, generator));
  }
  EXPECT_GT(loaded, 150);
}

TEST(LiteralComparison, MarkSharedWordsMatchesTheLiteralRoutine) {
  TextGenerator generator(777);
  int marked_words = 0;
  for (int round = 0; round < 80; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    DocumentPair searched = load_both(generator.Text() + "\r\n");
    DocumentPair other = load_both(generator.Text() + "\r\n");
    DocumentPair marked = load_both(generator.Text() + "\r\n");
    MarkSharedWords(searched.fast.get(), marked.fast.get());
    MarkSharedWords(other.fast.get(), marked.fast.get());
    text_reference::MarkSharedWords(searched.literal.get(), marked.literal.get());
    text_reference::MarkSharedWords(other.literal.get(), marked.literal.get());
    std::vector<uint32_t> tags = all_tags(marked.fast.get());
    ASSERT_EQ(tags, all_tags(marked.literal.get()));
    marked_words += static_cast<int>(std::count(tags.begin(), tags.end(), kWordShared));
  }
  EXPECT_GT(marked_words, 60);
}

TEST(LiteralComparison, CountWordsAndNthWordMatchOnRandomBytes) {
  TextGenerator generator(99);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    for (int i = generator.below(40); i > 0; --i)
      bytes += generator.Word() + kSeparators[generator.below(13)];
    auto count = static_cast<int32_t>(bytes.size());
    ASSERT_EQ(CountWords(bytes.data(), count), text_reference::CountWords(bytes.data(), count));
    for (int32_t n = 1; n <= 45; ++n) {
      WordPick a = NthWord(n, bytes.data(), count);
      WordPick b = text_reference::NthWord(n, bytes.data(), count);
      ASSERT_EQ(a.Length, b.Length);
      ASSERT_EQ(a.Pointer, b.Pointer);
    }
  }
}

}  // namespace
