#!/bin/sh
# Prints a puzzle to a PDF file with the Release player on a virtual X
# display, keys only: Ctrl+P, the settings dialog confirmed with Enter, the
# file named in the save dialog; the file then holds one page with the title.
# Usage: print_test.sh <release build dir>. Exit 77: skipped.
release_dir="$1"
player="$release_dir/zindorax-player"
puzzle="$release_dir/samples/schwedenraetsel-loesungswort.raetsel"
if [ -z "$release_dir" ] || [ ! -x "$player" ] || [ ! -f "$puzzle" ]; then
  echo "SKIP: no Release player at '$player'"
  exit 77
fi
if ! command -v pdfinfo >/dev/null 2>&1 || ! command -v pdftotext >/dev/null 2>&1; then
  echo "SKIP: poppler-utils are not installed"
  exit 77
fi
# With printers installed the PDF file is not the first entry of the list.
if command -v lpstat >/dev/null 2>&1 && lpstat -p 2>/dev/null | grep -q .; then
  echo "SKIP: this machine has printers"
  exit 77
fi
. "$(dirname "$0")/xvfb.sh"
export HOME="$workdir"

window() {
  timeout 10 xdotool search --sync --name "$1" | head -n 1
}

start "$puzzle"
xdotool key ctrl+p
dialog=$(window "^Rätsel drucken")
if [ -z "$dialog" ]; then
  echo "FAIL: Ctrl+P did not open the print dialog"
  exit 1
fi
xdotool windowfocus "$dialog" 2>/dev/null
sleep 0.5
xdotool key Return
save=$(window "^Als PDF-Datei speichern")
if [ -z "$save" ]; then
  echo "FAIL: the PDF file entry did not ask for a file name"
  exit 1
fi
xdotool windowfocus "$save" 2>/dev/null
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$workdir/ausdruck.pdf"
xdotool key Return
tries=0
until [ -s "$workdir/ausdruck.pdf" ] && pdfinfo "$workdir/ausdruck.pdf" >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 50 ]; then
    echo "FAIL: no PDF file was written"
    exit 1
  fi
  sleep 0.2
done
if [ -z "$(window "Druckauftrag")" ]; then
  echo "FAIL: no progress window while printing"
  exit 1
fi
pages=$(pdfinfo "$workdir/ausdruck.pdf" | sed -n 's/^Pages: *//p')
if [ "$pages" != 1 ]; then
  echo "FAIL: the PDF has $pages pages instead of one"
  exit 1
fi
if ! pdftotext "$workdir/ausdruck.pdf" - | grep -q "Ferienzeit"; then
  echo "FAIL: the title is missing from the PDF"
  exit 1
fi
echo "printed to a PDF file with one page and the title"
stop
exit 0
