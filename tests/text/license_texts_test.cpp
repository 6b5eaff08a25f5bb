// Real text nobody here wrote: Debian's license texts, turned into CR LF
// lines, loaded and checked against a computation of the test's own.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "reference/text_reference.h"
#include "text_test_support.h"

namespace {

// Under Wine the host's files are reached through drive Z:.
std::string license_path(const std::string& name) {
#ifdef _WIN32
  return "Z:\\usr\\share\\common-licenses\\" + name;
#else
  return "/usr/share/common-licenses/" + name;
#endif
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::string with_crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i + 1 < lines.size(); ++i) text += lines[i] + "\r\n";
  return text + lines.back();
}

// Letter-and-digit runs that some other byte follows.
int expected_word_count(const std::string& line) {
  static const std::regex counted("[A-Za-z0-9]+[^A-Za-z0-9]");
  return static_cast<int>(std::distance(std::sregex_iterator(line.begin(), line.end(), counted),
                                        std::sregex_iterator()));
}

// Runs between separators (controls, space and { | } ~ DEL) that a
// separator ends.
std::vector<std::string> expected_picks(const std::string& line) {
  std::string separators(33, '\0');
  for (int c = 0; c <= 32; ++c) separators[c] = static_cast<char>(c);
  separators += "{|}~\x7f";
  std::vector<std::string> words;
  size_t end = 0;
  for (size_t start; (start = line.find_first_not_of(separators, end)) != std::string::npos;) {
    end = line.find_first_of(separators, start);
    if (end == std::string::npos) break;
    words.push_back(line.substr(start, end - start));
  }
  return words;
}

struct License {
  std::vector<std::string> lines;
  std::string crlf_text;
};

License read_license(const std::string& name) {
  std::string text = read_file_bytes(license_path(name));
  return {split_lines(text), with_crlf(split_lines(text))};
}

class LicenseTexts : public testing::TestWithParam<const char*> {};

TEST_P(LicenseTexts, LoadWithTheirLinesAndWords) {
  License license = read_license(GetParam());
  ASSERT_GT(license.lines.size(), 20u) << "cannot read " << license_path(GetParam());
  DocumentPtr document = load_bytes(license.crlf_text);
  ASSERT_NE(document, nullptr);
  auto line_count = static_cast<int32_t>(license.lines.size());
  ASSERT_EQ(document->LineLimit, line_count + 1);  // line_count - 1 CR LF endings, + 2
  int sampled = 0;
  for (int32_t n = 1; n < line_count; ++n) {
    const std::string& line = license.lines[n - 1];
    ASSERT_EQ(line_string(document.get(), n), line) << "line " << n;
    int32_t count = LineWordCount(document.get(), n);
    ASSERT_EQ(count, expected_word_count(line)) << "line " << n;
    std::vector<std::string> picks = expected_picks(line);
    for (int32_t k = 1; k <= count; k += 3, ++sampled) {
      const WordEntry* entry = GetWordEntry(document.get(), n, k);
      if (k <= static_cast<int32_t>(picks.size())) {
        ASSERT_EQ(word_string(entry), picks[k - 1]) << "line " << n << " word " << k;
      } else {
        ASSERT_EQ(entry->Length, 0);
        ASSERT_EQ(WordsFound(entry->Pointer), picks.size());
      }
    }
  }
  EXPECT_GT(sampled, 300);
}

INSTANTIATE_TEST_SUITE_P(Debian, LicenseTexts,
                         testing::Values("GPL-2", "GPL-3", "LGPL-2.1", "Apache-2.0", "MPL-2.0",
                                         "Artistic"));

TEST(LicenseTextSearch, FindWordAndMarkSharedWordsMatchTheLiteralRoutines) {
  License gpl = read_license("GPL-2");
  License lgpl = read_license("LGPL-2.1");
  ASSERT_GT(gpl.lines.size(), 20u);
  ASSERT_GT(lgpl.lines.size(), 20u);
  DocumentPtr searched = load_bytes(gpl.crlf_text);
  DocumentPtr marked = load_bytes(lgpl.crlf_text);
  DocumentPtr literal_searched = load_bytes_with(text_reference::LoadTextDocument, gpl.crlf_text);
  DocumentPtr literal_marked = load_bytes_with(text_reference::LoadTextDocument, lgpl.crlf_text);
  ASSERT_TRUE(searched && marked && literal_searched && literal_marked);

  int found = 0;
  for (int32_t n = 1; n < marked->LineLimit; n += 5) {
    for (int32_t k = 1; k <= LineWordCount(marked.get(), n); ++k) {
      const WordEntry* entry = GetWordEntry(marked.get(), n, k);
      int32_t expected =
          text_reference::FindWord(literal_searched.get(), entry->Pointer, entry->Length);
      ASSERT_EQ(FindWord(searched.get(), entry->Pointer, entry->Length), expected)
          << word_string(entry);
      found += expected == 1;
    }
  }
  EXPECT_GT(found, 10);

  MarkSharedWords(searched.get(), marked.get());
  text_reference::MarkSharedWords(literal_searched.get(), literal_marked.get());
  int shared = 0;
  int not_shared = 0;
  for (int32_t n = 1; n < marked->LineLimit; ++n) {
    for (int32_t k = 1; k <= LineWordCount(marked.get(), n); ++k) {
      uint32_t tag = GetWordEntry(marked.get(), n, k)->Tag;
      ASSERT_EQ(tag, GetWordEntry(literal_marked.get(), n, k)->Tag)
          << "line " << n << " word " << k;
      shared += tag == kWordShared;
      not_shared += tag == kWordNotShared;
    }
  }
  EXPECT_GT(shared, 50);
  EXPECT_GT(not_shared, 1000);
}

}  // namespace
