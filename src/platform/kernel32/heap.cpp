// Global and local heaps over malloc. A fixed block's handle is its address,
// as for GMEM_FIXED on Windows; a moveable block's handle is the address of a
// small record that holds the data's address and the lock count, so the two
// differ as on Windows. A header in front of each block or record keeps its
// size and a tag derived from its address and kind, so a null, freed or
// damaged handle is refused instead of corrupting the C heap. As on Windows,
// a handle must be one these calls returned: any other pointer is undefined.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/win32.h"

namespace {

constexpr uintptr_t kFixedTag = 0x50424C4B4C495645ull & UINTPTR_MAX;     // "PBLKLIVE"
constexpr uintptr_t kMoveableTag = 0x50424C4B4D4F5645ull & UINTPTR_MAX;  // "PBLKMOVE"

struct alignas(16) BlockHeader {
  size_t size;
  uintptr_t tag;  // the kind's tag ^ the handle while the block lives
};

// What a moveable handle points at; data is null while the block is empty.
struct MoveableRecord {
  void* data;
  unsigned locks;
};

uintptr_t tag_for(HANDLE block, uintptr_t kind) {
  return kind ^ reinterpret_cast<uintptr_t>(block);
}

BlockHeader* header_of(HANDLE block) {
  if (block == nullptr) return nullptr;
  auto* header = static_cast<BlockHeader*>(block) - 1;
  bool live =
      header->tag == tag_for(block, kFixedTag) || header->tag == tag_for(block, kMoveableTag);
  return live ? header : nullptr;
}

MoveableRecord* moveable_of(HANDLE block) {
  BlockHeader* header = header_of(block);
  return header && header->tag == tag_for(block, kMoveableTag) ? static_cast<MoveableRecord*>(block)
                                                               : nullptr;
}

HANDLE refuse(DWORD error) {
  SetLastError(error);
  return nullptr;
}

// Places a header and `bytes` more behind it; returns the handle after it.
HANDLE allocate_with_header(SIZE_T bytes, SIZE_T size, uintptr_t kind) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
  if (header == nullptr) return refuse(ERROR_NOT_ENOUGH_MEMORY);
  HANDLE block = header + 1;
  *header = {size, tag_for(block, kind)};
  return block;
}

// Moveable records are kept for reuse once freed, never given back to the C
// heap, so that a freed moveable handle can be asked about safely. The list
// itself is never destroyed: a block freed by another static's destructor
// at exit still has a list to go to, and the records stay reachable.
struct FreeRecords {
  std::mutex lock;
  std::vector<HANDLE> records;
};

FreeRecords& free_records() {
  static auto* instance = new FreeRecords;
  return *instance;
}

HANDLE new_record(SIZE_T bytes) {
  {
    std::lock_guard<std::mutex> guard(free_records().lock);
    auto& records = free_records().records;
    if (!records.empty()) {
      HANDLE block = records.back();
      records.pop_back();
      *(static_cast<BlockHeader*>(block) - 1) = {bytes, tag_for(block, kMoveableTag)};
      return block;
    }
  }
  return allocate_with_header(sizeof(MoveableRecord), bytes, kMoveableTag);
}

// A moveable block of no bytes has a handle but no memory to lock.
HANDLE allocate_moveable(UINT flags, SIZE_T bytes) {
  void* data = nullptr;
  if (bytes > 0) {
    data = std::malloc(bytes);
    if (data == nullptr) return refuse(ERROR_NOT_ENOUGH_MEMORY);
    if (flags & GMEM_ZEROINIT) std::memset(data, 0, bytes);
  }
  HANDLE block = new_record(bytes);
  if (block == nullptr) {
    std::free(data);
    return nullptr;
  }
  *static_cast<MoveableRecord*>(block) = {data, 0};
  return block;
}

HANDLE allocate_block(UINT flags, SIZE_T bytes) {
  if (bytes > SIZE_MAX - sizeof(BlockHeader)) return refuse(ERROR_NOT_ENOUGH_MEMORY);
  if (flags & GMEM_MOVEABLE) return allocate_moveable(flags, bytes);
  HANDLE block = allocate_with_header(bytes, bytes, kFixedTag);
  if (block != nullptr && (flags & GMEM_ZEROINIT)) std::memset(block, 0, bytes);
  return block;
}

// Frees a block; returns null on success and the handle itself on failure.
HANDLE free_block(HANDLE block) {
  if (block == nullptr) return nullptr;
  BlockHeader* header = header_of(block);
  if (header == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return block;
  }
  MoveableRecord* record = moveable_of(block);
  header->tag = 0;
  if (record == nullptr) {
    std::free(header);
    return nullptr;
  }
  std::free(record->data);
  std::lock_guard<std::mutex> guard(free_records().lock);
  free_records().records.push_back(block);
  return nullptr;
}

// A fixed block is its own pointer; a moveable one counts its locks and has
// nothing to give while empty.
LPVOID lock_block(HANDLE block) {
  if (header_of(block) == nullptr) return refuse(ERROR_INVALID_HANDLE);
  MoveableRecord* record = moveable_of(block);
  if (record == nullptr) return block;
  if (record->data == nullptr) return refuse(ERROR_DISCARDED);
  if (record->locks < 0xFF) ++record->locks;  // Windows' counter saturates too
  return record->data;
}

// TRUE while still locked; FALSE with NO_ERROR once unlocked, with
// ERROR_NOT_LOCKED when it was not locked. A fixed block is never locked:
// GlobalUnlock answers TRUE for one all the same, LocalUnlock does not.
BOOL unlock_block(HANDLE block, BOOL fixed_answer) {
  if (header_of(block) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  MoveableRecord* record = moveable_of(block);
  if (record == nullptr) {
    if (!fixed_answer) SetLastError(ERROR_NOT_LOCKED);
    return fixed_answer;
  }
  if (record->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--record->locks > 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

SIZE_T size_of_block(HANDLE block) {
  BlockHeader* header = header_of(block);
  if (header == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return header ? header->size : 0;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) { return allocate_block(flags, bytes); }
LPVOID GlobalLock(HGLOBAL block) { return lock_block(block); }
BOOL GlobalUnlock(HGLOBAL block) { return unlock_block(block, TRUE); }
HGLOBAL GlobalFree(HGLOBAL block) { return free_block(block); }
SIZE_T GlobalSize(HGLOBAL block) { return size_of_block(block); }
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) { return allocate_block(flags, bytes); }
LPVOID LocalLock(HLOCAL block) { return lock_block(block); }
BOOL LocalUnlock(HLOCAL block) { return unlock_block(block, FALSE); }
HLOCAL LocalFree(HLOCAL block) { return free_block(block); }
SIZE_T LocalSize(HLOCAL block) { return size_of_block(block); }
