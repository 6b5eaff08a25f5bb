#!/usr/bin/env bash
# Starts the program on a display without OpenGL (a private Xvfb with the GLX
# extension switched off) and expects it to end by itself, promptly, with
# exit code 0. Usage: run_without_gl.sh COMMAND...
set -uo pipefail
display=120
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":${display}" -screen 0 1024x768x24 -nolisten tcp -extension GLX >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display}" ] && break
  sleep 0.1
done
start=$(date +%s.%N)
DISPLAY=":${display}" timeout 30 "$@"
code=$?
echo "exit code ${code} after $(awk "BEGIN { print $(date +%s.%N) - $start }") s"
[ "$code" -eq 0 ]
