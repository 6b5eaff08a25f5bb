// Counts openings of the file that the sound capture writes
// (tests/alsa_capture.conf starts it afresh at each opening of the sound
// device), through inotify: how many sounds reached a device.
#pragma once

#include <string>

class CaptureOpens {
 public:
  // `path` null or empty: nothing is watched and the count stays 0.
  explicit CaptureOpens(const char* path);
  ~CaptureOpens();
  CaptureOpens(const CaptureOpens&) = delete;
  CaptureOpens& operator=(const CaptureOpens&) = delete;

  bool is_watching() const { return inotify_ >= 0; }
  // Openings so far.
  int count();

 private:
  int inotify_ = -1;
  std::string name_;  // the file's name in the watched folder
  int total_ = 0;
};
