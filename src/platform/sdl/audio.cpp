// The SDL2 audio backend: wave images decoded by SDL's own loader, and one
// SDL audio device per playing sound, opened in the sound's own format so
// that SDL converts only where the machine's device needs it.
#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/winmm/sound_machinery.h"

namespace posix {
namespace {

using Clock = std::chrono::steady_clock;

// A data chunk that claims more bytes than the file holds is an error, not
// a shorter sound.
void set_wave_hints() {
  static std::once_flag once;
  std::call_once(once, [] { SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict"); });
}

// Starts SDL's audio once; SDL_AUDIODRIVER chooses the driver, as SDL does.
bool audio_ready() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ready = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  });
  return ready;
}

// What the sound shutdown needs to know: the calls in progress, the
// playbacks that may still hold a device, and the threads that sounds run on.
struct SoundThread {
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> done;
};

struct SoundState {
  std::mutex lock;
  std::condition_variable idle;  // calls reached 0
  bool shut_down = false;
  int calls = 0;
  std::vector<std::weak_ptr<Playback>> playbacks;
  std::vector<SoundThread> threads;
};

SoundState& sound_state() {
  static SoundState* state = new SoundState;  // lives until the process ends
  return *state;
}

// Joins the threads that have ended; the caller holds the state's lock.
void join_ended_threads(std::vector<SoundThread>& threads) {
  auto ended = std::partition(threads.begin(), threads.end(),
                              [](const SoundThread& entry) { return !*entry.done; });
  for (auto entry = ended; entry != threads.end(); ++entry) entry->thread.join();
  threads.erase(ended, threads.end());
}

// Keeps a playback where the shutdown finds it; false once sound is shut down.
bool track(const std::shared_ptr<Playback>& playback) {
  SoundState& state = sound_state();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.shut_down) return false;
  auto& tracked = state.playbacks;
  tracked.erase(std::remove_if(tracked.begin(), tracked.end(),
                               [](const std::weak_ptr<Playback>& p) { return p.expired(); }),
                tracked.end());
  tracked.push_back(playback);
  return true;
}

// About 20 ms of frames, a power of two: short enough for a prompt start.
Uint16 buffer_frames(int rate) {
  Uint16 frames = 64;
  while (frames < 4096 && frames < rate / 50) frames = static_cast<Uint16>(frames * 2);
  return frames;
}

}  // namespace

class Playback {
 public:
  Playback(std::shared_ptr<const WaveSound> sound, size_t first, size_t end, Repeat repeat)
      : sound_(std::move(sound)),
        first_(first * sound_->frame_bytes),
        end_(end * sound_->frame_bytes),
        position_(first_),
        repeat_(repeat) {}
  ~Playback() { close(); }
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  bool open() {
    SDL_AudioSpec wanted{};
    wanted.freq = sound_->rate;
    wanted.format = sound_->sample_format;
    wanted.channels = sound_->channels;
    wanted.samples = buffer_frames(sound_->rate);
    wanted.callback = &Playback::fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) return false;
    silence_ = obtained.silence;
    device_frames_ = obtained.samples;
    started_ = Clock::now();
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  bool finish() {
    {
      std::unique_lock<std::mutex> guard(lock_);
      changed_.wait(guard, [&] { return drained_ || stopped_; });
    }
    close();
    std::lock_guard<std::mutex> guard(lock_);
    return drained_ && !stopped_;
  }

  void stop() {
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (!drained_) stopped_ = true;
    }
    changed_.notify_all();
    close();
  }

 private:
  static void fill(void* self, Uint8* stream, int length) {
    static_cast<Playback*>(self)->fill(stream, static_cast<size_t>(length));
  }

  // Hands the device its next buffer. A device that takes buffers faster
  // than it plays them (one with no clock, such as ALSA's null device) is
  // held to the sound's own pace, so that a sound lasts as long everywhere.
  void fill(Uint8* stream, size_t length) {
    std::unique_lock<std::mutex> guard(lock_);
    keep_pace(guard);
    size_t copied = 0;
    while (!stopped_ && copied < length && position_ < end_) {
      size_t part = std::min(length - copied, end_ - position_);
      std::memcpy(stream + copied, sound_->samples.data() + position_, part);
      copied += part;
      position_ += part;
      if (position_ == end_ && repeat_ == Repeat::kLoop && end_ > first_) position_ = first_;
    }
    std::memset(stream + copied, silence_, length - copied);
    frames_handed_ += length / sound_->frame_bytes;
    if (copied == 0 && !drained_) {
      drained_ = true;
      changed_.notify_all();
    }
  }

  // The wait ends early when the device is being closed: SDL holds its own
  // lock around this callback, and closing needs that lock.
  void keep_pace(std::unique_lock<std::mutex>& guard) {
    if (frames_handed_ <= device_frames_ || closing_) return;
    auto ahead = std::chrono::duration<double>(
        static_cast<double>(frames_handed_ - device_frames_) / sound_->rate);
    auto due = started_ + std::chrono::duration_cast<Clock::duration>(ahead);
    due = std::min(due, Clock::now() + std::chrono::seconds(1));
    changed_.wait_until(guard, due, [&] { return closing_; });
  }

  // Closes the device once, whoever asks first; later callers wait for it.
  void close() {
    std::lock_guard<std::mutex> guard(close_lock_);
    if (device_ == 0) return;
    {
      std::lock_guard<std::mutex> state(lock_);
      closing_ = true;
    }
    changed_.notify_all();
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }

  std::shared_ptr<const WaveSound> sound_;
  size_t first_, end_, position_;
  Repeat repeat_;
  SDL_AudioDeviceID device_ = 0;
  Uint8 silence_ = 0;
  uint64_t device_frames_ = 0;
  uint64_t frames_handed_ = 0;
  Clock::time_point started_;
  std::mutex lock_;
  std::condition_variable changed_;
  bool drained_ = false;
  bool stopped_ = false;
  bool closing_ = false;
  std::mutex close_lock_;
};

namespace {

std::shared_ptr<Playback> open_playback(std::shared_ptr<const WaveSound> sound, size_t first_frame,
                                        size_t end_frame, Repeat repeat) {
  auto playback = std::make_shared<Playback>(std::move(sound), first_frame, end_frame, repeat);
  if (!track(playback) || !playback->open()) return nullptr;
  return playback;
}

// The sound mixed down to two channels by SDL's converter, frame for frame.
std::shared_ptr<const WaveSound> in_stereo(const WaveSound& sound) {
  SDL_AudioCVT convert{};
  if (SDL_BuildAudioCVT(&convert, sound.sample_format, sound.channels, sound.rate,
                        sound.sample_format, 2, sound.rate) < 0)
    return nullptr;
  auto stereo = std::make_shared<WaveSound>(sound);
  stereo->channels = 2;
  stereo->frame_bytes = sound.frame_bytes / sound.channels * 2;
  if (convert.needed == 0) return stereo;
  convert.len = static_cast<int>(sound.samples.size());
  stereo->samples.resize(sound.samples.size() * static_cast<size_t>(convert.len_mult));
  convert.buf = stereo->samples.data();
  if (SDL_ConvertAudio(&convert) < 0) return nullptr;
  stereo->samples.resize(static_cast<size_t>(convert.len_cvt));
  return stereo;
}

}  // namespace

// A device that can't take the sound's channels (SDL asks ALSA for a
// surround device, which a stereo machine lacks) gets the sound in stereo,
// as Windows' mixer would give it.
std::shared_ptr<Playback> start_playback(std::shared_ptr<const WaveSound> sound, size_t first_frame,
                                         size_t end_frame, Repeat repeat) {
  if (!audio_ready() || sound == nullptr) return nullptr;
  if (auto playback = open_playback(sound, first_frame, end_frame, repeat)) return playback;
  if (sound->channels <= 2) return nullptr;
  std::shared_ptr<const WaveSound> stereo = in_stereo(*sound);
  if (stereo == nullptr) return nullptr;
  return open_playback(std::move(stereo), first_frame, end_frame, repeat);
}

bool finish_playback(Playback& playback) { return playback.finish(); }
void stop_playback(Playback& playback) { playback.stop(); }

SoundCall::SoundCall() {
  SoundState& state = sound_state();
  std::lock_guard<std::mutex> guard(state.lock);
  admitted_ = !state.shut_down;
  if (admitted_) ++state.calls;
}

SoundCall::~SoundCall() {
  if (!admitted_) return;
  SoundState& state = sound_state();
  std::lock_guard<std::mutex> guard(state.lock);
  if (--state.calls == 0) state.idle.notify_all();
}

void start_sound_thread(std::function<void()> routine) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread thread([routine = std::move(routine), done] {
    routine();
    *done = true;
  });
  SoundState& state = sound_state();
  std::lock_guard<std::mutex> guard(state.lock);
  join_ended_threads(state.threads);
  state.threads.push_back({std::move(thread), std::move(done)});
}

void shut_down_sound() {
  SoundState& state = sound_state();
  std::vector<std::shared_ptr<Playback>> playing;
  {
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.shut_down) return;
    state.shut_down = true;
    for (const std::weak_ptr<Playback>& tracked : state.playbacks)
      if (auto playback = tracked.lock()) playing.push_back(std::move(playback));
    state.playbacks.clear();
  }
  for (const std::shared_ptr<Playback>& playback : playing) playback->stop();
  std::vector<SoundThread> threads;
  {
    std::unique_lock<std::mutex> guard(state.lock);
    state.idle.wait(guard, [&] { return state.calls == 0; });
    threads = std::move(state.threads);
  }
  for (SoundThread& entry : threads) entry.thread.join();
}

WaveResult decode_wave(const uint8_t* bytes, size_t size, WaveSound* sound) {
  set_wave_hints();
  SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (source == nullptr) return WaveResult::kInvalid;
  SDL_AudioSpec layout{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(source, 1, &layout, &samples, &length) == nullptr)
    return WaveResult::kUnplayable;
  sound->rate = layout.freq;
  sound->sample_format = layout.format;
  sound->channels = layout.channels;
  sound->frame_bytes = SDL_AUDIO_BITSIZE(layout.format) / 8 * layout.channels;
  size_t whole = sound->frame_bytes == 0 ? 0 : length - length % sound->frame_bytes;
  sound->samples.assign(samples, samples + whole);
  SDL_FreeWAV(samples);
  return sound->frame_bytes == 0 ? WaveResult::kUnplayable : WaveResult::kLoaded;
}

}  // namespace posix
