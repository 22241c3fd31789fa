# Shared by the tests that run the real player: a private virtual X display,
# and starting and stopping the player. Sourced; sets workdir, xvfb_pid,
# player_pid and DISPLAY, and cleans up on exit.
# Exits with 77 (skipped) when Xvfb or xdotool cannot be used.
for t in Xvfb xdotool; do
  if ! command -v "$t" >/dev/null 2>&1; then
    echo "SKIP: $t is not installed"
    exit 77
  fi
done

xvfb_pid=""
player_pid=""
workdir=$(mktemp -d)
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$workdir"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" >/dev/null 2>&1 &
xvfb_pid=$!
tries=0
until [ -s "$workdir/display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "SKIP: Xvfb did not start"
    exit 77
  fi
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$workdir/display")"
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ]; then
    echo "SKIP: no X connection to $DISPLAY"
    exit 77
  fi
  sleep 0.1
done
export LC_ALL=C.UTF-8

# start [PUZZLE]: runs "$player" (with a puzzle file, or on its own
# container) and waits for its frame; sets frame and fx, fy, fw, fh (the
# frame's client area) and gives it the keyboard.
start() {
  QT_QPA_PLATFORM=xcb "$player" ${1:+"$1"} &
  player_pid=$!
  frame=$(timeout 30 xdotool search --sync --name "Tavimo Rätsel-Player" | head -n 1)
  if [ -z "$frame" ]; then
    echo "FAIL: the frame did not appear for ${1:-$player}"
    exit 1
  fi
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$frame")"
  fx=$X fy=$Y fw=$WIDTH fh=$HEIGHT
  focus_frame
}

# Gives the frame the keyboard, which nobody else does without a window manager.
focus_frame() {
  xdotool windowfocus --sync "$frame" 2>/dev/null || xdotool windowfocus "$frame"
  sleep 0.3
}

# keys KEY...: one key after the other, each given time to take effect.
keys() {
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.3
  done
}

stop() {
  kill "$player_pid" 2>/dev/null
  wait "$player_pid" 2>/dev/null
  player_pid=""
}

# Whether the congratulation comes up within five seconds.
congratulated() {
  timeout 5 xdotool search --sync --name "^Glückwunsch" >/dev/null 2>&1
}
