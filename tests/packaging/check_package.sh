#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack from the build
# folder, its contents listed, unpacked into a temporary root
# (dpkg-deb -x), the installed programs run from there, the installed
# manual pages shown with man -l, the desktop entry, the MIME type and the
# icon checked against each other, and lintian run on the package (no
# errors allowed).
#
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrel-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export HOME="$work/home" XDG_CONFIG_HOME= LC_ALL=C.UTF-8
mkdir -p "$HOME"

echo "== cpack"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(ls "$work"/out/*.deb)
echo "$deb: $(stat -c %s "$deb") bytes"

echo "== control"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Section | tee "$work/control"
depends=$(dpkg-deb --field "$deb" Depends)
# dpkg-shlibdeps names the libraries the programs link; the Qt platform
# plugins are named by hand.
depends_names=$(sed 's/, /\n/g' <<<"$depends" | awk '{ print $1 }')
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
         qt6-qpa-plugins; do
  grep -qxF "$p" <<<"$depends_names" || fail "Depends lacks $p"
done

echo "== contents"
dpkg-deb --contents "$deb" | tee "$work/contents"
expected=(
  ./usr/bin/tavrel
  ./usr/bin/tavrel-cli
  ./usr/share/applications/tavrel.desktop
  ./usr/share/mime/packages/tavrel.xml
  ./usr/share/icons/hicolor/scalable/apps/tavrel.svg
  ./usr/share/man/man1/tavrel.1.gz
  ./usr/share/man/man1/tavrel-cli.1.gz
  ./usr/share/bash-completion/completions/tavrel-cli
  ./usr/share/doc/tavrel/copyright
  ./usr/share/doc/tavrel/changelog.Debian.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/tavrel.png")
done
for f in "${expected[@]}"; do
  grep -q " $f\$" "$work/contents" || fail "package lacks $f"
done

echo "== unpacked"
root="$work/root"
dpkg-deb -x "$deb" "$root"
cd "$work"
if ldd "$root/usr/bin/tavrel" "$root/usr/bin/tavrel-cli" | grep -q 'not found'; then
  fail "a linked library is missing"
fi
"$root/usr/bin/tavrel-cli" --help >"$work/help.installed"
"$build/cli/tavrel-cli" --help >"$work/help.built"
cmp -s "$work/help.installed" "$work/help.built" || fail "installed tavrel-cli --help differs"
head -3 "$work/help.installed"
sun=$("$root/usr/bin/tavrel-cli" --lang en --today 2024-06-21 sun) || fail "installed tavrel-cli sun"
[[ $sun == "$("$build/cli/tavrel-cli" --lang en --today 2024-06-21 sun)" ]] ||
  fail "installed tavrel-cli computes another sun"
echo "$sun"

echo "== manual pages"
commands=$(sed -n '/^Commands/,/^$/p' "$work/help.built" | awk '/^  [^ ]/ { print $1 }')
[[ $(wc -l <<<"$commands") -ge 10 ]] || fail "too few commands in --help: $commands"
for page in tavrel tavrel-cli; do
  file="$root/usr/share/man/man1/$page.1.gz"
  MANWIDTH=80 man -l "$file" >"$work/$page.txt" 2>"$work/$page.err" || fail "man -l $page"
  man --warnings -E UTF-8 -l -Tutf8 -Z "$file" >/dev/null 2>"$work/$page.warnings" || true
  [[ -s $work/$page.warnings ]] && { cat "$work/$page.warnings"; fail "groff warnings in $page(1)"; }
  for w in NAME SYNOPSIS DESCRIPTION FILES tav.ini tav_days.ini XDG_CONFIG_HOME .config/tavrel; do
    grep -qF -- "$w" "$work/$page.txt" || fail "$page(1) lacks $w"
  done
done
head -20 "$work/tavrel-cli.txt"
for c in $commands; do
  grep -Eq "^       $c( |$)" "$work/tavrel-cli.txt" || fail "tavrel-cli(1) has no entry for $c"
done
for o in --data --set --lang --answer --today; do
  grep -Eq "^       $o " "$work/tavrel-cli.txt" || fail "tavrel-cli(1) has no entry for $o"
done
grep -q "EXIT STATUS" "$work/tavrel-cli.txt" || fail "tavrel-cli(1) has no exit status"

echo "== desktop entry, MIME type, icon"
desktop="$root/usr/share/applications/tavrel.desktop"
grep -qx 'Exec=tavrel %f' "$desktop" || fail "desktop entry does not pass the file"
grep -qx 'Icon=tavrel' "$desktop" || fail "desktop entry names another icon"
mime_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$root/usr/share/mime/packages/tavrel.xml")
grep -qx "MimeType=$mime_type;" "$desktop" || fail "desktop entry and MIME type differ"
cp -r "$root/usr/share/mime" "$work/mime"
update-mime-database "$work/mime"
grep -qx "50:$mime_type:\*.tav" "$work/mime/globs2" || fail "*.tav is not $mime_type"
for size in 16 48 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/tavrel.png"
  dims=$(/usr/bin/python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
  [[ $dims == "${size}x${size}" ]] || fail "icon $png is $dims"
done

echo "== lintian"
lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
grep -q '^E: ' "$work/lintian.txt" && fail "lintian reports errors"

[[ $failures -eq 0 ]] && echo "package checks passed" || { echo "$failures package checks failed"; exit 1; }
