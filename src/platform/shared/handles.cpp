#include "platform/shared/handles.h"

#include <mutex>
#include <unordered_map>

namespace posix {
namespace {

// Handle values start well above the small integers that Win32 code uses as
// pseudo-handles (class brushes are colour index + 1) and step by 4 like
// Windows handles.
constexpr uintptr_t kFirstHandle = 0x10000;
constexpr uintptr_t kHandleStep = 4;

struct HandleTable {
  std::mutex lock;
  uintptr_t next = kFirstHandle;
  std::unordered_map<uintptr_t, std::unique_ptr<HandleObject>> live;
};

HandleTable& table() {
  static HandleTable* instance = new HandleTable;  // lives until the process ends
  return *instance;
}

}  // namespace

void* add_handle(std::unique_ptr<HandleObject> object) {
  HandleTable& handles = table();
  std::lock_guard<std::mutex> guard(handles.lock);
  uintptr_t value = handles.next;
  handles.next += kHandleStep;
  object->handle = reinterpret_cast<void*>(value);
  handles.live.emplace(value, std::move(object));
  return reinterpret_cast<void*>(value);
}

HandleObject* find_handle(const void* handle) {
  HandleTable& handles = table();
  std::lock_guard<std::mutex> guard(handles.lock);
  auto found = handles.live.find(reinterpret_cast<uintptr_t>(handle));
  return found == handles.live.end() ? nullptr : found->second.get();
}

std::unique_ptr<HandleObject> remove_handle(const void* handle) {
  HandleTable& handles = table();
  std::lock_guard<std::mutex> guard(handles.lock);
  auto found = handles.live.find(reinterpret_cast<uintptr_t>(handle));
  if (found == handles.live.end()) return nullptr;
  std::unique_ptr<HandleObject> object = std::move(found->second);
  handles.live.erase(found);
  return object;
}

}  // namespace posix
