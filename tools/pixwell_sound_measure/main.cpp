// Measures sound playback through the platform: the latency from PlaySoundA
// (asynchronous) to the first non-silent sample in the device's recording,
// and the CPU time the process spends while a three-second sound plays
// synchronously. The device must record to the file named by
// PIXWELL_AUDIO_CAPTURE (see with_sound_capture in scripts/lib.sh).
// Usage: pixwell-sound-measure [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

std::string host_path(std::string path) {
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

void put_le(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// A 22,050 Hz 16-bit mono square wave whose very first sample is loud.
void write_square_wave(const std::string& path, double seconds) {
  uint32_t frames = static_cast<uint32_t>(22050 * seconds);
  std::string file = "RIFF";
  put_le(file, 36 + frames * 2, 4);
  file += "WAVEfmt ";
  put_le(file, 16, 4);
  put_le(file, 1, 2);
  put_le(file, 1, 2);
  put_le(file, 22050, 4);
  put_le(file, 44100, 4);
  put_le(file, 2, 2);
  put_le(file, 16, 2);
  file += "data";
  put_le(file, frames * 2, 4);
  for (uint32_t i = 0; i < frames; ++i) put_le(file, (i / 50) % 2 ? 0xE0C0 : 0x1F40, 2);
  std::ofstream(path, std::ios::binary) << file;
}

// True once the recording holds a non-silent sample after its 44-byte header.
bool sound_arrived(const std::string& capture) {
  std::ifstream in(capture, std::ios::binary);
  in.seekg(44);
  char block[4096];
  while (in.read(block, sizeof(block)) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i)
      if (block[i] != 0) return true;
  }
  return false;
}

double process_cpu_seconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#endif
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const char* capture_name = std::getenv("PIXWELL_AUDIO_CAPTURE");
  if (capture_name == nullptr) {
    std::fprintf(stderr,
                 "PIXWELL_AUDIO_CAPTURE names no recording; run under with_sound_capture\n");
    return 2;
  }
  std::string capture = host_path(capture_name);
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  std::string short_wave = capture + "-square-1s.wav";
  std::string long_wave = capture + "-square-3s.wav";
  write_square_wave(short_wave, 1.0);
  write_square_wave(long_wave, 3.0);

  std::vector<double> latencies;
  for (int run = 0; run < runs; ++run) {
    DeleteFileA(capture.c_str());
    auto start = Clock::now();
    if (!PlaySoundA(short_wave.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
      std::fprintf(stderr, "PlaySoundA failed\n");
      return 1;
    }
    while (!sound_arrived(capture) && Clock::now() - start < std::chrono::seconds(5))
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    PlaySoundA(nullptr, nullptr, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }

  double cpu_before = process_cpu_seconds();
  auto start = Clock::now();
  PlaySoundA(long_wave.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT);
  double wall = std::chrono::duration<double>(Clock::now() - start).count();
  double cpu = process_cpu_seconds() - cpu_before;

  std::printf("latency to first sample: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
              median(latencies), *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()), runs);
  std::printf("3 s sound played synchronously: %.2f s wall, %.3f s CPU (%.1f%% of one core)\n",
              wall, cpu, 100.0 * cpu / wall);
  DeleteFileA(short_wave.c_str());
  DeleteFileA(long_wave.c_str());
  return 0;
}
