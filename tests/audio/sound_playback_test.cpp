// PlayWaveAsync: "load.wav" from the current directory plays on a thread of
// its own while the caller goes on; a second call stops the first sound; a
// missing file plays the default sound.
#include "audio/sound_playback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "audio/sound_capture.h"
#include "support/temp_dir.h"
#include "support/wine.h"

#ifdef _WIN32
#include <tlhelp32.h>
#endif

namespace {

// The number of threads the process has now.
int thread_count() {
#ifdef _WIN32
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
  CloseHandle(snapshot);
  return count;
#else
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
    count += entry.exists();
  return count;
#endif
}

// Runs the test in a folder of its own holding "load.wav" (when a file is
// given), as the current directory.
class InFolder {
 public:
  explicit InFolder(const std::string& load_wav) {
    GetCurrentDirectoryA(sizeof(previous_), previous_);
    if (!load_wav.empty()) write_file_bytes(dir_.file("load.wav"), read_file_bytes(load_wav));
    SetCurrentDirectoryA(dir_.path().c_str());
  }
  ~InFolder() { SetCurrentDirectoryA(previous_); }

 private:
  TempDir dir_;
  char previous_[1024] = {};
};

std::string expected_samples(const std::string& name) {
  return trim_silence(read_file_bytes(sample_path(name + ".raw")), 16, 1);
}

// Waits for the threads that playing started to end by themselves.
bool threads_back_to(int count, int timeout_ms) {
  double deadline = now_ms() + timeout_ms;
  while (now_ms() < deadline) {
    if (thread_count() <= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(PlayWaveAsync, ReturnsAtOnceWhileAThreeSecondSoundPlaysToItsEnd) {
  // One sound first, so that threads the platform's player keeps for the
  // process are there before counting.
  PlaySoundA(sample_path("tone_11025_8_1.wav").c_str(), nullptr, SND_FILENAME | SND_NODEFAULT);
  InFolder folder(sample_path("three_seconds.wav"));
  clear_capture();
  int threads_before = thread_count();
  double start = now_ms();
  EXPECT_NE(PlayWaveAsync(), FALSE);
  double returned = now_ms() - start;
  EXPECT_LT(returned, 100.0);
  Capture capture = read_capture();
  double ended = now_ms() - start;
  // A sound lasts as long as its samples. (Wine hands them to a device
  // without a clock, such as the recording one, as fast as it takes them.)
  if (!running_under_wine()) {
    EXPECT_GE(ended, 2900.0);
  }
  ASSERT_EQ(capture.rate, 22050);
  EXPECT_TRUE(trim_silence(capture.samples, 16, 1) == expected_samples("three_seconds"));
  EXPECT_TRUE(threads_back_to(threads_before, 5000))
      << thread_count() << " threads, were " << threads_before;
}

TEST(PlayWaveAsync, SecondCallStopsTheFirstSound) {
  InFolder folder(sample_path("three_seconds.wav"));
  clear_capture();
  double start = now_ms();
  EXPECT_NE(PlayWaveAsync(), FALSE);
  std::this_thread::sleep_for(std::chrono::milliseconds(running_under_wine() ? 50 : 500));
  EXPECT_NE(PlayWaveAsync(), FALSE);
  // The device was opened afresh for the second sound, which plays whole;
  // had the first gone on, its samples would be in the recording too.
  Capture capture = read_capture();
  if (!running_under_wine()) {
    EXPECT_GE(now_ms() - start, 3400.0);
  }
  ASSERT_EQ(capture.rate, 22050);
  EXPECT_TRUE(trim_silence(capture.samples, 16, 1) == expected_samples("three_seconds"));
}

TEST(PlayWaveAsync, MissingFilePlaysTheDefaultSound) {
  if (running_under_wine()) {
    // Wine's player looks up no default sound for a missing file: nothing
    // plays, and nothing fails.
    InFolder folder("");
    clear_capture();
    EXPECT_NE(PlayWaveAsync(), FALSE);
    EXPECT_EQ(read_capture(1000).rate, 0);
    return;
  }
#ifdef _WIN32
  // Windows takes the default sound from the user's sound scheme; point it
  // at a SoX file so the recording can be checked.
  std::string default_wav = sample_path("default.wav");
  WriteProfileStringA("Sounds", "SystemDefault", default_wav.c_str());
  WriteProfileStringA("Sounds", "Default", default_wav.c_str());
  for (const char* key : {"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current",
                          "AppEvents\\Schemes\\Apps\\.Default\\SystemDefault\\.Current",
                          "AppEvents\\Schemes\\Apps\\.Default\\SystemDefault\\.Default"}) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(default_wav.c_str()),
                   static_cast<DWORD>(default_wav.size() + 1));
    RegCloseKey(opened);
  }
#endif
  InFolder folder("");
  clear_capture();
  EXPECT_NE(PlayWaveAsync(), FALSE);
  Capture capture = read_capture();
#ifdef _WIN32
  ASSERT_EQ(capture.rate, 11025);
  EXPECT_TRUE(trim_silence(capture.samples, 16, 1) == expected_samples("default"));
#else
  // The platform layer's own default sound: 0.3 s of a 22,050 Hz chime.
  ASSERT_EQ(capture.rate, 22050);
  ASSERT_EQ(capture.bits, 16);
  std::string played = trim_silence(capture.samples, 16, 1);
  EXPECT_GT(played.size(), 22050u * 2 * 25 / 100);
  EXPECT_LE(played.size(), 22050u * 2 * 30 / 100);
#endif
  // With SND_NODEFAULT nothing plays and the call fails.
  EXPECT_EQ(PlaySoundA("load.wav", nullptr, SND_FILENAME | SND_NODEFAULT), FALSE);
}

TEST(PlayWaveAsync, DamagedLoadWavPlaysNothing) {
  for (const auto& [what, bytes] : damaged_files()) {
    InFolder folder("");
    write_file_bytes("load.wav", bytes);
    clear_capture();
    EXPECT_NE(PlayWaveAsync(), FALSE) << what;
    EXPECT_EQ(read_capture(700).rate, 0) << what;
  }
}

}  // namespace
