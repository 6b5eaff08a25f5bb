# Helpers shared by the project's scripts. Sourcing it installs an EXIT trap
# that undoes, last first, whatever the script registered with on_exit: a
# script that fails halfway leaves no display, Wine server or package behind.
#
# Call steps plainly. bash turns `set -e` off inside a function called as
# `f || ...` or `if f`, so a failing step there would pass unseen; a script
# that has to go on after a failure runs that part as a process of its own.

PIXWELL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$PIXWELL_ROOT/tests/xvfb_start.sh"

pixwell_cleanups=()
on_exit() { pixwell_cleanups=("$1" "${pixwell_cleanups[@]}"); }
run_cleanups() {
  local cleanup
  for cleanup in "${pixwell_cleanups[@]}"; do
    eval "$cleanup" || true
  done
  pixwell_cleanups=()
}
trap run_cleanups EXIT

# Ends a background process and waits for it, if it still runs.
stop_process() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Runs a command under a private Xvfb display unless one is already given
# by PIXWELL_DISPLAY_READY (set by an enclosing call). The display goes when
# the command ends or the script exits.
with_xvfb() {
  if [ -n "${PIXWELL_DISPLAY_READY:-}" ]; then
    "$@"
    return
  fi
  local dir
  dir=$(mktemp -d)
  xvfb_start "$dir" 86400
  local xvfb_pid=$XVFB_PID
  on_exit "stop_process $xvfb_pid; rm -rf '$dir'"
  DISPLAY=$XVFB_DISPLAY PIXWELL_DISPLAY_READY=1 "$@"
  stop_process "$xvfb_pid"
}

build_preset() {
  cmake --preset "$1" "${@:2}" >/dev/null
  cmake --build --preset "$1"
}

# run_ctest STAGE CTEST-ARGS...: runs CTest and adds the tests it skipped,
# each with its reason, to PIXWELL_SKIP_LOG (where the test command gathers
# them for its summary). Returns CTest's status.
run_ctest() {
  local stage=$1 report status=0
  shift
  report=$(mktemp)
  on_exit "rm -f '$report'"
  ctest "$@" --output-junit "$report" --test-output-size-passed 1000000 || status=$?
  python3 "$PIXWELL_ROOT/scripts/ctest_skips.py" "$report" "$stage" |
    tee -a "${PIXWELL_SKIP_LOG:-/dev/null}" | sed 's/^/skipped: /'
  return "$status"
}

# Makes WINEPREFIX (a folder) ready for the Windows programs and keeps a
# server for the script's life, ended at exit: each program then finds the
# server and the prefix's services running, which under emulation saves
# minutes a program. Usage: wine_start_prefix FOLDER
#
# The server is started first and kept (-p): a new server boots a new
# session (wineboot --init again, minutes under emulation), so the one that
# booted the prefix is the one the programs use. Wine gives up waiting for a
# boot after 5 minutes and the program that waited fails ("boot event wait
# timed out"); under emulation a boot can take longer, so wineboot's own
# status is only reported, and the boot is waited for until its process
# ends. The settings written next must then succeed.
wine_start_prefix() {
  wine_use_prefix "$1"
  mkdir -p "$WINEPREFIX"
  on_exit "WINEPREFIX='$WINEPREFIX' wineserver -k 2>/dev/null"
  wineserver -p || { echo "the Wine server did not start"; return 1; }
  local status=0 started=$SECONDS
  # Its services' output is detached: they would otherwise inherit a
  # caller's output pipe, and CTest would wait for them.
  WINEDEBUG=-all,err+environ timeout "${PIXWELL_WINE_BOOT_LIMIT:-2400}" wineboot --init >>"${WINE_BOOT_OUTPUT:-/dev/null}" 2>&1 \
    </dev/null || status=$?
  echo "wineboot --init: status ${status} after $((SECONDS - started)) s"
  # A boot given up on is ended, so that it takes no time from the stages.
  wine_wait_for_boot $((started + ${PIXWELL_WINE_BOOT_LIMIT:-2400})) ||
    { wineserver -k 2>/dev/null; return 1; }
  echo "the boot's processes ended after $((SECONDS - started)) s"
  wine_prefix_settings || { echo "the prefix's settings could not be written"; return 1; }
}

# Waits until no wineboot of WINEPREFIX runs, or until the shell's SECONDS
# reach DEADLINE. The whole boot is given PIXWELL_WINE_BOOT_LIMIT seconds, 40
# minutes unless set. Usage: wine_wait_for_boot DEADLINE
wine_wait_for_boot() {
  while wine_boot_running; do
    [ "$SECONDS" -lt "$1" ] || { echo "the Wine boot still runs at its time limit"; return 1; }
    sleep 2
  done
}

# Succeeds while a wineboot process of WINEPREFIX runs (the pattern does
# not match itself, so the grep is never taken for one).
wine_boot_running() {
  local dir
  for dir in /proc/[0-9]*; do
    grep -qa 'wineboot[.]exe' "$dir/cmdline" 2>/dev/null || continue
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Points Wine at a prefix, quietly, without its Mono and Gecko installers
# and without its debugger: a process that crashes ends with its status at
# once, where the debugger, started for it unasked, can keep a boot or a test
# waiting for an hour under emulation.
wine_use_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winedbg.exe=d"
}

# Settings of every Wine prefix the scripts make: "Lucida Console", the face
# the Surfaces ask for, is not installed; Wine would substitute a
# proportional face, so it is mapped to the monospace Liberation Mono.
wine_prefix_settings() {
  timeout 600 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' \
    /d 'Liberation Mono' /f >>"${WINE_BOOT_OUTPUT:-/dev/null}" 2>&1 </dev/null
}

# Runs a command with ALSA's default device recording what is played into a
# WAV file (tests/alsa_capture.conf), natively through SDL's ALSA driver and
# under Wine through its ALSA driver. Usage: with_sound_capture FILE command...
with_sound_capture() {
  local capture=$1
  shift
  ALSA_CONFIG_PATH="$PIXWELL_ROOT/tests/alsa_capture.conf" \
    PIXWELL_AUDIO_CAPTURE="$capture" SDL_AUDIODRIVER=alsa "$@"
}
