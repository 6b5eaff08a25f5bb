#!/usr/bin/env bash
# Runs a test on the shared test display (see test_display.sh). A DISPLAY
# that the test's own environment sets, even to empty, is left alone.
# Usage: on_test_display.sh DIR COMMAND...
set -uo pipefail
dir=$1
shift
if [ -z "${DISPLAY+set}" ]; then
  if [ ! -s "$dir/display" ]; then
    echo "no test display: $dir/display is missing (the test_display fixture did not run" \
      "or failed)" >&2
    exit 1
  fi
  DISPLAY=$(cat "$dir/display")
  export DISPLAY
fi
exec "$@"
