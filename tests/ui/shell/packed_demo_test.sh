#!/bin/sh
# Starts the packed demo player of a Release build on a virtual X display and
# checks that its frame comes up with the puzzle loaded and no error box.
# Usage: packed_demo_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
demo="$release_dir/zindorax-demo"
if [ -z "$release_dir" ] || [ ! -x "$demo" ]; then
  echo "SKIP: no packed demo player at '$demo'"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"
# The player finds its puzzle also in a folder whose name is not valid UTF-8.
own_dir="$workdir/$(printf 'R\344tsel')"
mkdir -p "$own_dir"
cp "$demo" "$own_dir/zindorax-demo"
QT_QPA_PLATFORM=xcb "$own_dir/zindorax-demo" &
player_pid=$!

# The caption changes to this one when the start-up message has run.
if ! timeout 30 xdotool search --sync --name "Tavimo Rätsel-Player" >/dev/null; then
  echo "FAIL: the frame of the demo player did not appear"
  exit 1
fi
sleep 1
if ! kill -0 "$player_pid" 2>/dev/null; then
  echo "FAIL: the demo player ended by itself"
  exit 1
fi
if xdotool search --name "^Fehler" >/dev/null 2>&1; then
  echo "FAIL: the demo player showed an error box"
  exit 1
fi
echo "the demo player started with its puzzle"
kill "$player_pid" 2>/dev/null
wait "$player_pid" 2>/dev/null
player_pid=""

# A puzzle file whose name is not valid UTF-8 and holds a blank, named unquoted
# on the command line, is found and loaded.
sample=$(ls "$release_dir"/samples/*.raetsel 2>/dev/null | head -n 1)
if [ -n "$sample" ] && [ -x "$release_dir/zindorax-player" ]; then
  cp "$sample" "$workdir/$(printf 'F\374ll r\344tsel.raetsel')"
  QT_QPA_PLATFORM=xcb "$release_dir/zindorax-player" "$workdir/$(printf 'F\374ll')" "$(printf 'r\344tsel.raetsel')" &
  player_pid=$!
  if ! timeout 30 xdotool search --sync --name "Tavimo Rätsel-Player" >/dev/null; then
    echo "FAIL: the frame of the player did not appear"
    exit 1
  fi
  sleep 1
  if xdotool search --name "^Fehler" >/dev/null 2>&1; then
    echo "FAIL: the player did not load a puzzle file with a Latin-1 name"
    exit 1
  fi
  echo "the player loaded a puzzle file with a Latin-1 name"
fi
exit 0
