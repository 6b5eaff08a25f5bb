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

// A text longer than a document holds is cut, and the cut is reported, also
// when only the added carriage returns take it past the limit.
TEST(LabDocument, ATextTooLongForTheViewIsReportedAsCut) {
  auto cut_from = [](const std::string& bytes) {
    uint64_t cut = 1;
    DocumentPtr document = load_bytes_with(
        [&cut](const char* name) {
          LabDocument loaded = LoadLabDocument(name);
          cut = loaded.CutFrom;
          return loaded.Document;
        },
        bytes);
    EXPECT_NE(document, nullptr);
    if (document != nullptr && cut != 0) {
      EXPECT_EQ(document->TextSize, kTextBufferSize);
    }
    return cut;
  };
  EXPECT_EQ(cut_from(std::string(kTextBufferSize - 2, 'a') + "\r\n"), 0u);
  EXPECT_EQ(cut_from(std::string(kTextBufferSize - 10, 'a') + "\r\n" + std::string(100, 'b')),
            uint64_t{kTextBufferSize});
  std::string lf_lines;
  for (int i = 0; i < 400000; ++i) lf_lines += "a\n";  // 800,000 bytes, 1,200,000 with CRs
  EXPECT_EQ(cut_from(lf_lines), uint64_t{kTextBufferSize});
}

}  // namespace
