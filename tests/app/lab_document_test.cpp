// The Lab's document loader: CR LF lines are taken as they are, and a line
// feed alone gets the carriage return that the text document counts lines by.
#include "app/lab_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/text_test_support.h"

namespace {

using Lines = std::vector<std::string>;

DocumentPtr load_lab(const std::string& bytes) {
  return load_bytes_with([](const char* name) { return LoadLabDocument(name).Document; }, bytes);
}

// Lines 1 to LineLimit − 1; the last is what follows the last line feed.
Lines lines_of(const TextDocument* document) {
  Lines lines;
  for (int32_t n = 1; n < document->LineLimit; ++n) lines.push_back(line_string(document, n));
  return lines;
}

TEST(LabDocument, CrLfLinesAreTakenAsTheyAre) {
  const std::string text = "first\r\n\r\nthird line\r\n";
  DocumentPtr document = load_lab(text);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(std::string(document->Text, document->TextSize), text);
  EXPECT_EQ(lines_of(document.get()), (Lines{"first", "", "third line", ""}));
}

TEST(LabDocument, LineFeedsAloneGetACarriageReturnBesideCrLfLines) {
  DocumentPtr document = load_lab("\none\ntwo\r\nthree\n");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(std::string(document->Text, document->TextSize), "\r\none\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(lines_of(document.get()), (Lines{"", "one", "two", "three", ""}));
}

}  // namespace
