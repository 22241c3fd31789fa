# Shared by the tests that run the real player: a private virtual X display.
# Sourced; sets workdir, xvfb_pid, player_pid and DISPLAY, and cleans up on exit.
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
