#!/usr/bin/env bash
# Runs a command on an Xvfb display of its own, for tests that watch the
# screen: no other test's window can appear there, whatever runs in parallel.
# Usage: on_private_display.sh DIR COMMAND...   (DIR holds the Xvfb log)
set -uo pipefail
dir=$1
shift
mkdir -p "$dir"
source "$(dirname "$0")/xvfb_start.sh"
xvfb_start "$dir" 600 || exit 1
trap 'kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null' EXIT
DISPLAY=$XVFB_DISPLAY "$@"
