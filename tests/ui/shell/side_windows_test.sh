#!/bin/sh
# Plays the side windows with the Release player on a virtual X display, keys
# only: the number crosswords through their code table (and the solution-word
# strip), and the timed Sudoku to its congratulation and best time.
# Usage: side_windows_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
player="$release_dir/zindorax-player"
tool="$release_dir/tools/raetsel"
samples="$release_dir/samples"
if [ -z "$release_dir" ] || [ ! -x "$player" ] || [ ! -x "$tool" ] || [ ! -d "$samples" ]; then
  echo "SKIP: no Release player at '$player'"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"

type_keys() {
  xdotool key --delay 40 "$@"
}

# The code table sits at the top right of the child area, below the menu bar
# and the toolbar: a click on its caption gives it the keys.
fill_code_table() {
  xdotool mousemove $((fx + fw - 60)) $((fy + 66)) click 1
  sleep 0.3
  for letter in $("$tool" show "$1" | sed -n 's/^Codetabelle: //p'); do
    type_keys "$(echo "$letter" | cut -d= -f2 | tr 'A-Z' 'a-z')" Down
  done
}

for name in zahlenraetsel zahlenraetsel-loesungswort; do
  start "$samples/$name.raetsel"
  if [ "$name" = zahlenraetsel-loesungswort ]; then
    # The strip at the bottom right of the child area: its caption, then the word.
    xdotool mousemove $((fx + fw - 60)) $((fy + fh - 21 - 10 - 60)) click 1
    sleep 0.3
    word=$("$tool" show "$samples/$name.raetsel" | sed -n 's/^Lösungswort: \([A-Z]*\).*/\1/p')
    type_keys $(echo "$word" | tr 'A-Z' 'a-z' | sed 's/./& /g')
  fi
  fill_code_table "$samples/$name.raetsel"
  if ! congratulated; then
    echo "FAIL: $name was not solved through its code table"
    exit 1
  fi
  echo "$name solved through its code table"
  stop
done

# The timed Sudoku: every open cell typed row by row.
start "$samples/sudoku-auf-zeit.raetsel"
"$tool" show "$samples/sudoku-auf-zeit.raetsel" | sed -n '/^Lösung:/,/^Einträge:/p' | sed -n 's/^  //p' >"$workdir/solution"
"$tool" show "$samples/sudoku-auf-zeit.raetsel" | sed -n '/^Einträge:/,$p' | sed -n 's/^  //p' | head -n 9 >"$workdir/given"
row=1
while [ "$row" -le 9 ]; do
  solution=$(sed -n "${row}p" "$workdir/solution")
  given=$(sed -n "${row}p" "$workdir/given")
  type_keys Home
  col=1
  while [ "$col" -le 9 ]; do
    if [ "$(echo "$given" | cut -c"$col")" = "." ]; then
      type_keys "$(echo "$solution" | cut -c"$col")"
    fi
    type_keys Right
    col=$((col + 1))
  done
  type_keys Down
  row=$((row + 1))
done
if ! congratulated; then
  echo "FAIL: the timed Sudoku was not solved"
  exit 1
fi
echo "the timed Sudoku was solved with a new best time"
exit 0
