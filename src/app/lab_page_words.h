// The words page: the document of the text view with the hits of a typed
// word highlighted and counted by FindWord's rule, and, given a second file,
// the words that MarkSharedWords marks as shared with their counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "text/text_document.h"

extern const char kWordsHelpLine[];
// Longer queries are not taken: FindWord's work area holds 2,047 bytes, and
// a word longer than a line of the view cannot be shown.
constexpr size_t kLongestQuery = 64;

// A word entry that FindWord would match: its line, its number in the line
// and where it stands in the line's text.
struct WordHit {
  int32_t Line;
  int32_t Word;
  int32_t Column;
  int32_t Length;
};
// Every entry equal to the query upper-cased, in document order; none for an
// empty query.
std::vector<WordHit> FindWordHits(const TextDocument* document, const std::string& query);

struct SharedWord {
  std::string Word;
  int32_t Count;  // entries of the marked document holding it
};
// The distinct words whose entries MarkSharedWords tagged as shared, in the
// order they first occur, with how often each occurs.
std::vector<SharedWord> SharedWordCounts(const TextDocument* marked);

// "MOV: 3 hits on 2 lines; FindWord says found (1)": what the status line
// says of a search, naming a disagreement between the two.
std::string WordSearchStatus(const std::string& query, const std::vector<WordHit>& hits,
                             int32_t find_word_answer);

// The page's document (not owned), the second file and the first query.
void SetWordsPage(TextDocument* document, const std::string& with_file, const std::string& find);
bool WordsKey(WPARAM key);
void PresentWords(const std::string& status);
