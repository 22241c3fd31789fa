#!/bin/sh
# Installs the current build into a scratch prefix and checks what a desktop
# needs: the two programs, the menu entry, the icon and the puzzle file type,
# which must recognise a puzzle file by its content whatever its name.
# Usage: install_test.sh <cmake> <build dir> <puzzle source>. Exit 77: skipped.
cmake="$1"
build_dir="$2"
source="$3"
app=zindorax-player
type=application/x-zindorax-raetsel
packed_type=application/x-zindorax-spieler

for tool in desktop-file-validate xmllint; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is missing (scripts/setup.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() {
  echo "FAIL: $*"
  exit 1
}

"$cmake" --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install failed"; }

desktop="$prefix/share/applications/$app.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/$app.svg"
mime="$prefix/share/mime/packages/$app.xml"
for f in "$prefix/bin/$app" "$prefix/bin/raetsel" "$desktop" "$icon" "$mime"; do
  [ -f "$f" ] || fail "${f#"$prefix"/} was not installed"
done
[ -x "$prefix/bin/$app" ] && [ -x "$prefix/bin/raetsel" ] || fail "the programs are not executable"
# The packed demo player is a build product, not part of the installation.
extra=$(ls "$prefix/bin" | grep -v -x -e "$app" -e raetsel)
[ -z "$extra" ] || fail "unexpected files in bin/: $extra"

# The menu entry must start the installed player with the file and find the
# icon and the file type installed beside it.
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $app.desktop"
grep -q -x "Exec=$app %f" "$desktop" || fail "Exec does not start $app with the file"
grep -q -x "Icon=$app" "$desktop" || fail "Icon does not name the installed icon"
grep -q -x "MimeType=$type;$packed_type;" "$desktop" || fail "MimeType does not name $type and $packed_type"
xmllint --noout "$icon" || fail "the icon is no well-formed SVG"

schema=$(ls /usr/share/mime/*.xsd 2>/dev/null | head -n 1)
if [ -n "$schema" ]; then
  xmllint --noout --schema "$schema" "$mime" || fail "$app.xml does not follow $schema"
else
  xmllint --noout "$mime" || fail "$app.xml is not well-formed"
fi
xpath() {
  xmllint --xpath "string(//*[local-name()='mime-type'][@type='$type']$1)" "$mime"
}
[ "$(xpath "/*[local-name()='glob']/@pattern")" = "*.raetsel" ] || fail "glob *.raetsel missing"
[ "$(xpath "/*[local-name()='magic']/*[local-name()='match'][@offset='0']/@value")" = \
  "Quadrillenwortel" ] || fail "magic 'Quadrillenwortel' at offset 0 missing"

[ "$(xmllint --xpath "string(//*[local-name()='mime-type'][@type='$packed_type']/*[local-name()='magic']/*[local-name()='match'][@offset='805000']/@value)" "$mime")" = \
  "Quadrillenwortel" ] || fail "magic 'Quadrillenwortel' at offset 805000 missing"

# The installed tool builds a puzzle file from a source and packs it onto a
# program that is no player of ours (as players packed for another system are),
# named without an extension: a name ending in .exe is a Windows program by the
# usual rules, which weigh a matching name above the content.
"$prefix/bin/raetsel" --help >/dev/null || fail "raetsel --help failed"
"$prefix/bin/raetsel" build "$source" -o "$work/probe.raetsel" || fail "raetsel build failed"
printf 'MZ\220\0' >"$work/other.exe"
head -c 300000 /dev/zero >>"$work/other.exe"
"$prefix/bin/raetsel" embed "$work/other.exe" "$work/probe.raetsel" -o "$work/Weihnachtsspieler" ||
  fail "raetsel embed onto another program failed"

# Recognition by content, through a private data folder. xdg-mime asks GLib
# (gio) on a GNOME desktop and the mimetype program otherwise; plain `file`
# does not read the shared MIME database and cannot answer.
if ! command -v update-mime-database >/dev/null 2>&1 || ! command -v xdg-mime >/dev/null 2>&1; then
  echo "update-mime-database or xdg-mime missing: recognition by content not checked"
  echo "installation complete"
  exit 0
fi
if command -v gio >/dev/null 2>&1; then
  desktop_env=GNOME
elif command -v mimetype >/dev/null 2>&1; then
  desktop_env=X-Generic
else
  echo "neither gio nor mimetype present: recognition by content not checked"
  echo "installation complete"
  exit 0
fi
data="$work/data"
mkdir -p "$data/mime/packages"
cp "$mime" "$data/mime/packages/"
XDG_DATA_HOME="$data" update-mime-database "$data/mime" || fail "update-mime-database failed"
cp "$work/probe.raetsel" "$work/Wochenraetsel"
found=$(XDG_DATA_HOME="$data" XDG_CURRENT_DESKTOP=$desktop_env xdg-mime query filetype "$work/Wochenraetsel")
[ "$found" = "$type" ] || fail "a puzzle file without extension is taken for '$found', not $type"
# GLib and Qt look at the first few kilobytes of a file only, so a container
# 805000 bytes in is seen by readers of the whole magic, as mimetype is.
if ! command -v mimetype >/dev/null 2>&1; then
  echo "installation complete, puzzle files recognised by content (mimetype missing: packed players not checked)"
  exit 0
fi
found=$(XDG_DATA_HOME="$data" XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$work/Weihnachtsspieler")
[ "$found" = "$packed_type" ] || fail "a packed player for another system is taken for '$found', not $packed_type"
echo "installation complete, puzzle files and packed players recognised by content"
