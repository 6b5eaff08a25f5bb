#!/usr/bin/env bash
# The display that native tests share. `start DIR` finds one: the caller's
# DISPLAY when it is set, otherwise a private Xvfb that picks a free display
# number itself (so parallel runs never collide); `stop DIR` ends that Xvfb.
# The display's name is kept in DIR/display for tests/on_test_display.sh.
set -uo pipefail
action=${1:-} dir=${2:-}
if [ -z "$dir" ] || { [ "$action" != start ] && [ "$action" != stop ]; }; then
  echo "usage: test_display.sh start|stop DIR" >&2
  exit 2
fi
mkdir -p "$dir"

if [ "$action" = stop ]; then
  if [ -s "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    echo "stopped Xvfb on $(cat "$dir/display")"
  fi
  rm -f "$dir/xvfb.pid" "$dir/display"
  exit 0
fi

rm -f "$dir/xvfb.pid" "$dir/display"
if [ -n "${DISPLAY:-}" ]; then
  echo "$DISPLAY" >"$dir/display"
  echo "using the given display $DISPLAY"
  exit 0
fi
source "$(dirname "$0")/xvfb_start.sh"
# Ended by the cleanup test, or after two hours when a run is interrupted.
if ! xvfb_start "$dir" 7200; then exit 1; fi
echo "$XVFB_DISPLAY" >"$dir/display"
echo "$XVFB_PID" >"$dir/xvfb.pid"
echo "started Xvfb on $XVFB_DISPLAY"
