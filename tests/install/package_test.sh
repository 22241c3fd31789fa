#!/bin/sh
# Builds the Debian package from the Release build and checks it as a fresh
# machine would get it: its run-time dependencies come from the libraries the
# programs link, it holds the programs, menu entry, icon, both file types and
# a copyright file, every library the unpacked programs need is found, and
# lintian reports no error. Usage: package_test.sh <release build dir>.
# Exit 77: skipped.
release="$1"
if [ -z "$release" ] || [ ! -f "$release/CPackConfig.cmake" ]; then
  echo "SKIP: no Release build with a package configuration"
  exit 77
fi
for tool in cpack dpkg-deb ldd; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

(cd "$work" && cpack -G DEB --config "$release/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(ls "$work"/out/zindorax-player_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no zindorax-player_*.deb was made"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -f "$deb" Description | grep -q "Schwedenrätsel" || fail "the description has no German part"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "the package does not unpack"
for f in usr/bin/zindorax-player usr/bin/raetsel usr/share/applications/zindorax-player.desktop \
  usr/share/icons/hicolor/scalable/apps/zindorax-player.svg usr/share/mime/packages/zindorax-player.xml \
  usr/share/doc/zindorax-player/copyright usr/share/doc/zindorax-player/changelog.gz; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
grep -q "application/x-zindorax-spieler" "$root/usr/share/mime/packages/zindorax-player.xml" ||
  fail "the package lacks the packed players' file type"
for program in zindorax-player raetsel; do
  missing=$(ldd "$root/usr/bin/$program" | grep "not found")
  [ -z "$missing" ] || fail "$program needs libraries nobody provides: $missing"
done
"$root/usr/bin/raetsel" --help >/dev/null || fail "the unpacked raetsel does not run"

if command -v lintian >/dev/null 2>&1; then
  lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
  if grep -q '^E:' "$work/lintian.log"; then
    cat "$work/lintian.log"
    fail "lintian reports errors"
  fi
  echo "lintian: no errors"
fi
echo "package $(basename "$deb") complete: $depends"
