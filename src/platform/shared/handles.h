// Handles of USER and GDI objects: small integers looked up in a table, so a
// null, deleted or foreign handle is refused instead of followed, and a
// handle fits the 32-bit fields the system keeps them in.
#pragma once

#include <memory>

#include "platform/win32.h"

namespace posix {

enum class HandleKind { kWindow, kDeviceContext, kBitmap, kFont, kBrush, kGlContext };

struct HandleObject {
  explicit HandleObject(HandleKind object_kind) : kind(object_kind) {}
  virtual ~HandleObject() = default;
  HandleKind kind;
  void* handle = nullptr;
};

// Registers an object and returns its new handle.
void* add_handle(std::unique_ptr<HandleObject> object);
// Returns the live object behind a handle, or null.
HandleObject* find_handle(const void* handle);
// Takes a live object out of the table; null when the handle is not live.
std::unique_ptr<HandleObject> remove_handle(const void* handle);

// Returns the live object of type T (which names its kind) behind a handle.
template <class T>
T* find_as(const void* handle) {
  HandleObject* object = find_handle(handle);
  return object != nullptr && object->kind == T::kKind ? static_cast<T*>(object) : nullptr;
}

}  // namespace posix
