// Text documents: a text file of up to 1,000,000 bytes held in memory with
// the offsets of its lines and its word tables, plus the line routines that
// work on a raw text and index without a document.
//
// Lines end in CR LF and are numbered from 1: the number of lines is taken
// from the carriage returns, the line starts from the line feeds, and a
// line's length leaves out its CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

struct WordEntry;
// A line's word list: slot j - 1 points to the entry of word j.
using WordList = WordEntry**;

// "1TXT" read as a little-endian 32-bit value.
constexpr uint32_t kTextDocumentTag = 0x54585431;
// Size of every document's text buffer, and the most bytes read from a file.
constexpr int32_t kTextBufferSize = 1000000;

// One zero-filled global block; owns every block its pointers designate.
struct TextDocument {
  uint32_t Tag;                // kTextDocumentTag
  char* Text;                  // kTextBufferSize bytes: the file's bytes, then zeros
  uint32_t* LineIndex;         // slot k: offset of line k + 1 in Text
  int32_t TextSize;            // bytes read from the file
  int32_t LineLimit;           // CR count + 2: lines are 1 to LineLimit - 1
  UINT_PTR* WordPointerTable;  // null until BuildWordPointerTable
  WordList* WordTable;         // per line: its word list, or null
  int32_t* WordCountTable;     // per line: its word count
};

// The record's layout on the 32-bit target: eight 32-bit fields.
static_assert(sizeof(void*) != 4 || sizeof(TextDocument) == 32);
static_assert(sizeof(void*) != 4 ||
              (offsetof(TextDocument, Text) == 4 && offsetof(TextDocument, LineIndex) == 8 &&
               offsetof(TextDocument, TextSize) == 12 && offsetof(TextDocument, LineLimit) == 16 &&
               offsetof(TextDocument, WordPointerTable) == 20 &&
               offsetof(TextDocument, WordTable) == 24 &&
               offsetof(TextDocument, WordCountTable) == 28));

// A line as GetLineText hands it out: two values, its length first and the
// address of its first byte second (not zero-terminated).
struct LineText {
  int32_t Length;
  char* Pointer;
};
static_assert(sizeof(void*) != 4 || sizeof(LineText) == 8);

// Reads the file (cut at 1,000,000 bytes), indexes its lines and builds its
// word tables. Null when the file is missing or holds no line feed.
//
// A text whose line feeds outnumber its carriage returns (lines ended by LF
// alone) is loaded with an index sized by its line feeds; LineLimit still
// counts the carriage returns, so such lines beyond it are not reachable.
TextDocument* LoadTextDocument(const char* file_name);
// The same for a text held in memory: its first size bytes (cut at
// 1,000,000) are copied into the document, which is then indexed.
TextDocument* MakeTextDocument(const char* text, int32_t size);
// Releases the document and every block it owns; nothing for null.
void FreeTextDocument(TextDocument* document);

// Line n's length and first byte. Line numbers outside 1 to LineLimit - 1
// give length 0 and the start of the text (nothing to read there).
LineText GetLineText(int32_t n, const TextDocument* document);
// Offset of line n in the indexed text, or -1 when n < 1 or n >= line_limit.
int32_t LineOffset(int32_t n, const uint32_t* index, int32_t line_limit);
// Length of line n: the distance to the next line's start less the CR LF,
// 0 for the last line number and for numbers out of range. Texts whose CR
// and LF bytes do not pair can give a negative distance; that line is empty.
int32_t LineLength(const TextDocument* document, int32_t n);

// CR count among the first count bytes, plus 2 (the first byte is examined
// even for a count of 0 or less).
int32_t CountLines(const char* text, int32_t count);
// Stores 0 in slot 0 and, for each LF, the offset after it in the next slot;
// returns the number of line feeds. The index must hold that number + 1.
int32_t BuildLineIndex(const char* text, uint32_t* index, int32_t count);
// 1-based position of the first CR or zero byte among the first count bytes
// (at least one is examined), or -1 when there is none.
int32_t LineEndPosition(const char* text, int32_t count);
// Copies the source from its start into the target at the offset of line n,
// up to the first zero, CR or semicolon, which is stored as a zero. Returns
// the bytes stored with the zero, or -1 when line n is out of range.
int32_t CopyLineAt(int32_t n, const uint32_t* index, int32_t line_limit, char* target,
                   const char* source);
// Copies count bytes upwards; one byte is always copied.
void CopyBytes(void* target, const void* source, int32_t count);
// Copies up to a control byte, tabs turned into spaces. A zero byte ends the
// copy with nothing more stored; any other byte below 16 is stored with a
// zero after it. Returns the number of bytes stored before the stopping byte.
int32_t CopyUntilControl(const char* source, char* target);
