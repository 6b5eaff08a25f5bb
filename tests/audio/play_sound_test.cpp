// PlaySoundA and the MCI wave device, checked on the bytes that reached the
// device: every SoX file plays sample for sample, damaged files fail
// cleanly, and a new sound stops the one still playing.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "audio/sound_capture.h"
#include "audio/sound_playback.h"
#include "layers/layer_window.h"
#include "support/temp_dir.h"

namespace {

struct Sample {
  int rate;
  int bits;
  int channels;
  std::string name() const {
    return "tone_" + std::to_string(rate) + "_" + std::to_string(bits) + "_" +
           std::to_string(channels);
  }
};

std::vector<Sample> all_samples() {
  std::vector<Sample> samples;
  for (int rate : {11025, 22050, 44100, 48000})
    for (int bits : {8, 16})
      for (int channels : {1, 2}) samples.push_back({rate, bits, channels});
  return samples;
}

// A 5.1 sound's 16-bit frames in ALSA's order of channels, the rear pair
// before the centre and bass, as SDL hands them to an ALSA device.
std::string in_alsa_order(const std::string& samples) {
  constexpr int kOrder[6] = {0, 1, 4, 5, 2, 3};
  std::string ordered = samples;
  for (size_t frame = 0; frame + 12 <= samples.size(); frame += 12)
    for (int channel = 0; channel < 6; ++channel)
      ordered.replace(frame + 2 * channel, 2, samples, frame + 2 * kOrder[channel], 2);
  return ordered;
}

// The device gets each file in its own format, so what it recorded must be
// SoX's reading of the file, byte for byte, between silences.
void expect_played(const Sample& sample, const Capture& capture) {
  SCOPED_TRACE(sample.name());
  ASSERT_EQ(capture.rate, sample.rate);
  ASSERT_EQ(capture.bits, sample.bits);
  ASSERT_EQ(capture.channels, sample.channels);
  std::string expected = read_file_bytes(sample_path(sample.name() + ".raw"));
  ASSERT_FALSE(expected.empty());
#ifndef _WIN32
  if (sample.channels == 6) expected = in_alsa_order(expected);
#endif
  std::string played = trim_silence(capture.samples, capture.bits, capture.channels);
  EXPECT_EQ(played.size(), trim_silence(expected, sample.bits, sample.channels).size());
  EXPECT_TRUE(played == trim_silence(expected, sample.bits, sample.channels));
}

TEST(PlayingSound, EverySoxFilePlaysItsOwnSamples) {
  for (const Sample& sample : all_samples()) {
    clear_capture();
    std::string path = sample_path(sample.name() + ".wav");
    ASSERT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), TRUE) << path;
    expect_played(sample, read_capture());
  }
}

TEST(OpenWaveDevice, EverySoxFilePlaysItsOwnSamplesAndNotifiesSuccess) {
  HWND window = notification_window();
  for (const Sample& sample : all_samples()) {
    clear_capture();
    std::string path = sample_path(sample.name() + ".wav");
    ASSERT_EQ(OpenWaveDevice(window, path.c_str(), 0, 0), 0) << path;
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u) << path;
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(notes[0].device, static_cast<LPARAM>(WaveDeviceId));
    EXPECT_EQ(CloseWaveDevice(), 0u);
    expect_played(sample, read_capture());
  }
}

// The Linux layer's own player refuses damaged files (Windows' player is the
// system's; the program checks files before handing them to it).
#ifndef _WIN32
TEST(PlayingSound, DamagedFilesFailWithoutPlaying) {
  TempDir dir;
  for (const auto& [what, bytes] : damaged_files()) {
    std::string path = dir.file("damaged.wav");
    write_file_bytes(path, bytes);
    double start = now_ms();
    EXPECT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), FALSE) << what;
    // The default sound is for a file that can't be found, not a damaged one.
    clear_capture();
    EXPECT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME), FALSE) << what;
    EXPECT_EQ(read_capture(300).rate, 0) << what;
    EXPECT_LT(now_ms() - start, 2000.0) << what;
  }
}

TEST(WaveDevice, DamagedFilesAreRefusedByTheOpenWithAnMciError) {
  TempDir dir;
  for (const auto& [what, bytes] : damaged_files()) {
    std::string path = dir.file("damaged.wav");
    write_file_bytes(path, bytes);
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = path.c_str();
    MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                     reinterpret_cast<DWORD_PTR>(&open));
    EXPECT_GE(error, static_cast<MCIERROR>(MCIERR_BASE)) << what;
    if (error == 0) mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0);
  }
}
#endif

TEST(OpenWaveDevice, DamagedFilesFailWithoutNotification) {
  TempDir dir;
  HWND window = notification_window();
  for (const auto& [what, bytes] : damaged_files()) {
    std::string path = dir.file("damaged.wav");
    write_file_bytes(path, bytes);
    EXPECT_EQ(OpenWaveDevice(window, path.c_str(), 0, 0), -1) << what;
  }
  EXPECT_TRUE(wait_for_notifications(300).empty());
}

TEST(OpenWaveDevice, MissingFileFailsWithoutNotification) {
  HWND window = notification_window();
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "waveaudio";
  std::string missing = sample_folder() + "no such file.wav";
  open.lpstrElementName = missing.c_str();
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                            reinterpret_cast<DWORD_PTR>(&open)),
            static_cast<MCIERROR>(MCIERR_FILE_NOT_FOUND));
  EXPECT_EQ(OpenWaveDevice(window, missing.c_str(), 0, 0), -1);
  EXPECT_TRUE(wait_for_notifications(1000).empty());
}

TEST(OpenWaveDevice, FromAndToOfAnySizePlayTheWholeFile) {
  HWND window = notification_window();
  const Sample sample{11025, 16, 1};
  std::string path = sample_path(sample.name() + ".wav");
  for (auto [from, to] :
       {std::pair<DWORD, DWORD>{0xFFFFFFFF, 0}, {123456789, 7}, {5, 0xFFFFFFFF}}) {
    clear_capture();
    ASSERT_EQ(OpenWaveDevice(window, path.c_str(), from, to), 0);
    EXPECT_EQ(WaveBlocks.Play.dwFrom, from);
    EXPECT_EQ(WaveBlocks.Play.dwTo, to);
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(CloseWaveDevice(), 0u);
    expect_played(sample, read_capture());
  }
}

TEST(OpenWaveDevice, SecondOpenReplacesTheIdentifierAndCloseEndsEachDevice) {
  HWND window = notification_window();
  ASSERT_EQ(OpenWaveDevice(window, sample_path("tone_11025_8_1.wav").c_str(), 0, 0), 0);
  MCIDEVICEID first = WaveDeviceId;
  ASSERT_EQ(wait_for_notifications(8000).size(), 1u);
  // The first device is still open (nothing closed it) when the second opens.
  ASSERT_EQ(OpenWaveDevice(window, sample_path("tone_11025_8_2.wav").c_str(), 0, 0), 0);
  MCIDEVICEID second = WaveDeviceId;
  EXPECT_NE(first, second);
  std::vector<Notification> notes = wait_for_notifications(8000);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].device, static_cast<LPARAM>(second));
  EXPECT_EQ(mciSendCommandA(first, MCI_CLOSE, 0, 0), 0u);
  EXPECT_EQ(CloseWaveDevice(), 0u);
  EXPECT_EQ(mciSendCommandA(first, MCI_CLOSE, 0, 0),
            static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
  EXPECT_EQ(CloseWaveDevice(), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
}

// The play's notification still comes, telling that the sound was cut off.
TEST(OpenWaveDevice, CloseWhilePlayingStopsWithoutSuccessNotification) {
  HWND window = notification_window();
  ASSERT_EQ(OpenWaveDevice(window, sample_path("three_seconds.wav").c_str(), 0, 0), 0);
  MCIDEVICEID device = WaveDeviceId;
  EXPECT_EQ(CloseWaveDevice(), 0u);
  std::vector<Notification> notes = wait_for_notifications(4000, 2);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_ABORTED));
  EXPECT_EQ(notes[0].device, static_cast<LPARAM>(device));
}

// M pressed twice within a sound: two devices play at once, and the
// interactive window's MM_MCINOTIFY handling closes the one whose sound ended,
// not the one opened last, which plays on to its end.
TEST(OpenWaveDevice, EachNotificationClosesTheDeviceThatItNames) {
  HWND window = notification_window();
  ASSERT_EQ(OpenWaveDevice(window, sample_path("tone_11025_16_1.wav").c_str(), 0, 0), 0);
  MCIDEVICEID first = WaveDeviceId;
  // A tenth of a second longer, so that it ends second.
  ASSERT_EQ(OpenWaveDevice(window, sample_path("default.wav").c_str(), 0, 0), 0);
  MCIDEVICEID second = WaveDeviceId;
  for (MCIDEVICEID device : {first, second}) {
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(notes[0].device, static_cast<LPARAM>(device));
    LayerWindowProc(window, MM_MCINOTIFY, notes[0].outcome, notes[0].device);
    EXPECT_EQ(mciSendCommandA(device, MCI_CLOSE, 0, 0),
              static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
  }
  EXPECT_EQ(CloseWaveDevice(), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
}

// Wave files whose data comes after a padding chunk larger than a mebibyte
// (JUNK before the format, LIST after it) play through both ways.
TEST(PaddedWaveFiles, PlayOnTheirOwnThreadAndThroughMci) {
  const Sample sample{22050, 16, 2};
  HWND window = notification_window();
  for (const char* name : {"junk_before_format.wav", "list_before_data.wav"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::string load_wav = dir.file("load.wav");
    write_file_bytes(load_wav, read_file_bytes(sample_path(name)));
    char previous[1024] = {};
    GetCurrentDirectoryA(sizeof(previous), previous);
    SetCurrentDirectoryA(dir.path().c_str());
    clear_capture();
    EXPECT_NE(PlayWaveAsync(), FALSE);
    expect_played(sample, read_capture());
    SetCurrentDirectoryA(previous);

    clear_capture();
    ASSERT_EQ(OpenWaveDevice(window, load_wav.c_str(), 0, 0), 0);
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(CloseWaveDevice(), 0u);
    expect_played(sample, read_capture());
  }
}

// The capture's surround devices take 4 and 6 channels as the file has them.
// (Windows' own mixer may mix them down on the way to the device.)
#ifndef _WIN32
TEST(PlayingSound, FourAndSixChannelFilesPlayEveryChannel) {
  HWND window = notification_window();
  for (const Sample& sample : {Sample{22050, 16, 4}, Sample{22050, 16, 6}}) {
    std::string path = sample_path(sample.name() + ".wav");
    clear_capture();
    ASSERT_EQ(PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), TRUE) << path;
    expect_played(sample, read_capture());
    clear_capture();
    ASSERT_EQ(OpenWaveDevice(window, path.c_str(), 0, 0), 0) << path;
    std::vector<Notification> notes = wait_for_notifications(8000);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].outcome, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(CloseWaveDevice(), 0u);
    expect_played(sample, read_capture());
  }
}
#endif

TEST(PlayingSound, NoStopRefusesWhileASoundPlaysAndANewSoundStopsTheOld) {
  std::string long_sound = sample_path("three_seconds.wav");
  std::string short_sound = sample_path("tone_11025_16_1.wav");
  ASSERT_EQ(PlaySoundA(long_sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT),
            TRUE);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(PlaySoundA(short_sound.c_str(), nullptr, SND_FILENAME | SND_NOSTOP | SND_NODEFAULT),
            FALSE);
  clear_capture();
  double start = now_ms();
  EXPECT_EQ(PlaySoundA(short_sound.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT), TRUE);
  // The three-second sound was stopped: only the short one was recorded,
  // and the call did not wait for the long one.
  EXPECT_LT(now_ms() - start, 2500.0);
  expect_played({11025, 16, 1}, read_capture());
}

}  // namespace
