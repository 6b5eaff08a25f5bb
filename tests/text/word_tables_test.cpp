// Word counting and picking, the per-line word tables and their entries.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text_test_support.h"

namespace {

int32_t count_words(const std::string& bytes) {
  return CountWords(bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::string nth_word(int32_t n, const std::string& bytes) {
  WordPick pick = NthWord(n, bytes.data(), static_cast<int32_t>(bytes.size()));
  if (pick.Length != 0) return std::string(pick.Pointer, pick.Length);
  std::string found = std::to_string(WordsFound(pick.Pointer));
  return found.insert(0, 1, '#');
}

TEST(CountWords, CountsLetterAndDigitRunsThatASeparatorFollows) {
  EXPECT_EQ(count_words("mov ax, bx"), 2);
  EXPECT_EQ(count_words("a.b c d"), 3);
  EXPECT_EQ(count_words("word"), 0);
  EXPECT_EQ(count_words("word "), 1);
  EXPECT_EQ(count_words("x1_y2@z3`"), 3);
  EXPECT_EQ(count_words("caf\xE9 au"), 1);  // 0xE9 separates when counting
  EXPECT_EQ(count_words(""), 0);
  EXPECT_EQ(CountWords("a b c ", -3), 0);
}

TEST(NthWord, PicksRunsOfPrintableAndHighBytesThatASeparatorFollows) {
  EXPECT_EQ(nth_word(1, "mov ax, bx"), "mov");
  EXPECT_EQ(nth_word(2, "mov ax, bx"), "ax,");
  EXPECT_EQ(nth_word(3, "mov ax, bx"), "#2");  // bx reaches the end
  EXPECT_EQ(nth_word(1, "caf\xE9\tau"), "caf\xE9");
  EXPECT_EQ(nth_word(2,
                     "a{b|c}d~e\x7f"
                     "f "),
            "b");
  EXPECT_EQ(nth_word(6,
                     "a{b|c}d~e\x7f"
                     "f "),
            "f");
  EXPECT_EQ(nth_word(1, std::string("!z\0", 3)), "!z");
  EXPECT_EQ(nth_word(1, ""), "#0");
}

TEST(BuildWordTables, FillsEntriesFromPickedWordsForTheCountedNumber) {
  DocumentPtr document = load_bytes("mov ax, bx\r\na.b c d\r\n");
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(LineWordCount(document.get(), 1), 2);
  const WordEntry* mov = GetWordEntry(document.get(), 1, 1);
  EXPECT_EQ(mov->Tag, 0x46464646u);
  EXPECT_EQ(word_string(mov), "mov");
  EXPECT_EQ(text_offset(document.get(), mov->Pointer), 0);
  EXPECT_EQ(mov->Remaining, 2);
  EXPECT_EQ(mov->Spare, 0u);
  const WordEntry* ax = GetWordEntry(document.get(), 1, 2);
  EXPECT_EQ(word_string(ax), "ax,");
  EXPECT_EQ(ax->Remaining, 1);

  ASSERT_EQ(LineWordCount(document.get(), 2), 3);
  EXPECT_EQ(word_string(GetWordEntry(document.get(), 2, 1)), "a.b");
  EXPECT_EQ(word_string(GetWordEntry(document.get(), 2, 2)), "c");
  const WordEntry* missing = GetWordEntry(document.get(), 2, 3);
  EXPECT_EQ(missing->Length, 0);
  EXPECT_EQ(WordsFound(missing->Pointer), 2u);
  EXPECT_EQ(missing->Remaining, 1);
}

TEST(BuildWordTables, KeepsTheNoWordsTagWhenLineOneHasNoWords) {
  DocumentPtr document = load_bytes("\r\nlast\r\nthe end \r\n");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(static_cast<uint32_t>(document->WordCountTable[0]), 0x4E414E4Fu);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(document->WordTable[0]), UINT_PTR{0x4E414E4F});
  EXPECT_EQ(LineWordCount(document.get(), 1), 0);
  EXPECT_EQ(LineWordCount(document.get(), 2), 0);  // "last" reaches the line end
  EXPECT_EQ(document->WordTable[1], nullptr);
  EXPECT_EQ(LineWordCount(document.get(), 3), 2);
}

TEST(BuildWordTables, LineOneWithWordsReplacesTheTag) {
  DocumentPtr document = load_bytes("one two \r\n");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->WordCountTable[0], 2);
  EXPECT_EQ(word_string(document->WordTable[0][1]), "two");
}

TEST(GetWordEntry, NumbersOutOfRangeGiveNoEntry) {
  DocumentPtr document = load_bytes("\r\nab cd \r\n");
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(document->LineLimit, 4);
  const TextDocument* d = document.get();
  for (int32_t n : {0, -1, INT_MIN, 1, 3, 4, 5, INT_MAX})
    EXPECT_EQ(GetWordEntry(d, n, 1), kNoWordEntry) << n;
  for (int32_t k : {0, -1, 3, INT_MAX, INT_MIN})
    EXPECT_EQ(GetWordEntry(d, 2, k), kNoWordEntry) << k;
  EXPECT_EQ(word_string(GetWordEntry(d, 2, 2)), "cd");
  for (int32_t n : {0, -1, 5, INT_MIN}) EXPECT_EQ(LineWordCount(d, n), 0) << n;
}

TEST(BuildWordPointerTable, HoldsTheLastLinesPicksPerWordNumber) {
  DocumentPtr document = load_bytes("a b c d \r\nx.y z w\r\n");
  ASSERT_NE(document, nullptr);
  BuildWordPointerTable(document.get());
  const UINT_PTR* table = document->WordPointerTable;
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table[0], UINT_PTR{4});  // LineLimit
  // Line 2 (3 counted words, 2 picked) overwrites slots 1 to 3 of line 1.
  EXPECT_EQ(table[1], reinterpret_cast<UINT_PTR>(document->Text + 10));
  EXPECT_EQ(table[2], reinterpret_cast<UINT_PTR>(document->Text + 14));
  EXPECT_EQ(table[3], UINT_PTR{2});
  EXPECT_EQ(table[4], reinterpret_cast<UINT_PTR>(document->Text + 6));
  for (int slot = 5; slot <= 8; ++slot) EXPECT_EQ(table[slot], UINT_PTR{0});
}

// A line of many words needs more slots than 2 x LineLimit.
TEST(BuildWordPointerTable, MakesRoomForTheLargestWordCount) {
  std::string line;
  for (int i = 0; i < 300; ++i) {
    line += 'w';
    line += std::to_string(i);
    line += ' ';
  }
  DocumentPtr document = load_bytes(line.insert(0, "x \r\n").append("\r\n"));
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(document->LineLimit, 4);
  BuildWordPointerTable(document.get());
  BuildWordPointerTable(document.get());  // a rebuild replaces the block
  const UINT_PTR* table = document->WordPointerTable;
  ASSERT_GE(GlobalSize(document->WordPointerTable), 301 * sizeof(UINT_PTR));
  for (int j = 1; j <= 300; ++j) {
    const WordEntry* entry = GetWordEntry(document.get(), 2, j);
    ASSERT_EQ(table[j], reinterpret_cast<UINT_PTR>(entry->Pointer)) << j;
    ASSERT_EQ(word_string(entry), std::to_string(j - 1).insert(0, 1, 'w'));
  }
}

TEST(FreeWordTables, ReleasesTablesAndAcceptsNull) {
  FreeWordTables(nullptr);
  FreeTextDocument(nullptr);
  DocumentPtr document = load_bytes("\r\na b \r\n");
  ASSERT_NE(document, nullptr);
  FreeWordTables(document.get());
  EXPECT_EQ(document->WordTable, nullptr);
  EXPECT_EQ(document->WordCountTable, nullptr);
  EXPECT_EQ(LineWordCount(document.get(), 2), 0);
}

}  // namespace
