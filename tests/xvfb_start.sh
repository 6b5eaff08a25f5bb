# xvfb_start DIR SECONDS [Xvfb options...]: starts Xvfb in the background on
# a display number that Xvfb picks itself (-displayfd), detached from the
# caller's output, for at most SECONDS. Sets XVFB_DISPLAY (":N") and
# XVFB_PID, or says what went wrong and returns 1. Its log is DIR/xvfb.log.
xvfb_start() {
  local dir=$1 seconds=$2
  shift 2
  if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is not installed (package xvfb; scripts/setup installs it)" >&2
    return 1
  fi
  local number_file
  number_file=$(mktemp "$dir/xvfb-number.XXXXXX")
  timeout "$seconds" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" \
    </dev/null >"$dir/xvfb.log" 2>&1 3>"$number_file" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    if ! kill -0 "$XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.1
  done
  local number
  number=$(tr -dc 0-9 <"$number_file")
  rm -f "$number_file"
  if [ -z "$number" ]; then
    kill "$XVFB_PID" 2>/dev/null
    echo "Xvfb did not start within 10 s; its log ($dir/xvfb.log) ends:" >&2
    tail -n 5 "$dir/xvfb.log" >&2
    return 1
  fi
  XVFB_DISPLAY=":$number"
}
