// Threads: CreateThread runs the routine on a detached host thread; the
// handle only observes it, so closing the handle leaves the thread running
// and the thread's end leaves a handle that still tells its exit code.
#include <atomic>
#include <memory>
#include <thread>

#include "platform/posix_kernel_objects.h"

namespace {

constexpr DWORD kCreateSuspended = 0x4;

struct ThreadState {
  std::atomic<bool> done{false};
  std::atomic<DWORD> exit_code{STILL_ACTIVE};
};

struct ThreadObject : posix::KernelObject {
  ThreadObject() : KernelObject(posix::ObjectKind::kThread) {}
  std::shared_ptr<ThreadState> state = std::make_shared<ThreadState>();
};

std::atomic<DWORD> next_thread_id{0x100};

}  // namespace

namespace posix {
bool close_thread_handle(HANDLE handle) { return close_object(handle, ObjectKind::kThread); }
}  // namespace posix

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD thread_id) {
  if (start == nullptr || (flags & kCreateSuspended) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* object = new ThreadObject;
  std::shared_ptr<ThreadState> state = object->state;
  try {
    std::thread([start, parameter, state] {
      state->exit_code = start(parameter);
      state->done = true;
    }).detach();
  } catch (const std::system_error&) {
    delete object;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (thread_id != nullptr) *thread_id = next_thread_id.fetch_add(4);
  return posix::register_object(object);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code) {
  auto* object = static_cast<ThreadObject*>(posix::find_object(thread, posix::ObjectKind::kThread));
  if (object == nullptr || exit_code == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exit_code = object->state->exit_code;
  return TRUE;
}
