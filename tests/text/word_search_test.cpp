// Word search in a document, the cross-marking of two documents' words, and
// the byte comparison under them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_test_support.h"

namespace {

int32_t find(TextDocument* document, const std::string& query) {
  return FindWord(document, query.data(), static_cast<int32_t>(query.size()));
}

// The answer of the first search of a document (a scan of its entries)
// and of the later ones (through its word index) must agree.
void expect_found(TextDocument* document, const std::string& query, int32_t expected) {
  for (int call = 0; call < 2; ++call) EXPECT_EQ(find(document, query), expected) << query;
}

std::vector<uint32_t> tags_of(const TextDocument* document) {
  std::vector<uint32_t> tags;
  for (int32_t n = 1; n <= document->LineLimit; ++n)
    for (int32_t k = 1; k <= LineWordCount(document, n); ++k)
      tags.push_back(GetWordEntry(document, n, k)->Tag);
  return tags;
}

TEST(FindWord, UpperCasesTheQueryButNotTheDocument) {
  DocumentPtr lower = load_bytes("mov ax\r\n");
  ASSERT_NE(lower, nullptr);
  for (const char* query : {"MOV", "mov", "Mov"}) expect_found(lower.get(), query, -1);

  DocumentPtr upper = load_bytes("MOV ax\r\n");
  ASSERT_NE(upper, nullptr);
  for (const char* query : {"MOV", "mov", "Mov"}) expect_found(upper.get(), query, 1);
  expect_found(upper.get(), "MO", -1);
  expect_found(upper.get(), "MOVE", -1);
}

TEST(FindWord, UpperCasesByTheAnsiCodePage) {
  DocumentPtr document = load_bytes("\xC9T\xC9 A\x9F B\xDF x\r\n");
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(LineWordCount(document.get(), 1), 3);
  expect_found(document.get(), "\xE9t\xE9", 1);  // été finds ÉTÉ
  expect_found(document.get(), "a\xFF", 1);      // ÿ finds Ÿ
  expect_found(document.get(), "b\xDF", 1);      // ß stays ß
}

TEST(FindWord, EmptyOrNegativeQueriesFindNothing) {
  DocumentPtr document = load_bytes("a.b c d\r\n");  // entry 3 has length 0
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(FindWord(document.get(), "", 0), -1);
  EXPECT_EQ(FindWord(document.get(), "abc", -2), -1);
}

TEST(FindWord, MatchesWordsPickedWithPunctuationAndHighBytes) {
  DocumentPtr document = load_bytes("PUSH [EBP+8], EAX\r\n");
  ASSERT_NE(document, nullptr);
  expect_found(document.get(), "[ebp+8],", 1);
  expect_found(document.get(), "ebp", -1);
  expect_found(document.get(), "EAX", -1);  // ends the line: not a word
}

// Queries of the work area's size and more: long words can be found and
// nothing is written past any buffer.
TEST(FindWord, HandlesQueriesOfTwoThousandAndMoreBytes) {
  std::string word(3000, 'Q');
  DocumentPtr document = load_bytes("x " + word + " y\r\n");
  ASSERT_NE(document, nullptr);
  expect_found(document.get(), std::string(3000, 'q'), 1);
  expect_found(document.get(), std::string(2048, 'q'), -1);
  expect_found(document.get(), std::string(2047, 'q'), -1);
  expect_found(document.get(), std::string(5000, 'q'), -1);
}

TEST(FindWord, ForgetsTheIndexOfAReleasedDocument) {
  // A new document often lands where a released one was: the index of the
  // old one must not answer for it.
  for (int round = 0; round < 4; ++round) {
    DocumentPtr first = load_bytes("ALPHA \r\n");
    ASSERT_NE(first, nullptr);
    expect_found(first.get(), "alpha", 1);
    first.reset();
    DocumentPtr second = load_bytes("BETA \r\n");
    ASSERT_NE(second, nullptr);
    expect_found(second.get(), "alpha", -1);
    expect_found(second.get(), "beta", 1);
  }
}

TEST(MarkSharedWords, TagsEachWordWithWhetherTheOtherDocumentHasIt) {
  DocumentPtr searched = load_bytes("MOV AX, BX\r\nPUSH \r\n");
  DocumentPtr marked = load_bytes("mov ax, cx\r\npop push \r\na.b c d\r\n");
  ASSERT_NE(searched, nullptr);
  ASSERT_NE(marked, nullptr);
  MarkSharedWords(searched.get(), marked.get());
  // mov, "ax," | pop, push | a.b, c, (length 0)
  std::vector<uint32_t> expected = {
      1, 1, kWordNotShared, 1, kWordNotShared, kWordNotShared, kWordNotShared};
  EXPECT_EQ(tags_of(marked.get()), expected);
  EXPECT_EQ(tags_of(searched.get()), std::vector<uint32_t>(3, kWordEntryTag));
}

TEST(MarkSharedWords, KeepsTheFirstMark) {
  DocumentPtr first = load_bytes("ONE \r\n");
  DocumentPtr second = load_bytes("TWO \r\n");
  DocumentPtr marked = load_bytes("one two \r\n");
  ASSERT_TRUE(first && second && marked);
  MarkSharedWords(first.get(), marked.get());
  MarkSharedWords(second.get(), marked.get());
  EXPECT_EQ(tags_of(marked.get()), (std::vector<uint32_t>{1, kWordNotShared}));
}

TEST(MarkSharedWords, SearchesWordsLongerThanTheWorkArea) {
  std::string word(2500, 'z');
  DocumentPtr searched = load_bytes(std::string(2500, 'Z') + " \r\n");
  DocumentPtr marked = load_bytes(word + " " + word + "z \r\n");
  ASSERT_TRUE(searched && marked);
  MarkSharedWords(searched.get(), marked.get());
  EXPECT_EQ(tags_of(marked.get()), (std::vector<uint32_t>{1, kWordNotShared}));
}

TEST(BytesEqual, ComparesGroupsOfFourThenTheRest) {
  EXPECT_EQ(BytesEqual("abc", "xyz", 0), 1);
  EXPECT_EQ(BytesEqual("abcde", "abcde", 5), 1);
  EXPECT_EQ(BytesEqual("abcde", "abcdX", 5), 0);
  EXPECT_EQ(BytesEqual("abcde", "aXcde", 5), 0);
  EXPECT_EQ(BytesEqual("abcdX", "abcdY", 4), 1);
  const char unaligned[] = "_abcdefghi";
  EXPECT_EQ(BytesEqual(unaligned + 1, "abcdefghi", 9), 1);
  EXPECT_EQ(BytesEqual(unaligned + 1, "abcdefgh!", 9), 0);
}

}  // namespace
