// Loading a text document and its line index.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "host/file_helpers.h"
#include "text_test_support.h"

namespace {

TEST(LoadTextDocument, IndexesCrLfLinesAndLeavesTheirEndingsOut) {
  DocumentPtr document = load_bytes("ab\r\ncd\r\n");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->Tag, 0x54585431u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&document->Tag), 4), "1TXT");
  EXPECT_EQ(document->TextSize, 8);
  EXPECT_EQ(document->LineLimit, 4);
  EXPECT_EQ(document->LineIndex[0], 0u);
  EXPECT_EQ(document->LineIndex[1], 4u);
  EXPECT_EQ(document->LineIndex[2], 8u);
  EXPECT_EQ(document->WordPointerTable, nullptr);

  EXPECT_EQ(line_string(document.get(), 1), "ab");
  EXPECT_EQ(GetLineText(1, document.get()).Pointer, document->Text);
  EXPECT_EQ(line_string(document.get(), 2), "cd");
  EXPECT_EQ(GetLineText(2, document.get()).Pointer, document->Text + 4);
  EXPECT_EQ(GetLineText(3, document.get()).Length, 0);
  EXPECT_EQ(GetLineText(4, document.get()).Length, 0);
}

TEST(LoadTextDocument, FinalLineWithoutLineEndIsIndexedWithLengthZero) {
  DocumentPtr document = load_bytes("ab\r\ncd");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->LineLimit, 3);
  EXPECT_EQ(LineOffset(2, document->LineIndex, document->LineLimit), 4);
  EXPECT_EQ(LineLength(document.get(), 2), 0);
}

TEST(LoadTextDocument, RefusesTextsWithoutLineFeedAndMissingFiles) {
  EXPECT_EQ(load_bytes(""), nullptr);
  EXPECT_EQ(load_bytes("one line"), nullptr);
  EXPECT_EQ(load_bytes("cr\ronly\r"), nullptr);

  TempDir dir;
  std::string missing = dir.file("missing.txt");
  EXPECT_EQ(LoadTextDocument(missing.c_str()), nullptr);
  EXPECT_EQ(FileExists(missing.c_str()), 0u) << "loading must not create the file";
}

TEST(LoadTextDocument, ReadsAtMostOneMillionBytes) {
  const std::string line = "0123456789 abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQR \r\n";
  std::string bytes;
  while (bytes.size() < 1500000) bytes += line;
  bytes.resize(1500000);
  DocumentPtr document = load_bytes(bytes);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->TextSize, 1000000);
  EXPECT_EQ(std::string(document->Text, 1000000), bytes.substr(0, 1000000));
  // The whole lines within the cut; the cut line after them lacks its CR.
  int32_t whole_lines = 1000000 / static_cast<int32_t>(line.size());
  ASSERT_NE(1000000 % line.size(), 0u);
  EXPECT_EQ(document->LineLimit, whole_lines + 2);
  EXPECT_EQ(line_string(document.get(), whole_lines), line.substr(0, line.size() - 2));
  EXPECT_EQ(LineWordCount(document.get(), whole_lines), 3);
  EXPECT_EQ(GetLineText(whole_lines + 1, document.get()).Length, 0);
}

// Lines ended by LF alone have more line starts than LineLimit has slots:
// the index is sized by the line feeds and filled completely.
TEST(LoadTextDocument, IndexesLfOnlyTextsWithinTheirBlock) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += "mov ax, bx \n";
  DocumentPtr document = load_bytes(bytes);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->LineLimit, 2);
  ASSERT_GE(GlobalSize(document->LineIndex), 1001 * sizeof(uint32_t));
  for (int k = 0; k <= 1000; ++k) ASSERT_EQ(document->LineIndex[k], 12u * k) << k;
  // Line 1 is the last line number LineLimit allows, so it has length 0.
  EXPECT_EQ(GetLineText(1, document.get()).Length, 0);
  EXPECT_EQ(LineWordCount(document.get(), 1), 0);
}

// Where CR and LF do not pair the distance between line starts can be
// under 2 or reach back to 0: such lines are empty, never negative.
TEST(LoadTextDocument, UnpairedLineEndsGiveEmptyLinesNotNegativeLengths) {
  DocumentPtr document = load_bytes("ab\r\n\n\r\r x y \r");
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(document->LineLimit, 6);
  EXPECT_EQ(LineLength(document.get(), 1), 2);
  for (int n = 2; n <= 6; ++n) {
    EXPECT_EQ(LineLength(document.get(), n), 0) << n;
    EXPECT_EQ(GetLineText(n, document.get()).Length, 0) << n;
    EXPECT_EQ(LineWordCount(document.get(), n), 0) << n;
  }
}

TEST(GetLineText, LineNumbersOutOfRangeGiveLengthZeroInsideTheText) {
  DocumentPtr document = load_bytes("ab\r\ncd\r\n");
  ASSERT_NE(document, nullptr);
  for (int32_t n : {0, -1, INT_MIN, 4, 5, INT_MAX}) {
    LineText line = GetLineText(n, document.get());
    EXPECT_EQ(line.Length, 0) << n;
    EXPECT_EQ(line.Pointer, document->Text) << n;
    EXPECT_EQ(LineLength(document.get(), n), 0) << n;
    EXPECT_EQ(LineOffset(n, document->LineIndex, document->LineLimit), -1) << n;
  }
}

TEST(LineRoutines, ExamineTheFirstByteEvenForCountZero) {
  EXPECT_EQ(CountLines("\r", 0), 3);
  EXPECT_EQ(CountLines("\r", -5), 3);
  EXPECT_EQ(CountLines("a\r\r", 2), 3);

  uint32_t index[3] = {99, 99, 99};
  EXPECT_EQ(BuildLineIndex("\nx\n", index, 0), 1);
  EXPECT_EQ(index[0], 0u);
  EXPECT_EQ(index[1], 1u);
  EXPECT_EQ(index[2], 99u);
}

}  // namespace
