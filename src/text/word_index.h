// An index of the distinct words of a text document, for searches repeated
// on one document: a hash set over the words its entries point to. It gives
// exactly the answers of scanning every entry: an entry matches a query when
// its length and bytes equal the query's.
#pragma once

#include <cstdint>
#include <vector>

#include "text/text_document.h"

class WordIndex {
 public:
  // Indexes every entry of a non-zero length in the document's word tables.
  explicit WordIndex(const TextDocument* document);

  // True when some word has exactly these bytes.
  bool Contains(const char* bytes, int32_t length) const;

  size_t DistinctWords() const { return used_; }

 private:
  struct Slot {
    const char* bytes = nullptr;  // null: an empty slot
    int32_t length = 0;
    uint32_t hash = 0;
  };

  void Insert(const char* bytes, int32_t length);
  void Grow();
  const Slot& Find(const char* bytes, int32_t length, uint32_t hash) const;

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

// Hash of a word's bytes, the one the index files words under.
uint32_t HashWordBytes(const char* bytes, int32_t length);

// The index FindWord keeps for a document it is asked about repeatedly:
// null on the first call for a document (a plain scan answers it), built on
// the second. The document's word tables must not change while it is kept.
const WordIndex* RepeatedSearchIndex(const TextDocument* document);
// Drops the kept index of a document whose word tables go away or change.
void ForgetWordIndex(const TextDocument* document);
