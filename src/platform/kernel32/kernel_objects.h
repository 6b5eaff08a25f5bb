// Kernel objects of the POSIX platform layer. A handle is the address of an
// object registered here; every call looks its handle up first, so a null,
// closed or foreign handle fails as on Windows instead of crashing.
#pragma once

#include <string>

#include "platform/win32.h"

namespace posix {

enum class ObjectKind { kFile, kFileSearch, kThread };

struct KernelObject {
  explicit KernelObject(ObjectKind object_kind) : kind(object_kind) {}
  virtual ~KernelObject() = default;
  ObjectKind kind;
};

// Registers an object and returns its handle.
HANDLE register_object(KernelObject* object);
// Returns the live object of that kind behind the handle, or null.
KernelObject* find_object(HANDLE handle, ObjectKind kind);
// Unregisters and deletes the object; false when the handle is not live.
bool close_object(HANDLE handle, ObjectKind kind);

// Closes a thread handle; false when the handle is not a live thread's.
bool close_thread_handle(HANDLE handle);
// Waits a short while for every thread that CreateThread started, except
// the caller, to end, and joins those that did. Windows ends them at
// ExitProcess; here they can't be ended from outside, so the process waits
// for them before it tears down what they use. False when one still runs
// (it is left running, detached).
bool join_created_threads();

// Turns a Windows path (backslashes) into a POSIX one.
std::string to_posix_path(const char* windows_path);
// The Windows error for an errno of a call on a POSIX path: a missing name
// in an existing folder is ERROR_FILE_NOT_FOUND, in a missing one
// ERROR_PATH_NOT_FOUND.
DWORD error_for_path(int error, const std::string& path);

}  // namespace posix
