#!/bin/sh
# Plays a small American crossword with the Release player on a virtual X
# display, keys only: a letter revealed and blank fields set from the grid's
# popup menu (menu key) and from the frame's menu until the congratulation
# appears, then a reset from the frame's menu, after which the same moves win
# again.
# Usage: play_commands_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
player="$release_dir/zindorax-player"
tool="$release_dir/tools/raetsel"
if [ -z "$release_dir" ] || [ ! -x "$player" ] || [ ! -x "$tool" ]; then
  echo "SKIP: no Release player at '$player'"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"

# OB, AT and ES with their two blocks hidden.
printf 'typ: 10\n[gitter]\nOB#AT#ES\n[begriffe]\nOB = a\nAT = b\nES = c\n' >"$workdir/klein.txt"
"$tool" build "$workdir/klein.txt" -o "$workdir/klein.raetsel" || exit 1
start "$workdir/klein.raetsel"

# A solution from the first cell: O revealed from the popup, B typed, a blank
# from the popup, AT typed, a blank from the frame's menu, ES typed.
solve() {
  keys Menu Down Down Return Right b Menu Down Return Right a t alt+b l Right e s
}


solve
if ! congratulated; then
  echo "FAIL: no congratulation after solving with blank fields"
  exit 1
fi
echo "solved with blank fields from the popup and the frame's menu"
keys Return
xdotool windowfocus "$frame" 2>/dev/null
sleep 0.3

# Reset asks first; Enter answers no (the work stays), Alt+J yes.
for answer in Return alt+j; do
  keys alt+b z
  if ! timeout 5 xdotool search --sync --name "^Bestätigung" >/dev/null 2>&1; then
    echo "FAIL: the reset did not ask for confirmation"
    exit 1
  fi
  keys "$answer"
  xdotool windowfocus "$frame" 2>/dev/null
  sleep 0.3
done
# Without a window manager nobody gives the frame back its focus.
xdotool windowfocus "$frame" 2>/dev/null
sleep 0.3
keys Home
solve
if ! congratulated; then
  echo "FAIL: after the reset the same moves did not win again"
  exit 1
fi
echo "the reset emptied the grid and took the blank fields back"
exit 0
