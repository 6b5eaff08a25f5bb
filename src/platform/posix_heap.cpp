// Global and local heaps over malloc. Every block is fixed: its handle is its
// address, as for GMEM_FIXED on Windows. A registry of live blocks lets a
// stale or foreign handle be refused instead of corrupting the C heap.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win32.h"

namespace {

struct BlockRegistry {
  std::mutex lock;
  std::unordered_map<void*, size_t> sizes;
};

BlockRegistry& registry() {
  static BlockRegistry instance;
  return instance;
}

// Returns the block's size, or SIZE_MAX when the handle is no live block.
size_t live_size(HANDLE block) {
  BlockRegistry& blocks = registry();
  std::lock_guard<std::mutex> guard(blocks.lock);
  auto found = blocks.sizes.find(block);
  return found == blocks.sizes.end() ? SIZE_MAX : found->second;
}

// Returns a new fixed block; only the zero-init flag changes its contents.
HANDLE allocate_block(UINT flags, SIZE_T bytes) {
  void* memory = std::malloc(bytes ? bytes : 1);
  if (memory == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & GMEM_ZEROINIT) std::memset(memory, 0, bytes);
  BlockRegistry& blocks = registry();
  std::lock_guard<std::mutex> guard(blocks.lock);
  blocks.sizes[memory] = bytes;
  return memory;
}

// Frees a block; returns null on success and the handle itself on failure.
HANDLE free_block(HANDLE block) {
  if (block == nullptr) return nullptr;
  {
    BlockRegistry& blocks = registry();
    std::lock_guard<std::mutex> guard(blocks.lock);
    if (blocks.sizes.erase(block) == 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return block;
    }
  }
  std::free(block);
  return nullptr;
}

LPVOID lock_block(HANDLE block) {
  if (live_size(block) == SIZE_MAX) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return block;
}

// A fixed block has no lock count: unlocking reports "no longer locked".
BOOL unlock_block(HANDLE block) {
  SetLastError(live_size(block) == SIZE_MAX ? ERROR_INVALID_HANDLE : ERROR_SUCCESS);
  return FALSE;
}

SIZE_T size_of_block(HANDLE block) {
  size_t size = live_size(block);
  return size == SIZE_MAX ? 0 : size;
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
