#!/bin/sh
# Plays the packed demo player of a Release build on a virtual X display with
# the home, the XDG folders and the temporary folder pointing into fresh empty
# folders and the program alone in a folder of its own: letters typed, undone,
# both information dialogs opened and closed, quit from the menu. Afterwards
# every folder must still be empty and the program unchanged.
# Usage: writes_nothing_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
demo="$release_dir/zindorax-demo"
if [ -z "$release_dir" ] || [ ! -x "$demo" ]; then
  echo "SKIP: no packed demo player at '$demo'"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"

folders="home config cache data state runtime tmp program"
for f in $folders; do
  mkdir -m 700 "$workdir/$f"
done
player="$workdir/program/zindorax-demo"
cp "$demo" "$player"

# Everything the program might write to is a fresh folder of its own.
export HOME="$workdir/home" XDG_CONFIG_HOME="$workdir/config" XDG_CACHE_HOME="$workdir/cache" \
  XDG_DATA_HOME="$workdir/data" XDG_STATE_HOME="$workdir/state" \
  XDG_RUNTIME_DIR="$workdir/runtime" TMPDIR="$workdir/tmp"
start

# dialog MENU-KEY TITLE: opens a dialog from the Rätsel menu, waits until it has
# the keyboard (the information box has no WM_NAME, so xdotool finds it only
# this way) and closes it with Escape.
dialog() {
  focus_frame
  keys alt+r "$1"
  shown=""
  tries=0
  while [ -z "$shown" ] && [ "$tries" -lt 25 ]; do
    w=$(xdotool getwindowfocus 2>/dev/null)
    if [ -n "$w" ] && [ "$w" != "$frame" ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ]; then
      shown="$w"
    fi
    tries=$((tries + 1))
    sleep 0.2
  done
  if [ -z "$shown" ]; then
    echo "FAIL: the dialog \"$2\" did not appear"
    exit 1
  fi
  keys Escape
  if xdotool search --onlyvisible --name "" 2>/dev/null | grep -qx "$shown"; then
    echo "FAIL: Escape did not close the dialog \"$2\""
    exit 1
  fi
}

focus_frame
keys h a u s BackSpace ctrl+z ctrl+z
dialog e "Rätsel-Eigenschaften"
dialog n "Rätsel-Player"
focus_frame
keys alt+r b
tries=0
while kill -0 "$player_pid" 2>/dev/null; do
  tries=$((tries + 1))
  if [ "$tries" -gt 50 ]; then
    echo "FAIL: the player did not end from its menu"
    exit 1
  fi
  sleep 0.2
done
wait "$player_pid"
status=$?
player_pid=""
if [ "$status" -ne 0 ]; then
  echo "FAIL: the player ended with status $status"
  exit 1
fi

# fontconfig, which the toolkit asks for the fonts, writes a cache of its own
# to cache/fontconfig when the system's font cache misses a font folder; only
# its configuration could prevent that, which belongs to the system, not to the
# program. It is reported, not counted.
written=$(cd "$workdir" && for f in $folders; do find "$f" -mindepth 1; done |
  grep -v '^program/zindorax-demo$' | grep -v '^cache/fontconfig')
fontconfig=$(cd "$workdir" && find cache -path 'cache/fontconfig*' 2>/dev/null)
[ -n "$fontconfig" ] && echo "NOTE: fontconfig wrote its font cache: $fontconfig"
if [ -n "$written" ]; then
  echo "FAIL: the player wrote files:"
  echo "$written"
  exit 1
fi
if ! cmp -s "$demo" "$player"; then
  echo "FAIL: the player changed its own file"
  exit 1
fi
echo "the player wrote nothing: no file in the home, the XDG and temporary folders or beside the program"
exit 0
