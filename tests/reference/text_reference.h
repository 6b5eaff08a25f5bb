// Literal transcriptions of the text document routines: the line index byte
// by byte, word tables built by picking every word from the line's start
// again, and searches that scan every entry. Tests compare the fast routines
// with these; benchmarks measure them side by side.
//
// Two safety changes make them runnable on any text, and nothing else: the
// line index is given room for every line feed, and FindWord's work area
// grows for queries of 2,048 bytes and more. Line lengths are left raw (they
// can be negative where CR and LF do not pair) and word walks over a
// negative count examine nothing.
#pragma once

#include <cstdint>

#include "text/text_document.h"
#include "text/word_tables.h"

namespace text_reference {

int32_t CountLines(const char* text, int32_t count);
int32_t BuildLineIndex(const char* text, uint32_t* index, int32_t count);
// The raw length: next start - start - 2, possibly negative.
int32_t LineLength(const TextDocument* document, int32_t n);
LineText GetLineText(int32_t n, const TextDocument* document);

int32_t CountWords(const char* bytes, int32_t count);
WordPick NthWord(int32_t n, const char* bytes, int32_t count);

// Loads as LoadTextDocument does, with the literal line index and word
// tables. Released with FreeTextDocument.
TextDocument* LoadTextDocument(const char* file_name);
void BuildWordTables(TextDocument* document);
// Slots are pointer-sized; the block holds max(2 x LineLimit, largest
// word count) + 1 of them so that the literal fill stays inside.
void BuildWordPointerTable(TextDocument* document);

int32_t FindWord(const TextDocument* document, const char* query, int32_t length);
void MarkSharedWords(const TextDocument* searched, TextDocument* marked);

}  // namespace text_reference
