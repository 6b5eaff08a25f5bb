// mciSendCommandA for the "waveaudio" device: open on a wave file, play
// with notification, stop and close. Each open device has its own
// identifier; notifications reach the callback window as MM_MCINOTIFY with
// the outcome in wParam and the device identifier in lParam.
#include <strings.h>

#include <cstring>
#include <map>
#include <mutex>

#include "platform/shared/unsupported.h"
#include "platform/win32.h"
#include "platform/winmm/sound_machinery.h"

namespace {

constexpr UINT kMillisecondsPerSecond = 1000;

struct WaveDevice {
  std::shared_ptr<const posix::WaveSound> sound;
  std::shared_ptr<posix::Playback> playback;
  HWND notify_window = nullptr;  // a notification still to come, or null
  // The frame a play without MCI_FROM starts at: the end of the last play
  // that finished, or the start of one that was stopped.
  size_t position = 0;
};

struct Devices {
  std::mutex lock;
  std::map<MCIDEVICEID, WaveDevice> open;
  MCIDEVICEID next_id = 1;
};

Devices& devices() {
  static Devices* instance = new Devices;  // lives until the process ends
  return *instance;
}

void notify(HWND window, WPARAM outcome, MCIDEVICEID id) {
  if (window != nullptr) PostMessageA(window, MM_MCINOTIFY, outcome, static_cast<LPARAM>(id));
}

HWND callback_window(DWORD_PTR callback) { return reinterpret_cast<HWND>(callback); }

bool names_wave_device(LPCSTR type) {
  return type != nullptr && strcasecmp(type, "waveaudio") == 0;
}

bool has_wave_extension(LPCSTR element) {
  size_t length = element ? std::strlen(element) : 0;
  return length >= 4 && strcasecmp(element + length - 4, ".wav") == 0;
}

MCIERROR open_error(posix::WaveResult result) {
  switch (result) {
    case posix::WaveResult::kNotFound: return MCIERR_FILE_NOT_FOUND;
    case posix::WaveResult::kUnplayable: return MCIERR_WAVE_OUTPUTSUNSUITABLE;
    default: return MCIERR_INVALID_FILE;
  }
}

MCIERROR open_device(DWORD_PTR flags, MCI_OPEN_PARMSA* parameters) {
  if (parameters == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
  if ((flags & (MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT_ID | MCI_OPEN_ALIAS)) != 0)
    return MCIERR_UNSUPPORTED_FUNCTION;
  bool typed = (flags & MCI_OPEN_TYPE) != 0;
  bool element = (flags & MCI_OPEN_ELEMENT) != 0;
  if (typed ? !names_wave_device(parameters->lpstrDeviceType)
            : !(element && has_wave_extension(parameters->lpstrElementName)))
    return MCIERR_INVALID_DEVICE_NAME;
  WaveDevice device;
  if (element) {
    auto sound = std::make_shared<posix::WaveSound>();
    posix::WaveResult result = posix::load_wave_file(parameters->lpstrElementName, sound.get());
    if (result != posix::WaveResult::kLoaded) return open_error(result);
    device.sound = std::move(sound);
  }
  MCIDEVICEID id;
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    id = devices().next_id++;
    devices().open.emplace(id, std::move(device));
  }
  parameters->wDeviceID = id;
  if ((flags & MCI_NOTIFY) != 0)
    notify(callback_window(parameters->dwCallback), MCI_NOTIFY_SUCCESSFUL, id);
  return 0;
}

// Takes a device's playback and pending notification away, stopping the
// sound; the notification, if any, learns that it was aborted.
void halt(MCIDEVICEID id, WPARAM outcome) {
  std::shared_ptr<posix::Playback> playback;
  HWND window = nullptr;
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    auto found = devices().open.find(id);
    if (found == devices().open.end()) return;
    playback = std::move(found->second.playback);
    window = found->second.notify_window;
    found->second.notify_window = nullptr;
  }
  if (playback) posix::stop_playback(*playback);
  notify(window, outcome, id);
}

// Waits for a playback to end and sends the notification it was promised,
// unless a later command took the playback away. A play that reached its
// end leaves the position there.
void await_end(MCIDEVICEID id, std::shared_ptr<posix::Playback> playback, size_t end) {
  bool played = posix::finish_playback(*playback);
  HWND window = nullptr;
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    auto found = devices().open.find(id);
    if (found == devices().open.end() || found->second.playback != playback) return;
    found->second.playback.reset();
    if (played) found->second.position = end;
    window = found->second.notify_window;
    found->second.notify_window = nullptr;
  }
  notify(window, played ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_ABORTED, id);
}

// Frames of the sound between MCI_FROM (else the current position) and
// MCI_TO (else the end), in milliseconds; false when a position lies outside
// the sound or the play would run backwards.
bool play_range(const posix::WaveSound& sound, size_t position, DWORD_PTR flags,
                const MCI_PLAY_PARMS* parameters, size_t* first, size_t* end) {
  size_t frames = sound.samples.size() / sound.frame_bytes;
  auto frame_at = [&](DWORD ms) {
    return uint64_t{ms} * static_cast<uint64_t>(sound.rate) / kMillisecondsPerSecond;
  };
  uint64_t from = (flags & MCI_FROM) != 0 ? frame_at(parameters->dwFrom) : position;
  uint64_t to = (flags & MCI_TO) != 0 ? frame_at(parameters->dwTo) : frames;
  if (from > frames || to > frames || from > to) return false;
  *first = static_cast<size_t>(from);
  *end = static_cast<size_t>(to);
  return true;
}

MCIERROR play_device(MCIDEVICEID id, DWORD_PTR flags, MCI_PLAY_PARMS* parameters) {
  if ((flags & (MCI_FROM | MCI_TO | MCI_NOTIFY)) != 0 && parameters == nullptr)
    return MCIERR_NULL_PARAMETER_BLOCK;
  std::shared_ptr<const posix::WaveSound> sound;
  size_t position = 0;
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    auto found = devices().open.find(id);
    if (found == devices().open.end()) return MCIERR_INVALID_DEVICE_ID;
    sound = found->second.sound;
    position = found->second.position;
  }
  if (sound == nullptr) return MCIERR_UNSUPPORTED_FUNCTION;
  size_t first = 0, end = 0;
  if (!play_range(*sound, position, flags, parameters, &first, &end)) return MCIERR_OUTOFRANGE;
  // A play cut short by a new one is aborted, whether or not the new one
  // asks to notify: it interrupts the old one rather than superseding it.
  halt(id, MCI_NOTIFY_ABORTED);
  HWND window = (flags & MCI_NOTIFY) != 0 ? callback_window(parameters->dwCallback) : nullptr;
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    auto found = devices().open.find(id);
    if (found != devices().open.end()) found->second.position = first;
  }
  if (first == end) {  // nothing to play: done at once
    notify(window, MCI_NOTIFY_SUCCESSFUL, id);
    return 0;
  }
  std::shared_ptr<posix::Playback> playback =
      posix::start_playback(sound, first, end, posix::Repeat::kOnce);
  if (playback == nullptr) {
    // As with Windows' own drivers, a device that can't be had is reported
    // by the notification, not by the command.
    notify(window, MCI_NOTIFY_FAILURE, id);
    return 0;
  }
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    auto found = devices().open.find(id);
    if (found != devices().open.end()) {
      found->second.playback = playback;
      found->second.notify_window = window;
    }
  }
  if ((flags & MCI_WAIT) != 0)
    await_end(id, playback, end);
  else
    posix::start_sound_thread([id, playback, end] { await_end(id, playback, end); });
  return 0;
}

MCIERROR close_device(MCIDEVICEID id, DWORD_PTR flags, MCI_GENERIC_PARMS* parameters) {
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    if (devices().open.count(id) == 0) return MCIERR_INVALID_DEVICE_ID;
  }
  halt(id, MCI_NOTIFY_ABORTED);
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    devices().open.erase(id);
  }
  if ((flags & MCI_NOTIFY) != 0 && parameters != nullptr)
    notify(callback_window(parameters->dwCallback), MCI_NOTIFY_SUCCESSFUL, id);
  return 0;
}

MCIERROR stop_device(MCIDEVICEID id, DWORD_PTR flags, MCI_GENERIC_PARMS* parameters) {
  {
    std::lock_guard<std::mutex> guard(devices().lock);
    if (devices().open.count(id) == 0) return MCIERR_INVALID_DEVICE_ID;
  }
  halt(id, MCI_NOTIFY_ABORTED);
  if ((flags & MCI_NOTIFY) != 0 && parameters != nullptr)
    notify(callback_window(parameters->dwCallback), MCI_NOTIFY_SUCCESSFUL, id);
  return 0;
}

}  // namespace

MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  posix::SoundCall call;
  if (!call.admitted()) return MCIERR_HARDWARE;
  switch (message) {
    case MCI_OPEN: return open_device(flags, reinterpret_cast<MCI_OPEN_PARMSA*>(parameters));
    case MCI_PLAY: return play_device(device, flags, reinterpret_cast<MCI_PLAY_PARMS*>(parameters));
    case MCI_STOP:
      return stop_device(device, flags, reinterpret_cast<MCI_GENERIC_PARMS*>(parameters));
    case MCI_CLOSE:
      return close_device(device, flags, reinterpret_cast<MCI_GENERIC_PARMS*>(parameters));
    default:
      posix::report_unsupported("mciSendCommandA",
                                "a command other than open, play, stop and close");
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}
