#!/usr/bin/env bash
# The built program in a real window, with the demo services: placement,
# playing through channel 2, the empty-address message, and ending by Esc,
# Alt+F4 and the close box.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shots=$build/screenshots
mkdir -p "$shots"
source "$here/display.sh"

start_display
demo_log=$shots/demo_services.log
"$build/varnelo-demo-services" >"$demo_log" 2>&1 &
STARTED_PIDS+=($!)
wait_for 10 grep -q '^ready' "$demo_log" || fail "demo services did not start: $(cat "$demo_log")"

# start_program: starts the program and waits for MainWindow; sets program,
# main (its window), cx cy client_w client_h (its client area) and outer_x outer_y outer_w
# outer_h (its frame).
start_program() {
  "$build/varnelo" >>"$shots/varnelo.log" 2>&1 &
  program=$!
  STARTED_PIDS+=($program)
  wait_for 20 has_window Varnelo || fail "no window titled Varnelo"
  main=$(window_id Varnelo)
  sleep 1  # let the manager settle the frame
  local fl fr ft fb
  read -r cx cy client_w client_h < <(client_geometry "$main")
  read -r fl fr ft fb < <(frame_extents "$main")
  outer_w=$((client_w + fl + fr))
  outer_h=$((client_h + ft + fb))
  outer_x=$((cx - fl))
  outer_y=$((cy - ft))
}

# expect_end HOW: the program ends by itself, with exit code 0.
expect_end() {
  local status=0
  wait_for 10 bash -c "! kill -0 $program" || fail "$1 did not end the program"
  wait "$program" || status=$?
  ((status == 0)) || fail "exit code $status after $1"
}

: >"$shots/varnelo.log"
start_program
# Outer size 800 x 703, centred on the screen.
echo "outer ${outer_w}x${outer_h}+${outer_x}+${outer_y}"
((outer_w == 800 && outer_h == 703)) || fail "outer size ${outer_w}x${outer_h}, not 800x703"
((outer_x == (SCREEN_WIDTH - 800) / 2 && outer_y == (SCREEN_HEIGHT - 703) / 2)) ||
  fail "window at ${outer_x},${outer_y}, not centred"
shoot "$shots/main_window_start.png"

# click LEFT TOP: a point of the client area, as the definitions place things.
click() { xdotool mousemove $((cx + $1)) $((cy + $2)) click 1; }
pick_channel() {
  click $((635 + 28)) $((614 + 10))  # opens the list
  sleep 0.5
  xdotool mousemove $((cx + 300)) $((cy + 300))  # off the list: keys alone pick
  for _ in $(seq 0 "$1"); do xdotool key Down; done
  xdotool key Return
}

address='https://www.mgtv.com/b/338497/10397433.html?fpa=1&t=2'
xdotool windowactivate --sync "$main"
click $((57 + 200)) $((611 + 14))
xdotool type --delay 15 "$address"
pick_channel 1
click $((698 + 44)) $((608 + 15))
expected="channel 2 GET /index.php?url=$address"
wait_for 20 grep -qxF "$expected" "$demo_log" ||
  fail "channel 2 was not asked for $address: $(cat "$demo_log")"
sleep 2  # the pane renders the page
shoot "$shots/main_window_play.png"

# An empty address: the message box, titled "信息：", then dismissed.
click $((57 + 200)) $((611 + 14))
xdotool key ctrl+a BackSpace
click $((698 + 44)) $((608 + 15))
wait_for 10 has_window "信息：" || fail "no message box for an empty address"
sleep 0.5
shoot "$shots/message_box_empty_address.png"
xdotool key Return
wait_for 10 bash -c "! xwininfo -root -tree | grep -qF '\"信息：\": ('" || fail "message box stayed"

# Esc, Alt+F4 and the close box each end the program with exit code 0.
xdotool windowactivate --sync "$main"
xdotool key Escape
expect_end Esc

start_program
xdotool windowactivate --sync "$main"
xdotool key alt+F4
expect_end Alt+F4

start_program
# The manager draws a maximise button; the window is not maximisable.
xdotool mousemove $((outer_x + outer_w - 25)) $((outer_y + 9)) click 1
sleep 0.5
read -r _ _ width height < <(client_geometry "$main")
((width == client_w && height == client_h)) || fail "the window changed size: ${width}x${height}"
shoot "$shots/main_window_close_box.png"
xdotool mousemove $((outer_x + outer_w - 9)) $((outer_y + 9)) click 1
expect_end "the close box"
echo "PASS: main window"
