#!/usr/bin/env bash
# `cmake --install` into a DESTDIR: the files and nothing else, a valid
# desktop entry and MIME package, programs that run from there; then the
# Debian package: its dependencies (runtime packages that provide every
# library the programs link, no -dev package) and its contents.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

dest="$work/dest"
DESTDIR="$dest" cmake --install "$build" --prefix /usr/local >/dev/null
expected="usr/local/bin/notorio
usr/local/bin/notorio-cli
usr/local/share/applications/notorio.desktop"
for size in 128 16 22 24 256 32 48 64; do
  expected+="
usr/local/share/icons/hicolor/${size}x${size}/apps/notorio.png"
done
expected+="
usr/local/share/icons/hicolor/scalable/apps/notorio.svg
usr/local/share/man/man1/notorio-cli.1
usr/local/share/mime/packages/notorio.xml
usr/local/share/notorio/help/notorio.html"
got=$(cd "$dest" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(echo "$expected" | LC_ALL=C sort)
[ "$got" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$got") || true)"

desktop="$dest/usr/local/share/applications/notorio.desktop"
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop entry: $out"
  [ -z "$out" ] || fail "desktop entry warnings: $out"
else
  fail "desktop-file-validate is missing (desktop-file-utils)"
fi
grep -qx 'Name\[ja\]=ノートリオ' "$desktop" || fail "no Japanese name in the desktop entry"
grep -q '^Comment\[ja\]=' "$desktop" || fail "no Japanese comment in the desktop entry"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$dest/usr/local/bin/$exec_program" ] || fail "Exec names $exec_program, which is not installed"

# The MIME package compiles, and a saved note is recognised by its header.
mkdir -p "$work/mime/packages"
cp "$dest/usr/local/share/mime/packages/notorio.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>"$work/mime.err" || fail "MIME package: $(cat "$work/mime.err")"
[ -f "$work/mime/application/x-notorio-note.xml" ] || fail "MIME type x-notorio-note not compiled"
[ -f "$work/mime/application/x-notorio-note+xml.xml" ] || fail "MIME type x-notorio-note+xml not compiled"

# The installed programs run from there, and the window finds its help page.
"$dest/usr/local/bin/notorio-cli" show "$(dirname "$0")/../data/sample-note.srt" >/dev/null ||
  fail "the installed notorio-cli does not run"

# The Debian package.
deb_dir="$work/deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$deb_dir" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -5 "$work/cpack.log")"
deb=$(ls "$deb_dir"/*.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  fail "no .deb was made"
else
  depends=$(dpkg-deb -f "$deb" Depends)
  names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | sed '/^$/d')
  echo "$names" | grep -q -- '-dev$' && fail "a -dev package among the dependencies: $depends"
  for p in libqt6widgets6 libqt6printsupport6 libboost-serialization1.74.0 libgsf-1-114 \
    fonts-ipafont-gothic xdg-utils qt6-translations-l10n; do
    echo "$names" | grep -qx "$p" || fail "$p missing from Depends: $depends"
  done
  # Every library the programs link directly comes from a dependency (or
  # from the C and GCC runtime libraries every system has).
  libraries=$(ldconfig -p)
  for program in notorio notorio-cli; do
    for lib in $(objdump -p "$dest/usr/local/bin/$program" | awk '/NEEDED/ {print $2}'); do
      path=$(echo "$libraries" | awk -v l="$lib" '$1 == l && !found {print $NF; found = 1}')
      [ -n "$path" ] || { fail "$lib of $program not found"; continue; }
      owner=$( (dpkg -S "$(readlink -f "$path")" || dpkg -S "$path") 2>/dev/null | sed -n '1s/:.*//p')
      case "$owner" in
        libc6 | libgcc-s1) ;;
        "") fail "no package owns $path ($lib of $program)" ;;
        *) echo "$names" | grep -qx "$owner" || fail "$lib of $program comes from $owner, not in Depends" ;;
      esac
    done
  done
  contents=$(dpkg -c "$deb" | awk '{print $NF}')
  for f in ./usr/bin/notorio ./usr/bin/notorio-cli ./usr/share/applications/notorio.desktop \
    ./usr/share/notorio/help/notorio.html ./usr/share/man/man1/notorio-cli.1 \
    ./usr/share/icons/hicolor/48x48/apps/notorio.png ./usr/share/icons/hicolor/scalable/apps/notorio.svg \
    ./usr/share/mime/packages/notorio.xml; do
    echo "$contents" | grep -qx -- "$f" || fail "$f missing from the package"
  done
  echo "$contents" | grep -q '^\./usr/local' && fail "the package installs under /usr/local"
fi

[ $failures -eq 0 ] && echo "install tree and package: all passed"
exit $failures
