#!/usr/bin/env bash
# Refuses to build as root in a checkout that belongs to another user: the
# build folder and run/ would belong to root, and the program started later
# by that user could not write its settings and master files there (the
# registers would be lost at close). A job that must build as root in such a
# checkout (a CI container) sets NOTORIO_ALLOW_ROOT=1.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me=$(id -u)
owner=$(stat -c %u "$root")
if [ "$me" -eq 0 ] && [ "$owner" -ne 0 ] && [ "${NOTORIO_ALLOW_ROOT:-}" != 1 ]; then
  name=$(stat -c %U "$root")
  cat >&2 <<MSG
Refusing to build as root: this checkout belongs to $name.
Files made now (build/, run/, the settings and master files) would belong to
root, and ノートリオ started later as $name could not write them: its
registers would be lost at close. Run make as $name, without sudo; the
install script asks for sudo itself when it must install packages.
MSG
  exit 1
fi
