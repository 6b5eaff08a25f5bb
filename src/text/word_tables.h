// Word tables of a text document and word search.
//
// Two classes of word bytes are in use. Counting takes only ASCII letters
// and digits as word bytes; picking the n-th word takes every byte from '!'
// to 'z' and from 128 to 255, so that only controls, space and { | } ~ DEL
// separate words. In both, a word counts only when a separator follows it
// inside the range examined.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/text_document.h"

// "ONAN": slot 0 of both per-line tables when line 1 has no words.
constexpr uint32_t kNoWordsTag = 0x4E414E4F;
// "FFFF": the tag of a word entry that no search has marked yet.
constexpr uint32_t kWordEntryTag = 0x46464646;
// The tags MarkSharedWords leaves: the word occurs in the other document, or not.
constexpr uint32_t kWordShared = 1;
constexpr uint32_t kWordNotShared = 0xFFFFFFFFu;

// One word of a line, a zero-filled global block.
struct WordEntry {
  uint32_t Tag;       // kWordEntryTag, then the first mark of MarkSharedWords
  char* Pointer;      // first byte of the word in Text; a count when Length is 0
  int32_t Length;     // bytes of the word; 0 when the line had no such word to pick
  int32_t Remaining;  // the line's word count - j + 1 for word j
  uint32_t Spare;     // always 0
};

// The record's layout on the 32-bit target: five 32-bit fields.
static_assert(sizeof(void*) != 4 || sizeof(WordEntry) == 20);
static_assert(sizeof(void*) != 4 ||
              (offsetof(WordEntry, Pointer) == 4 && offsetof(WordEntry, Length) == 8 &&
               offsetof(WordEntry, Remaining) == 12 && offsetof(WordEntry, Spare) == 16));

// NthWord's two values: the word's length first, its first byte second.
// With no n-th word the length is 0 and the second value is the number of
// words found, not an address.
struct WordPick {
  int32_t Length;
  char* Pointer;
};
static_assert(sizeof(void*) != 4 || sizeof(WordPick) == 8);

// The number of words found, held where a WordPick or WordEntry keeps it.
inline uint32_t WordsFound(const char* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(pointer));
}

// Words of the letters-and-digits class among count bytes (0 for count <= 0).
int32_t CountWords(const char* bytes, int32_t count);
// The n-th word (from 1) of the wide class among count bytes.
WordPick NthWord(int32_t n, const char* bytes, int32_t count);

// Builds WordTable, WordCountTable and one entry per counted word of every
// line: entry j holds the j-th picked word, so the two classes may disagree.
void BuildWordTables(TextDocument* document);
// Releases the entries, lists and both tables; nothing for null.
void FreeWordTables(TextDocument* document);
// Line n's word count; 0 for a line without words and for n outside 1 to LineLimit.
int32_t LineWordCount(const TextDocument* document, int32_t n);
// Entry of word k of line n, or kNoWordEntry when n or k is out of range
// (k must lie between 1 and LineWordCount(n)).
WordEntry* GetWordEntry(const TextDocument* document, int32_t n, int32_t k);
inline WordEntry* const kNoWordEntry = reinterpret_cast<WordEntry*>(static_cast<LONG_PTR>(-1));
// Builds WordPointerTable anew: slot 0 holds LineLimit, slot j the second
// value of NthWord(j) of the last line with at least j counted words. The
// block has room for 2 x LineLimit slots after slot 0, or for the largest
// word count of a line when that is more.
void BuildWordPointerTable(TextDocument* document);

// 1 when some word of the document equals the query upper-cased (by the
// ANSI code page, up to a zero byte in the query), else -1. An empty or
// negative-length query finds nothing (-1). Calls after the first on one
// document go through an index of its words, with the same answers.
int32_t FindWord(TextDocument* document, const char* query, int32_t length);
// Searches every word of the marked document in the searched one and tags
// each entry not yet marked with the answer (1 or -1); a mark once set stays.
void MarkSharedWords(TextDocument* searched, TextDocument* marked);
// 1 when the count bytes are equal (also for a count of 0), else 0.
int32_t BytesEqual(const void* a, const void* b, int32_t count);
