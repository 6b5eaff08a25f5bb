// WINMM: the "waveaudio" MCI device's position across plays, the
// notifications that tell a window how a play ended, and commands outside
// its set. The cases play through the sound device that the test run sets
// up; each plays half a second at most, unless it cuts a longer sound short.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "conformance/conformance.h"
#include "support/plain_window.h"

using conformance::ScratchFolder;

namespace {

constexpr uint32_t kRate = 8000;  // 8-bit mono frames per second
constexpr DWORD kLengthMs = 500;  // the sound's length

void put_u32(std::ofstream& file, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) file.put(static_cast<char>(value >> shift));
}

void put_u16(std::ofstream& file, uint16_t value) {
  file.put(static_cast<char>(value));
  file.put(static_cast<char>(value >> 8));
}

// Writes `length_ms` of 8-bit mono silence as a PCM wave file.
void write_silence(const std::string& path, DWORD length_ms) {
  const uint32_t data_bytes = kRate * length_ms / 1000;
  std::ofstream file(path, std::ios::binary);
  file.write("RIFF", 4);
  put_u32(file, 36 + data_bytes);
  file.write("WAVEfmt ", 8);
  put_u32(file, 16);
  put_u16(file, 1);  // PCM
  put_u16(file, 1);  // channels
  put_u32(file, kRate);
  put_u32(file, kRate);  // bytes per second
  put_u16(file, 1);      // block size
  put_u16(file, 8);      // bits per sample
  file.write("data", 4);
  put_u32(file, data_bytes);
  file << std::string(data_bytes, '\x80');
}

// A "waveaudio" device opened on a file of silence, closed at the end.
class WaveDevice {
 public:
  explicit WaveDevice(DWORD length_ms = kLengthMs) : file_(folder_.native_path("silence.wav")) {
    write_silence(folder_.path("silence.wav"), length_ms);
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = file_.c_str();
    error_ = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                             reinterpret_cast<DWORD_PTR>(&open));
    id_ = open.wDeviceID;
  }
  ~WaveDevice() {
    if (error_ == 0) mciSendCommandA(id_, MCI_CLOSE, 0, 0);
  }
  WaveDevice(const WaveDevice&) = delete;
  WaveDevice& operator=(const WaveDevice&) = delete;

  MCIERROR open_error() const { return error_; }
  MCIDEVICEID id() const { return id_; }
  // Plays and waits; MCI_FROM and MCI_TO are given where their values are.
  MCIERROR play(DWORD flags, DWORD from, DWORD to) const {
    MCI_PLAY_PARMS play{};
    play.dwFrom = from;
    play.dwTo = to;
    return mciSendCommandA(id_, MCI_PLAY, MCI_WAIT | flags, reinterpret_cast<DWORD_PTR>(&play));
  }
  // Starts a play from the start to the end, whose notification goes to
  // `window`, and returns at once.
  MCIERROR play_notifying(HWND window) const {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    return mciSendCommandA(id_, MCI_PLAY, MCI_NOTIFY | MCI_FROM,
                           reinterpret_cast<DWORD_PTR>(&play));
  }
  MCIERROR send(UINT command) const { return mciSendCommandA(id_, command, MCI_WAIT, 0); }

 private:
  ScratchFolder folder_;
  std::string file_;
  MCIERROR error_ = 0;
  MCIDEVICEID id_ = 0;
};

// Documented (MCI_PLAY): without MCI_FROM a play starts at the current
// position. Wine: MCI_TO before the current position, or past the end, is
// MCIERR_OUTOFRANGE, and a play that ended leaves the position at its end.
TEST(WaveAudio, PlaysOnFromWhereTheLastPlayEnded) {
  WaveDevice device;
  ASSERT_EQ(device.open_error(), 0u);
  ASSERT_EQ(device.play(MCI_FROM | MCI_TO, 0, 200), 0u);
  EXPECT_EQ(device.play(MCI_TO, 0, 100), static_cast<MCIERROR>(MCIERR_OUTOFRANGE));
  EXPECT_EQ(device.play(MCI_TO, 0, kLengthMs + 100), static_cast<MCIERROR>(MCIERR_OUTOFRANGE));
  EXPECT_EQ(device.play(MCI_FROM | MCI_TO, 300, 100), static_cast<MCIERROR>(MCIERR_OUTOFRANGE));
  EXPECT_EQ(device.play(MCI_TO, 0, 300), 0u);
  EXPECT_EQ(device.play(0, 0, 0), 0u);  // plays on to the end
  // At the end, a play without MCI_FROM has nothing left to play.
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(device.play(0, 0, 0), 0u);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(kLengthMs / 2));
  EXPECT_EQ(device.play(MCI_TO, 0, 200), static_cast<MCIERROR>(MCIERR_OUTOFRANGE));
}

// Documented (MCI command sets): MCI_WINDOW belongs to the devices that show
// pictures; sent to "waveaudio" it is an MCI error, not a success.
TEST(WaveAudio, RefusesACommandOutsideItsSet) {
  WaveDevice device;
  ASSERT_EQ(device.open_error(), 0u);
  EXPECT_EQ(mciSendCommandA(device.id(), MCI_WINDOW, 0, 0),
            static_cast<MCIERROR>(MCIERR_UNRECOGNIZED_COMMAND));
}

// Wine (PlaySound searches with the default extension): a file name without
// an extension also finds the ".wav" file of that name; with
// SND_NODEFAULT, a name that finds no file plays nothing and fails.
TEST(PlaySound, FindsTheWaveFileOfANameWithoutExtension) {
  ScratchFolder folder;
  write_silence(folder.path("quiet.wav"), 100);
  EXPECT_TRUE(PlaySoundA(folder.native_path("quiet").c_str(), nullptr,
                         SND_FILENAME | SND_NODEFAULT | SND_SYNC));
  EXPECT_FALSE(PlaySoundA(folder.native_path("missing").c_str(), nullptr,
                          SND_FILENAME | SND_NODEFAULT | SND_SYNC));
}

// Wine (PlaySound): under SND_ALIAS a name that is no system event's is
// looked for as a file, so with SND_NODEFAULT a file plays and a missing
// one fails.
TEST(PlaySound, TakesAnAliasThatIsNoEventForAFileName) {
  ScratchFolder folder;
  write_silence(folder.path("quiet.wav"), 100);
  EXPECT_TRUE(PlaySoundA(folder.native_path("quiet.wav").c_str(), nullptr,
                         SND_ALIAS | SND_NODEFAULT | SND_SYNC));
  EXPECT_FALSE(PlaySoundA(folder.native_path("missing.wav").c_str(), nullptr,
                          SND_ALIAS | SND_NODEFAULT | SND_SYNC));
}

// A hidden window of a class of its own that only collects MM_MCINOTIFY.
class NotifiedWindow {
 public:
  NotifiedWindow()
      : window_(create_plain_window(kClass, DefWindowProcA, WS_OVERLAPPEDWINDOW, 100, 100)) {}
  ~NotifiedWindow() {
    DestroyWindow(window_);
    UnregisterClassA(kClass, GetModuleHandleA(nullptr));
  }
  NotifiedWindow(const NotifiedWindow&) = delete;
  NotifiedWindow& operator=(const NotifiedWindow&) = delete;

  HWND handle() const { return window_; }

  struct Notice {
    WPARAM outcome;
    LPARAM device;
  };
  // The notifications that arrive until `expected` came (or `wait_ms`
  // passed), and any that follow within a further grace period.
  std::vector<Notice> collect(DWORD wait_ms, size_t expected) const {
    std::vector<Notice> notices;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    bool graced = false;
    while (std::chrono::steady_clock::now() < deadline) {
      MSG message;
      while (PeekMessageA(&message, window_, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE))
        notices.push_back({message.wParam, message.lParam});
      if (notices.size() >= expected && !graced) {
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGraceMs);
        graced = true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return notices;
  }

 private:
  static constexpr const char* kClass = "PixwellConformanceNotified";
  static constexpr DWORD kGraceMs = 300;
  HWND window_;
};

constexpr DWORD kLongMs = 60000;  // long enough to be cut short by the next command
constexpr DWORD kWaitMs = 20000;  // for a notification, under emulation too

// Documented (MM_MCINOTIFY): a play asked to notify posts one message to the
// callback window when it ends, with MCI_NOTIFY_SUCCESSFUL and the device's
// id in lParam.
TEST(WaveAudio, NotifiesTheCallbackWindowOnceWhenAPlayEnds) {
  NotifiedWindow window;
  WaveDevice device;
  ASSERT_EQ(device.open_error(), 0u);
  ASSERT_EQ(device.play_notifying(window.handle()), 0u);
  std::vector<NotifiedWindow::Notice> notices = window.collect(kWaitMs, 1);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
  EXPECT_EQ(notices[0].device, static_cast<LPARAM>(device.id()));
}

// Documented (MM_MCINOTIFY): a play that a stop or a close cuts short is
// told MCI_NOTIFY_ABORTED, naming the device.
TEST(WaveAudio, APlayCutShortIsToldItWasAborted) {
  for (UINT command : {MCI_STOP, MCI_CLOSE}) {
    NotifiedWindow window;
    WaveDevice device(kLongMs);
    ASSERT_EQ(device.open_error(), 0u);
    ASSERT_EQ(device.play_notifying(window.handle()), 0u);
    EXPECT_EQ(device.send(command), 0u);
    std::vector<NotifiedWindow::Notice> notices = window.collect(kWaitMs, 1);
    ASSERT_EQ(notices.size(), 1u) << command;
    EXPECT_EQ(notices[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_ABORTED)) << command;
    EXPECT_EQ(notices[0].device, static_cast<LPARAM>(device.id())) << command;
  }
}

// Documented (MM_MCINOTIFY): a new command that interrupts a play and asks
// to notify itself gets the play MCI_NOTIFY_ABORTED only, not
// MCI_NOTIFY_SUPERSEDED; the new play then ends successfully.
TEST(WaveAudio, ANotifyingPlayAbortsTheOneItInterrupts) {
  NotifiedWindow window;
  WaveDevice device(kLongMs);
  ASSERT_EQ(device.open_error(), 0u);
  ASSERT_EQ(device.play_notifying(window.handle()), 0u);
  MCI_PLAY_PARMS second{};
  second.dwCallback = reinterpret_cast<DWORD_PTR>(window.handle());
  second.dwTo = 100;
  ASSERT_EQ(mciSendCommandA(device.id(), MCI_PLAY, MCI_NOTIFY | MCI_FROM | MCI_TO,
                            reinterpret_cast<DWORD_PTR>(&second)),
            0u);
  std::vector<NotifiedWindow::Notice> notices = window.collect(kWaitMs, 2);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_ABORTED));
  EXPECT_EQ(notices[0].device, static_cast<LPARAM>(device.id()));
  EXPECT_EQ(notices[1].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
  EXPECT_EQ(notices[1].device, static_cast<LPARAM>(device.id()));
}

}  // namespace
