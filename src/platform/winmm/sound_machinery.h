// The sound machinery under the multimedia calls of the POSIX platform layer:
// wave files checked and decoded into samples, and playbacks of those
// samples on the SDL2 audio backend (sdl/audio.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace posix {

// Decoded samples, interleaved, in the format they are handed to the device.
struct WaveSound {
  int rate = 0;                // frames per second
  uint16_t sample_format = 0;  // an SDL_AudioFormat
  uint8_t channels = 0;
  uint32_t frame_bytes = 0;
  std::vector<uint8_t> samples;  // a whole number of frames
};

enum class WaveResult { kLoaded, kNotFound, kInvalid, kUnplayable };

// Checks the RIFF structure of a wave file in memory and decodes it: kInvalid
// for a file that is truncated or whose chunk sizes lie, kUnplayable for a
// well-formed file in a format that no device here plays.
WaveResult load_wave_memory(const uint8_t* bytes, size_t size, WaveSound* sound);
// The same for a file, named with backslashes or slashes.
WaveResult load_wave_file(const char* windows_path, WaveSound* sound);
// The sound played when a named sound can't be found: a short two-tone chime.
const WaveSound& default_sound();

// Decodes a structurally sound RIFF WAVE image with SDL's loader (in
// sdl/audio.cpp).
WaveResult decode_wave(const uint8_t* bytes, size_t size, WaveSound* sound);

// One sound playing on a device of its own.
class Playback;

enum class Repeat { kOnce, kLoop };
// Starts playing the frames [first, last) of the sound; null when no device
// can play it.
std::shared_ptr<Playback> start_playback(std::shared_ptr<const WaveSound> sound, size_t first_frame,
                                         size_t end_frame, Repeat repeat);
// Waits until the sound has played to its end or was stopped; true when it
// played to its end. The device is closed when this returns.
bool finish_playback(Playback& playback);
// Stops the sound and closes its device; an ended or stopped one is left as it is.
void stop_playback(Playback& playback);

// A multimedia call in progress. Once the sound has been shut down no call is
// admitted, and the caller answers with its failure at once.
class SoundCall {
 public:
  SoundCall();
  ~SoundCall();
  SoundCall(const SoundCall&) = delete;
  SoundCall& operator=(const SoundCall&) = delete;
  bool admitted() const { return admitted_; }

 private:
  bool admitted_;
};
// Runs a routine on a thread of its own, which shut_down_sound joins. Called
// within a SoundCall, so that the shutdown waits for the thread to be known.
void start_sound_thread(std::function<void()> routine);
// Before SDL shuts down: admits no more calls, stops every sound, waits for
// the calls in progress and joins the sound threads.
void shut_down_sound();

}  // namespace posix
