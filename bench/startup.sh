#!/usr/bin/env bash
# Start-up time (to the first window on screen) and peak memory of notorio
# against a minimal Qt window, on a virtual display with a window manager.
#   bench/startup.sh BUILD_DIR [RUNS]     (make bench-startup)
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$build/bench_startup_minimal" ] || cmake --build "$build" --target bench_startup_minimal
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
  "openbox >/dev/null 2>&1 & sleep 1; python3 '$here/startup.py' '$build' $runs; kill %1"
