// PlaySoundA: one sound at a time for the process, played from a file (or
// the default sound), synchronously unless SND_ASYNC; a new sound stops the
// one still playing unless SND_NOSTOP is given.
#include <strings.h>

#include <cstring>
#include <mutex>
#include <string>

#include "platform/shared/unsupported.h"
#include "platform/win32.h"
#include "platform/winmm/sound_machinery.h"

namespace {

using posix::Playback;

struct Current {
  std::mutex starting;  // one call at a time stops the old sound and starts its own
  std::mutex lock;
  std::shared_ptr<Playback> playing;
};

Current& current() {
  static Current* instance = new Current;  // lives until the process ends
  return *instance;
}

// Stops the sound that PlaySoundA started last, if it still plays.
void stop_current() {
  std::shared_ptr<Playback> previous;
  {
    std::lock_guard<std::mutex> guard(current().lock);
    previous = std::move(current().playing);
  }
  if (previous) posix::stop_playback(*previous);
}

bool is_playing() {
  std::lock_guard<std::mutex> guard(current().lock);
  return current().playing != nullptr;
}

void forget(const std::shared_ptr<Playback>& playback) {
  std::lock_guard<std::mutex> guard(current().lock);
  if (current().playing == playback) current().playing.reset();
}

// The named system sounds all play the default sound here.
bool is_system_alias(const char* name) {
  return strncasecmp(name, "System", 6) == 0 || strcasecmp(name, ".Default") == 0;
}

// A file name whose last part has no extension is also looked for with
// ".wav", as Windows' search for the sound does.
posix::WaveResult load_named(LPCSTR name, posix::WaveSound* out) {
  posix::WaveResult result = posix::load_wave_file(name, out);
  std::string path = name;
  size_t last_part = path.find_last_of("/\\");
  bool has_extension =
      path.find('.', last_part == std::string::npos ? 0 : last_part) != std::string::npos;
  if (result != posix::WaveResult::kNotFound || has_extension) return result;
  return posix::load_wave_file((path + ".wav").c_str(), out);
}

// The sound to play: the file's, or the default sound when the file can't be
// found (or a system alias is named) and SND_NODEFAULT is not given. A file
// that is there but damaged plays nothing. Under SND_ALIAS a name that is no
// system alias is looked for as a file, as Wine does.
std::shared_ptr<const posix::WaveSound> find_sound(LPCSTR sound, DWORD flags) {
  bool system_alias = (flags & SND_ALIAS) == SND_ALIAS && is_system_alias(sound);
  bool alias_only = system_alias && (flags & SND_FILENAME) == 0;
  if (!alias_only) {
    auto loaded = std::make_shared<posix::WaveSound>();
    posix::WaveResult result = load_named(sound, loaded.get());
    if (result == posix::WaveResult::kLoaded) return loaded;
    if (result != posix::WaveResult::kNotFound) return nullptr;
  }
  if ((flags & SND_NODEFAULT) != 0 && !system_alias) return nullptr;
  return std::shared_ptr<const posix::WaveSound>(&posix::default_sound(),
                                                 [](const posix::WaveSound*) {});
}

}  // namespace

BOOL PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
  posix::SoundCall call;
  if (!call.admitted()) return FALSE;
  if (sound == nullptr || (flags & SND_PURGE) != 0) {
    stop_current();
    return TRUE;
  }
  // Sounds in memory or in resources are not supported by this layer.
  // SND_RESOURCE holds the SND_MEMORY bit, so it is asked first.
  if ((flags & SND_RESOURCE) == SND_RESOURCE) {
    posix::report_unsupported("PlaySoundA", "SND_RESOURCE");
    return FALSE;
  }
  if ((flags & SND_MEMORY) != 0) {
    posix::report_unsupported("PlaySoundA", "SND_MEMORY");
    return FALSE;
  }
  std::unique_lock<std::mutex> starting(current().starting);
  if ((flags & SND_NOSTOP) != 0 && is_playing()) return FALSE;
  stop_current();
  std::shared_ptr<const posix::WaveSound> chosen = find_sound(sound, flags);
  if (chosen == nullptr) return FALSE;
  bool async = (flags & SND_ASYNC) != 0;
  posix::Repeat repeat =
      async && (flags & SND_LOOP) != 0 ? posix::Repeat::kLoop : posix::Repeat::kOnce;
  size_t frames = chosen->samples.size() / chosen->frame_bytes;
  std::shared_ptr<Playback> playback = posix::start_playback(chosen, 0, frames, repeat);
  if (playback == nullptr) return FALSE;
  {
    std::lock_guard<std::mutex> guard(current().lock);
    current().playing = playback;
  }
  starting.unlock();
  if (!async) {
    posix::finish_playback(*playback);
    forget(playback);
    return TRUE;
  }
  posix::start_sound_thread([playback] {
    posix::finish_playback(*playback);
    forget(playback);
  });
  return TRUE;
}
