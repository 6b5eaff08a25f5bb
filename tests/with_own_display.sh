#!/usr/bin/env bash
# Runs a command on an X display of its own: a private Xvfb whose number the
# server picks itself, so tests that read the screen never see each other's
# windows, whatever CTest runs beside them.
set -euo pipefail
number_file=$(mktemp)
exec 3>"$number_file"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  sleep 0.1
done
[ -s "$number_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$number_file")" "$@"
