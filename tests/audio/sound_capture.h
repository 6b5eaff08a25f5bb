// What the sound tests need around the device: the wave files that SoX made
// for them, the bytes that the device was given (recorded by ALSA's file
// plugin in the file named by PIXWELL_AUDIO_CAPTURE), and a window that
// collects MM_MCINOTIFY messages.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

// The folder of SoX's files beside the test program, ending in a backslash.
std::string sample_folder();
std::string sample_path(const std::string& name);

struct Capture {
  int rate = 0;
  int bits = 0;
  int channels = 0;
  std::string samples;  // the device's bytes, as played
};

// Removes the last recording, so the next one stands alone.
void clear_capture();
// Waits until the device's recording has stopped growing and reads it; an
// empty Capture (rate 0) when nothing was recorded within the time. The
// default is generous: a loaded machine can take seconds to open a device.
Capture read_capture(int timeout_ms = 20000);
// The samples without the silent frames at either end.
std::string trim_silence(const std::string& samples, int bits, int channels);

// A hidden window whose procedure records MM_MCINOTIFY messages.
struct Notification {
  WPARAM outcome;
  LPARAM device;
};
HWND notification_window();
// Pumps the thread's messages until a notification arrives or the time runs
// out; the notifications that arrived, in order.
std::vector<Notification> wait_for_notifications(int timeout_ms, size_t wanted = 1);

// Damaged copies of a SoX file, each with what is wrong with it: truncated,
// lying chunk sizes, or a format that no device plays.
std::vector<std::pair<std::string, std::string>> damaged_files();

// Milliseconds of a steady clock.
double now_ms();
