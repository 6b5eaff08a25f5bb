#include "audio/sound_capture.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "support/plain_window.h"
#include "support/temp_dir.h"

namespace {

std::vector<Notification>& received() {
  static std::vector<Notification> list;
  return list;
}

LRESULT CALLBACK record_notifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MM_MCINOTIFY) received().push_back({wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

// The capture file's name as this target spells it: Wine reaches the host's
// files through drive Z:.
std::string capture_path() {
  const char* name = std::getenv("PIXWELL_AUDIO_CAPTURE");
  if (name == nullptr || *name == '\0') return "";
  std::string path = name;
#ifdef _WIN32
  if (path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

uint32_t le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// Reads the WAV that ALSA's file plugin wrote: the format from its header,
// and every byte after the data chunk's header (its size is written only
// when the device closes).
Capture parse_capture(const std::string& file) {
  Capture capture;
  size_t at = 12;
  while (at + 8 <= file.size()) {
    std::string tag = file.substr(at, 4);
    uint32_t length = le(file, at + 4, 4);
    if (tag == "fmt " && at + 24 <= file.size()) {
      capture.channels = static_cast<int>(le(file, at + 10, 2));
      capture.rate = static_cast<int>(le(file, at + 12, 4));
      capture.bits = static_cast<int>(le(file, at + 22, 2));
    } else if (tag == "data") {
      capture.samples = file.substr(at + 8);
      return capture;
    }
    at += 8 + length;
  }
  return Capture{};
}

}  // namespace

std::string sample_folder() {
  char path[1024];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  return folder + "audio_samples\\";
}

std::string sample_path(const std::string& name) { return sample_folder() + name; }

void clear_capture() {
  std::string path = capture_path();
  if (!path.empty()) DeleteFileA(path.c_str());
}

Capture read_capture(int timeout_ms) {
  std::string path = capture_path();
  if (path.empty()) return Capture{};
  double deadline = now_ms() + timeout_ms;
  std::string last;
  double stable_since = now_ms();
  while (now_ms() < deadline) {
    std::string file = read_file_bytes(path);
    if (file != last) {
      last = file;
      stable_since = now_ms();
    } else if (file.size() > 44 && now_ms() - stable_since > 300) {
      return parse_capture(file);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return Capture{};
}

std::string trim_silence(const std::string& samples, int bits, int channels) {
  size_t frame = static_cast<size_t>(bits / 8 * channels);
  if (frame == 0) return samples;
  auto silent = [&](size_t at) {
    for (size_t i = 0; i < frame; ++i) {
      auto byte = static_cast<uint8_t>(samples[at + i]);
      if (byte != (bits == 8 ? 0x80 : 0x00)) return false;
    }
    return true;
  };
  size_t begin = 0;
  size_t end = samples.size() - samples.size() % frame;
  while (begin < end && silent(begin)) begin += frame;
  while (end > begin && silent(end - frame)) end -= frame;
  return samples.substr(begin, end - begin);
}

HWND notification_window() {
  static HWND window =
      create_plain_window("PixwellSoundTest", record_notifications, WS_OVERLAPPEDWINDOW, 100, 100);
  return window;
}

std::vector<Notification> wait_for_notifications(int timeout_ms, size_t wanted) {
  received().clear();
  double deadline = now_ms() + timeout_ms;
  while (now_ms() < deadline && received().size() < wanted) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return received();
}

std::vector<std::pair<std::string, std::string>> damaged_files() {
  std::string good = read_file_bytes(sample_path("tone_22050_16_1.wav"));
  auto with_le32 = [&](size_t at, uint32_t value) {
    std::string bytes = good;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
  };
  std::string odd_format = good;
  odd_format[20] = 0x34;  // format tag 0x1234: no such codec
  odd_format[21] = 0x12;
  std::string no_channels = good;
  no_channels[22] = 0;
  return {
      {"empty", ""},
      {"header only", good.substr(0, 12)},
      {"cut in the format chunk", good.substr(0, 30)},
      {"cut in the data", good.substr(0, good.size() / 2)},
      {"riff size beyond the file", with_le32(4, 0x7FFFFFF0)},
      {"format size beyond the file", with_le32(16, 0x40000000)},
      {"data size beyond the file", with_le32(40, 0xFFFFFFF0)},
      {"not a wave", "RIFF\x04\0\0\0AVI "},
      {"unknown format tag", odd_format},
      {"no channels", no_channels},
  };
}

double now_ms() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
