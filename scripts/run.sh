#!/usr/bin/env bash
# Starts the program in a working folder of its own (the master files are
# kept in the working directory).
set -euo pipefail
build="$1"
rundir="$2"
mkdir -p "$rundir"
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ -x "$build/src/mainwindow/notorio" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY is not set)."
    echo "Start ノートリオ from a desktop session, or under a virtual display:"
    echo "  xvfb-run -a make run"
    exit 1
  fi
  cd "$rundir"
  exec "$root/$build/src/mainwindow/notorio" "$@"
fi
# Without the window program, show the sample note through the command-line tool.
exec "$root/$build/src/cli/notorio-cli" show "$root/tests/data/sample-note.srt"
