#!/bin/sh
# Open time and peak memory of notes near the 16 MiB read limit whose lists
# hold hundreds of thousands of elements, through `notorio-cli show` (the
# window's open command on a fresh in-memory window).
#   bench/big_notes.sh BUILD_DIR [CLI]
# CLI defaults to BUILD_DIR/src/cli/notorio-cli; give an older build's CLI
# as a second run to see both side by side.
set -eu
build=${1:?usage: big_notes.sh BUILD_DIR [CLI]}
cli=${2:-$build/src/cli/notorio-cli}
cmake --build "$build" --target make_big_notes >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/spreadsheet/make_big_notes" "$work" >/dev/null
for note in "$work"/*.srt; do
    /usr/bin/time -f "%e s %M KiB" -o "$work/time" "$cli" show "$note" >/dev/null 2>"$work/err" || true
    printf '%-18s %10s bytes  %s  %s\n' "$(basename "$note")" "$(stat -c %s "$note")" \
        "$(cat "$work/time" | tail -1)" "$(head -n 1 "$work/err")"
done
