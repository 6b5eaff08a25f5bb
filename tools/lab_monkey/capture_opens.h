// Counts openings of the file that the sound capture writes
// (tests/alsa_capture.conf starts it afresh at each opening of the sound
// device): how many sounds reached a device. A thread of its own reads
// inotify's reports as they come, since inotify merges a report with an
// identical one still unread; two openings at the same instant may still
// count as one, so the count is a lower bound.
#pragma once

#include <atomic>
#include <string>
#include <thread>

class CaptureOpens {
 public:
  // `path` null or empty: nothing is watched and the count stays 0.
  explicit CaptureOpens(const char* path);
  ~CaptureOpens();
  CaptureOpens(const CaptureOpens&) = delete;
  CaptureOpens& operator=(const CaptureOpens&) = delete;

  bool is_watching() const { return reader_.joinable(); }
  int count() const { return total_; }

 private:
  void read_reports();

  int inotify_ = -1;
  int stop_ = -1;     // an eventfd that ends the reader
  std::string name_;  // the file's name in the watched folder
  std::atomic<int> total_{0};
  std::thread reader_;
};
