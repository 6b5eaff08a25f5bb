#include "capture_opens.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

CaptureOpens::CaptureOpens(const char* path) {
  if (path == nullptr || *path == 0) return;
  std::string full = path;
  size_t slash = full.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : full.substr(0, slash + 1);
  name_ = slash == std::string::npos ? full : full.substr(slash + 1);
  inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  // The file itself may not exist yet, and each opening may make it anew.
  if (inotify_ >= 0 && inotify_add_watch(inotify_, folder.c_str(), IN_OPEN) < 0) {
    close(inotify_);
    inotify_ = -1;
  }
}

CaptureOpens::~CaptureOpens() {
  if (inotify_ >= 0) close(inotify_);
}

int CaptureOpens::count() {
  if (inotify_ < 0) return total_;
  alignas(inotify_event) char buffer[16384];
  ssize_t length;
  while ((length = read(inotify_, buffer, sizeof(buffer))) > 0) {
    for (char* at = buffer; at < buffer + length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && name_ == event->name) ++total_;
      at += sizeof(inotify_event) + event->len;
    }
  }
  return total_;
}
