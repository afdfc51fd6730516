# Shared by the real-window tests: a virtual screen with a window manager.
# Source it; it defines start_display, window_id, client_geometry, wait_for
# and shoot, and cleans up everything it started when the test exits.

SCREEN_WIDTH=1280
SCREEN_HEIGHT=1024
declare -a STARTED_PIDS=()

cleanup() {
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap "exit 130" INT TERM  # so that Ctrl+C or a kill still cleans up

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND until it succeeds.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

start_display() {
  # Xvfb picks a free display itself and writes its number: no races with
  # other tests or a display going down.
  local number_file
  number_file=$(mktemp)
  # -noreset: a server that resets as a probe disconnects drops the next client.
  Xvfb -displayfd 3 -noreset -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -nolisten tcp \
    3>"$number_file" >/dev/null 2>&1 &
  STARTED_PIDS+=($!)
  wait_for 10 grep -q '[0-9]' "$number_file" || fail "no virtual display could be started"
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  wait_for 10 xdpyinfo || fail "display $DISPLAY does not answer"
  local wm_log=${TMPDIR:-/tmp}/openbox${DISPLAY#:}.log
  openbox >"$wm_log" 2>&1 &
  STARTED_PIDS+=($!)
  # openbox manages the screen once it has set its supporting window.
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$wm_log")"
}

# window_id TITLE: the client window with exactly that title (xdotool's name
# search misses Chinese titles in some locales; xwininfo lists them).
window_id() {
  xwininfo -root -tree | grep -F "\"$1\": (" | awk '{print $1}' | tail -n 1
}

has_window() { [[ -n "$(window_id "$1")" ]]; }

# client_geometry ID: prints "x y width height" of the client area, absolute.
client_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# frame_extents ID: prints "left right top bottom" of the manager's frame.
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g'
}

# shoot FILE: a screenshot of the whole screen.
shoot() {
  import -window root "$1"
}
