#!/bin/sh
# Plays with the mouse in the Release player on a virtual X display: every
# hidden word of a crossword jigsaw painted, every word of a brain-teaser grid
# dragged from the legend onto its start cell, each until the congratulation
# appears, and the hint popup of a Swedish crossword shown by hovering.
# Usage: mouse_play_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
player="$release_dir/zindorax-player"
samples="$release_dir/samples"
sources="$(cd "$(dirname "$0")/../../.." && pwd)/samples"
if [ -z "$release_dir" ] || [ ! -x "$player" ] || [ ! -d "$samples" ]; then
  echo "SKIP: no Release player at '$player'"
  exit 77
fi
if ! command -v python3 >/dev/null 2>&1; then
  echo "SKIP: python3 is not installed"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"

# Fixed heights above the child area: the menu bar and the frame's toolbar;
# the child windows' frame: border and title bar. The grid window sits at the
# child area's top left, its toolbar above the grid control.
menu_bar=18
frame_toolbar=33
child_border=4
child_title=24
form_toolbar=30

# Screen centre of grid cell (col, row), counted from 1, for a grid control
# with the given margin and grid line width and cells 30 wide (the default
# cell size). Sets cx and cy.
cell_at() {
  margin=$3 line=$4
  gx=$((fx + child_border + margin + line))
  gy=$((fy + menu_bar + frame_toolbar + child_title + form_toolbar + margin + line))
  cx=$((gx + ($1 - 1) * (30 + line) + 15))
  cy=$((gy + ($2 - 1) * (30 + line) + 15))
}

# Moves the mouse with the left button held from where it is to (x, y) in a
# few steps: drags and range selections need the motion in between.
glide() {
  eval "$(xdotool getmouselocation --shell)"
  from_x=$X from_y=$Y
  for step in 1 2 3 4 5; do
    xdotool mousemove $((from_x + ($1 - from_x) * step / 5)) $((from_y + ($2 - from_y) * step / 5))
    sleep 0.05
  done
  sleep 0.1
}

# Where the words stand in a source's grid, from the grid and the word list:
#   words SOURCE jigsaw  -> "col row col row" of each word's first and last cell
#   words SOURCE legend  -> "col row dir" of each word, in the order of the
#                           legend's single list (longest first)
#   words SOURCE first   -> "col row" of the first listed word with a shown number
words() {
  python3 - "$1" "$2" <<'EOF'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read().splitlines()
mode = sys.argv[2]
block, grid, entries, backwards = "", [], [], False
for line in text:
    s = line.strip()
    if not s or s.startswith(";"):
        continue
    if s.startswith("["):
        block = s.lower()
        continue
    if block == "[gitter]":
        grid.append(s.replace(" ", "").upper())
    elif block == "[begriffe]":
        m = re.match(r"([^\[=:]+?)\s*(\[[^\]]*\])?\s*([=:].*)?$", s)
        entries.append((m.group(1).strip().upper(), m.group(2)))
    elif not block and re.match(r"r(ü|ue)ckw(ä|ae)rts\s*:\s*ja", s, re.I):
        backwards = True
rows, cols = len(grid), len(grid[0])
# Every line of cells across and down, each cell with its position.
lines = [[(c + 1, r + 1, grid[r][c]) for c in range(cols)] for r in range(rows)]
lines += [[(c + 1, r + 1, grid[r][c]) for r in range(rows)] for c in range(cols)]
def find(word):
    for line in lines:
        letters = "".join(ch for _, _, ch in line)
        for w in (word, word[::-1]) if backwards else (word,):
            at = letters.find(w)
            if at >= 0:
                return line[at], line[at + len(w) - 1]
    sys.exit("not in the grid: " + word)
# The runs of two letters or more between blocks, with their directions.
runs = {}
for r in range(rows):
    for m in re.finditer(r"[A-Z]{2,}", grid[r]):
        runs.setdefault(m.group(), (m.start() + 1, r + 1, "across"))
for c in range(cols):
    column = "".join(grid[r][c] for r in range(rows))
    for m in re.finditer(r"[A-Z]{2,}", column):
        runs.setdefault(m.group(), (c + 1, m.start() + 1, "down"))
if mode == "jigsaw":
    for word, _ in entries:
        a, b = find(word)
        print(a[0], a[1], b[0], b[1])
elif mode == "legend":
    # The legend sorts by length, longest first, exchanging rows pairwise
    # from the record's order, which is the order of the word list.
    order = [word for word, _ in entries]
    for i in range(len(order)):
        for j in range(i + 1, len(order)):
            if len(order[i]) < len(order[j]):
                order[i], order[j] = order[j], order[i]
    for word in order:
        print(*runs[word])
else:
    word = next(word for word, options in entries if not options)
    print(*runs[word][:2])
EOF
}

# ---- The crossword jigsaw: each hidden word painted from its first to its last cell.
start "$samples/kreuzwortpuzzle.raetsel"
words "$sources/kreuzwortpuzzle.txt" jigsaw >"$workdir/jigsaw" || exit 1
while read -r c1 r1 c2 r2; do
  cell_at "$c1" "$r1" 1 1
  xdotool mousemove "$cx" "$cy" mousedown 1
  sleep 0.1
  cell_at "$c2" "$r2" 1 1
  glide "$cx" "$cy"
  xdotool mouseup 1
  sleep 0.2
done <"$workdir/jigsaw"
if ! congratulated; then
  echo "FAIL: painting the $(wc -l <"$workdir/jigsaw") hidden words of the crossword jigsaw won nothing"
  exit 1
fi
echo "crossword jigsaw solved by painting its words with the mouse"
stop

# ---- The brain-teaser grid: each word dragged from the single legend list
# onto its start cell; Shift held from the press to the drop places it down.
start "$samples/knobelgitter.raetsel"
words "$sources/knobelgitter.txt" legend >"$workdir/legend" || exit 1
# The legend: 300 wide, 10 from the right edge, at the top of the child area;
# its toolbar, then the list (the caption is hidden with one list) one pixel
# below the list's frame, rows 16 high with a grid line between them.
list_x=$((fx + fw - 10 - 300 + 100))
list_y=$((fy + menu_bar + frame_toolbar + child_title + form_toolbar + 1))
row=0
while read -r col line dir; do
  cell_at "$col" "$line" 2 0
  [ "$dir" = down ] && xdotool keydown shift && sleep 0.1
  xdotool mousemove "$list_x" $((list_y + row * 17 + 8)) mousedown 1
  sleep 0.1
  glide "$cx" "$cy"
  # The drop lands after one more motion over the target.
  xdotool mousemove "$cx" $((cy + 1))
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
  [ "$dir" = down ] && xdotool keyup shift
  row=$((row + 1))
done <"$workdir/legend"
if ! congratulated; then
  echo "FAIL: dragging the $row words of the brain-teaser grid from the legend won nothing"
  exit 1
fi
echo "brain-teaser grid solved by dragging its words from the legend"
stop

# ---- The Swedish crossword: the mouse resting on a word's first cell shows
# the hint popup, a borderless window of its own.
start "$samples/schwedenraetsel.raetsel"
first=$(words "$sources/schwedenraetsel.txt" first) || exit 1
set -- $first
hint_shown() {
  xdotool search --all --onlyvisible --pid "$player_pid" --name "^Hinweise$" >/dev/null 2>&1
}
shown=""
for attempt in 1 2; do
  # From the cell beside it, so that the mouse enters the cell.
  cell_at "$1" "$2" 1 1
  xdotool mousemove $((cx + 31)) "$cy"
  sleep 0.2
  xdotool mousemove "$cx" "$cy"
  sleep 0.5
  if hint_shown; then
    shown=yes
    break
  fi
done
if [ -z "$shown" ]; then
  echo "FAIL: hovering over the first cell of a Swedish crossword's word showed no hint"
  exit 1
fi
echo "Swedish crossword shows its hint popup on hovering over a word's first cell"
exit 0
