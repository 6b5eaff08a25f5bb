# Helpers shared by the project's scripts.

# Runs a command under a private Xvfb display unless one is already given
# by PIXWELL_DISPLAY_READY (set by an enclosing call).
with_xvfb() {
  if [ -n "${PIXWELL_DISPLAY_READY:-}" ]; then
    "$@"
    return
  fi
  local display=99
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    sleep 0.1
  done
  local status=0
  DISPLAY=":${display}" PIXWELL_DISPLAY_READY=1 "$@" || status=$?
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  return "$status"
}

build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

# Settings of every Wine prefix the scripts make: "Lucida Console", the face
# the Surfaces ask for, is not installed; Wine would substitute a
# proportional face, so it is mapped to the monospace Liberation Mono.
wine_prefix_settings() {
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' \
    /d 'Liberation Mono' /f >/dev/null 2>&1 </dev/null
}

# Runs a command with ALSA's default device recording what is played into a
# WAV file (tests/alsa_capture.conf), natively through SDL's ALSA driver and
# under Wine through its ALSA driver. Usage: with_sound_capture FILE command...
with_sound_capture() {
  local capture=$1
  shift
  ALSA_CONFIG_PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/alsa_capture.conf" \
    PIXWELL_AUDIO_CAPTURE="$capture" SDL_AUDIODRIVER=alsa "$@"
}
