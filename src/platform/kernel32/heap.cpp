// Global and local heaps over malloc. Every block is fixed: its handle is its
// address, as for GMEM_FIXED on Windows. A header in front of each block
// keeps its size and a tag derived from its address, so a null, freed or
// damaged handle is refused instead of corrupting the C heap. As on Windows,
// a handle must be one these calls returned: any other pointer is undefined.
#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr uintptr_t kLiveTag = 0x50424C4B4C495645ull & UINTPTR_MAX;  // "PBLKLIVE"

struct alignas(16) BlockHeader {
  size_t size;
  uintptr_t tag;  // kLiveTag ^ the block's address while the block lives
};

uintptr_t tag_for(HANDLE block) { return kLiveTag ^ reinterpret_cast<uintptr_t>(block); }

BlockHeader* header_of(HANDLE block) {
  if (block == nullptr) return nullptr;
  auto* header = static_cast<BlockHeader*>(block) - 1;
  return header->tag == tag_for(block) ? header : nullptr;
}

// Returns a new fixed block; only the zero-init flag changes its contents.
HANDLE allocate_block(UINT flags, SIZE_T bytes) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
  if (header == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HANDLE block = header + 1;
  *header = {bytes, tag_for(block)};
  if (flags & GMEM_ZEROINIT) std::memset(block, 0, bytes);
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
  header->tag = 0;
  std::free(header);
  return nullptr;
}

LPVOID lock_block(HANDLE block) {
  if (header_of(block) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return block;
}

// A fixed block has no lock count: unlocking reports "no longer locked".
BOOL unlock_block(HANDLE block) {
  SetLastError(header_of(block) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
  return FALSE;
}

SIZE_T size_of_block(HANDLE block) {
  BlockHeader* header = header_of(block);
  return header ? header->size : 0;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) { return allocate_block(flags, bytes); }
LPVOID GlobalLock(HGLOBAL block) { return lock_block(block); }
BOOL GlobalUnlock(HGLOBAL block) { return unlock_block(block); }
HGLOBAL GlobalFree(HGLOBAL block) { return free_block(block); }
SIZE_T GlobalSize(HGLOBAL block) { return size_of_block(block); }
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) { return allocate_block(flags, bytes); }
LPVOID LocalLock(HLOCAL block) { return lock_block(block); }
BOOL LocalUnlock(HLOCAL block) { return unlock_block(block); }
HLOCAL LocalFree(HLOCAL block) { return free_block(block); }
SIZE_T LocalSize(HLOCAL block) { return size_of_block(block); }
