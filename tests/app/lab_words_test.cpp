// The words page counts and places the hits FindWord would find: the query
// upper-cased against the words as they stand, whole entries only; and lists
// the words MarkSharedWords marked, each once with its count.
#include <gtest/gtest.h>

#include <string>

#include "app/lab_page_words.h"
#include "text/text_test_support.h"

namespace {

DocumentPtr make(const std::string& text) {
  return DocumentPtr(MakeTextDocument(text.data(), static_cast<int32_t>(text.size())));
}

// Line 3's last word has no separator after it and is no word at all.
const char kText[] = "MOV ax, bx\r\nmov MOV, MOV cx\r\nADD MOV\r\n";

TEST(LabWords, HitsAreTheEntriesFindWordMatches) {
  DocumentPtr document = make(kText);
  ASSERT_NE(document, nullptr);
  for (const char* query : {"mov", "MOV", "Mov", "add", "ax,", "ax", "bx", "cx", "MOV,", "x", ""}) {
    std::vector<WordHit> hits = FindWordHits(document.get(), query);
    int32_t found =
        FindWord(document.get(), query, static_cast<int32_t>(std::string(query).size()));
    EXPECT_EQ(!hits.empty(), found == 1) << query;
  }
  std::vector<WordHit> hits = FindWordHits(document.get(), "mov");
  ASSERT_EQ(hits.size(), 2u);  // the lower-case mov and MOV, are not hits
  EXPECT_EQ(hits[0].Line, 1);
  EXPECT_EQ(hits[0].Column, 0);
  EXPECT_EQ(hits[1].Line, 2);
  EXPECT_EQ(hits[1].Column, 9);
  EXPECT_EQ(hits[1].Length, 3);
  EXPECT_NE(WordSearchStatus("mov", hits, 1).find("MOV: 2 hits on 2 lines"), std::string::npos);
  EXPECT_EQ(WordSearchStatus("mov", hits, 1).find("DISAGREE"), std::string::npos);
  EXPECT_NE(WordSearchStatus("mov", {}, 1).find("DISAGREE"), std::string::npos);
}

TEST(LabWords, SharedWordsAreListedOnceWithTheirCounts) {
  DocumentPtr searched = make("MOV AX \r\nend\r\n");
  DocumentPtr marked = make("MOV BX MOV \r\nAX mov MOV \r\n");
  MarkSharedWords(searched.get(), marked.get());
  std::vector<SharedWord> shared = SharedWordCounts(marked.get());
  ASSERT_EQ(shared.size(), 3u);
  EXPECT_EQ(shared[0].Word, "MOV");
  EXPECT_EQ(shared[0].Count, 3);
  EXPECT_EQ(shared[1].Word, "AX");
  EXPECT_EQ(shared[1].Count, 1);
  EXPECT_EQ(shared[2].Word, "mov");  // upper-cased, the query finds MOV
  EXPECT_EQ(shared[2].Count, 1);
}

}  // namespace
