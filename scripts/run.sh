#!/usr/bin/env bash
# Starts ノートリオ in a working folder of its own: the master files
# (master.xml, master.dat) are read from and written to the working folder.
# Usage: scripts/run.sh BUILD_DIR RUN_DIR [note-file]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
rundir="$2"
shift 2
case "$build" in
  /*) ;;
  *) build="$root/$build" ;;
esac
program="$build/src/mainwindow/notorio"
mkdir -p "$rundir"

if [ ! -x "$program" ]; then
  echo "The window program was not built ($program is missing)." >&2
  echo "Showing the sample note with the command-line tool instead:" >&2
  exec "$build/src/cli/notorio-cli" show "$root/tests/data/sample-note.srt"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
No display found: DISPLAY and WAYLAND_DISPLAY are not set, so the window cannot be shown.
  - On a desktop: run `make run` in a terminal of the desktop session.
  - Over SSH: connect with `ssh -X` (X11 forwarding) and run `make run` again.
  - Without any screen (only to check that it starts): `xvfb-run -a make run`
    starts it on an invisible virtual display; stop it with Ctrl+C.
  - Without a window at all: build/src/cli/notorio-cli show NOTE prints a note.
MSG
  exit 1
fi

cd "$rundir"
echo "Starting ノートリオ in $rundir (master files are kept there)."
exec "$program" "$@"
