#include "text/word_index.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "text/word_tables.h"

namespace {

constexpr size_t kInitialSlots = 1024;

// What FindWord keeps per document: whether it was asked before, and the
// index once it was asked twice.
struct SearchHistory {
  std::mutex lock;
  std::unordered_map<const TextDocument*, std::unique_ptr<WordIndex>> documents;
};

SearchHistory& search_history() {
  static SearchHistory history;
  return history;
}

}  // namespace

uint32_t HashWordBytes(const char* bytes, int32_t length) {
  // FNV-1a over the bytes, seeded with the length.
  uint32_t hash = 2166136261u ^ static_cast<uint32_t>(length);
  for (int32_t i = 0; i < length; ++i)
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
  return hash;
}

WordIndex::WordIndex(const TextDocument* document) : slots_(kInitialSlots) {
  for (int32_t n = 1; n <= document->LineLimit; ++n) {
    int32_t count = LineWordCount(document, n);
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* entry = document->WordTable[n - 1][k - 1];
      if (entry->Length > 0) Insert(entry->Pointer, entry->Length);
    }
  }
}

bool WordIndex::Contains(const char* bytes, int32_t length) const {
  if (length <= 0) return false;
  return Find(bytes, length, HashWordBytes(bytes, length)).bytes != nullptr;
}

// Linear probing: the slot holding these bytes, or the empty slot where
// they would go.
const WordIndex::Slot& WordIndex::Find(const char* bytes, int32_t length, uint32_t hash) const {
  size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.bytes == nullptr) return slot;
    if (slot.hash == hash && slot.length == length && std::memcmp(slot.bytes, bytes, length) == 0)
      return slot;
  }
}

void WordIndex::Insert(const char* bytes, int32_t length) {
  uint32_t hash = HashWordBytes(bytes, length);
  auto& slot = const_cast<Slot&>(Find(bytes, length, hash));
  if (slot.bytes != nullptr) return;
  slot = {bytes, length, hash};
  if (++used_ * 2 > slots_.size()) Grow();
}

void WordIndex::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.bytes == nullptr) continue;
    size_t at = slot.hash & mask;
    while (slots_[at].bytes != nullptr) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

const WordIndex* RepeatedSearchIndex(const TextDocument* document) {
  SearchHistory& history = search_history();
  std::lock_guard<std::mutex> guard(history.lock);
  auto [known, first_time] = history.documents.try_emplace(document);
  if (first_time) return nullptr;
  if (!known->second) known->second = std::make_unique<WordIndex>(document);
  return known->second.get();
}

void ForgetWordIndex(const TextDocument* document) {
  SearchHistory& history = search_history();
  std::lock_guard<std::mutex> guard(history.lock);
  history.documents.erase(document);
}
