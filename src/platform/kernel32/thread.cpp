// Threads: CreateThread runs the routine on a host thread of its own; the
// handle only observes it, so closing the handle leaves the thread running
// and the thread's end leaves a handle that still tells its exit code. The
// host threads are joined once they have ended, and at exit those that end.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/kernel32/kernel_objects.h"

namespace {

constexpr DWORD kCreateSuspended = 0x4;
// How long ExitProcess waits for the program's threads: the sound calls have
// returned by then, so a thread still running is in the program's own code.
constexpr std::chrono::milliseconds kExitGrace{500};

struct ThreadState {
  std::atomic<bool> done{false};
  std::atomic<DWORD> exit_code{STILL_ACTIVE};
};

struct ThreadObject : posix::KernelObject {
  ThreadObject() : KernelObject(posix::ObjectKind::kThread) {}
  std::shared_ptr<ThreadState> state = std::make_shared<ThreadState>();
};

std::atomic<DWORD> next_thread_id{0x100};

struct HostThread {
  std::thread thread;
  std::shared_ptr<ThreadState> state;
};

struct HostThreads {
  std::mutex lock;
  std::vector<HostThread> running;
};

HostThreads& host_threads() {
  static HostThreads* threads = new HostThreads;  // lives until the process ends
  return *threads;
}

// Joins the threads whose routine has returned; the caller holds the lock.
void join_ended(std::vector<HostThread>& running) {
  auto ended = std::partition(running.begin(), running.end(),
                              [](const HostThread& entry) { return !entry.state->done; });
  for (auto entry = ended; entry != running.end(); ++entry) entry->thread.join();
  running.erase(ended, running.end());
}

}  // namespace

namespace posix {
bool close_thread_handle(HANDLE handle) { return close_object(handle, ObjectKind::kThread); }

bool join_created_threads() {
  std::vector<HostThread> running;
  {
    std::lock_guard<std::mutex> guard(host_threads().lock);
    running = std::move(host_threads().running);
  }
  auto deadline = std::chrono::steady_clock::now() + kExitGrace;
  bool all_ended = true;
  for (HostThread& entry : running) {
    if (entry.thread.get_id() == std::this_thread::get_id()) {
      entry.thread.detach();
      continue;
    }
    while (!entry.state->done && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (entry.state->done) {
      entry.thread.join();
    } else {
      entry.thread.detach();
      all_ended = false;
    }
  }
  return all_ended;
}
}  // namespace posix

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD thread_id) {
  if (start == nullptr || (flags & kCreateSuspended) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* object = new ThreadObject;
  std::shared_ptr<ThreadState> state = object->state;
  std::thread thread;
  try {
    thread = std::thread([start, parameter, state] {
      state->exit_code = start(parameter);
      state->done = true;
    });
  } catch (const std::system_error&) {
    delete object;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> guard(host_threads().lock);
    join_ended(host_threads().running);
    host_threads().running.push_back({std::move(thread), state});
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
