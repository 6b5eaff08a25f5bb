#include "capture_opens.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

CaptureOpens::CaptureOpens(const char* path) {
  if (path == nullptr || *path == 0) return;
  std::string full = path;
  size_t slash = full.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : full.substr(0, slash + 1);
  name_ = slash == std::string::npos ? full : full.substr(slash + 1);
  inotify_ = inotify_init1(IN_CLOEXEC);
  stop_ = eventfd(0, EFD_CLOEXEC);
  // The file itself may not exist yet, and each opening may make it anew.
  if (inotify_ >= 0 && stop_ >= 0 && inotify_add_watch(inotify_, folder.c_str(), IN_OPEN) >= 0)
    reader_ = std::thread([this] { read_reports(); });
}

CaptureOpens::~CaptureOpens() {
  if (reader_.joinable()) {
    uint64_t one = 1;
    if (write(stop_, &one, sizeof(one)) == sizeof(one))
      reader_.join();
    else
      reader_.detach();  // cannot happen with an eventfd; never block the exit
  }
  if (inotify_ >= 0) close(inotify_);
  if (stop_ >= 0) close(stop_);
}

void CaptureOpens::read_reports() {
  alignas(inotify_event) char buffer[16384];
  pollfd watched[2] = {{inotify_, POLLIN, 0}, {stop_, POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0 && errno != EINTR) return;
    if ((watched[1].revents & POLLIN) != 0) return;
    if ((watched[0].revents & POLLIN) == 0) continue;
    ssize_t length = read(inotify_, buffer, sizeof(buffer));
    for (char* at = buffer; length > 0 && at < buffer + length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && name_ == event->name) ++total_;
      at += sizeof(inotify_event) + event->len;
    }
  }
}
