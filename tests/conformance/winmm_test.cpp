// WINMM: the "waveaudio" MCI device's position across plays, and commands
// outside its set. The cases play through the sound device that the test
// run sets up; each plays half a second at most.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>

#include "conformance/conformance.h"

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

// Writes kLengthMs of 8-bit mono silence as a PCM wave file.
void write_silence(const std::string& path) {
  const uint32_t data_bytes = kRate * kLengthMs / 1000;
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
  WaveDevice() : file_(folder_.native_path("silence.wav")) {
    write_silence(folder_.path("silence.wav"));
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
  EXPECT_NE(mciSendCommandA(device.id(), MCI_WINDOW, 0, 0), 0u);
}

}  // namespace
