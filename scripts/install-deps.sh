#!/usr/bin/env bash
# Installs the Debian 12 packages that a group of tasks needs; only missing
# packages are installed, through sudo when not run as root.
#   scripts/install-deps.sh GROUP...        install what GROUP needs
#   scripts/install-deps.sh --missing GROUP...   only print the missing ones
# Groups:
#   run    build and run notorio and notorio-cli
#   test   build and run the tests (normal and sanitizer builds)
#   extra  fuzzing, clang-format, the benchmarks and the start-up measurement
set -euo pipefail

packages_run=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libboost-serialization-dev
  libgsf-1-dev
  fonts-ipafont-gothic fontconfig
  xdg-utils              # ヘルプ and the web address open in the desktop's programs
  qt6-translations-l10n  # Japanese texts of Qt's own dialogs and buttons
)
packages_test=(
  libgtest-dev
  poppler-utils          # pdftotext, pdftoppm: the printed pages are read back
  python3-xlrd           # an outside reader of the exported spreadsheets
  desktop-file-utils     # desktop-file-validate for the desktop entry
)
packages_extra=(
  clang libclang-rt-dev clang-format
  libbenchmark-dev
  python3-xlwt catdoc    # the reader benchmark's workbooks and its comparison
  xvfb xauth openbox     # the start-up measurement on a virtual display
)

# dpkg's status of an installed package: "install ok installed", or with a
# trigger still to run ("triggers-pending", "triggers-awaited"), or held or
# marked for removal but still on disk. Anything else (not-installed,
# config-files, half-installed, unpacked, half-configured) is missing.
status_is_installed() {
  local want eflag state
  read -r want eflag state <<<"$1"
  [ "$eflag" = ok ] || return 1
  case "$state" in
    installed | triggers-pending | triggers-awaited) return 0 ;;
    *) return 1 ;;
  esac
}

# True when any architecture of package $1 is installed.
package_installed() {
  local line
  while IFS= read -r line; do
    if status_is_installed "$line"; then
      return 0
    fi
  done < <(dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null || true)
  return 1
}

list_only=0
if [ "${1:-}" = --missing ]; then
  list_only=1
  shift
fi
if [ $# -eq 0 ]; then
  set -- run
fi

wanted=()
for group in "$@"; do
  case "$group" in
    run) wanted+=("${packages_run[@]}") ;;
    test) wanted+=("${packages_test[@]}") ;;
    extra) wanted+=("${packages_extra[@]}") ;;
    *)
      echo "install-deps.sh: unknown group '$group' (run, test, extra)" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${wanted[@]}"; do
  if ! package_installed "$p"; then
    missing+=("$p")
  fi
done

if [ $list_only -eq 1 ]; then
  if [ ${#missing[@]} -gt 0 ]; then
    printf '%s\n' "${missing[@]}"
  fi
  exit 0
fi
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
  echo "(apt-get needs root: sudo asks for your password)"
fi
export DEBIAN_FRONTEND=noninteractive
# Another package manager (an update in the background) holds dpkg's lock:
# wait for it instead of failing.
lock_wait=(-o DPkg::Lock::Timeout=600)
$SUDO apt-get "${lock_wait[@]}" update -qq
$SUDO apt-get "${lock_wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
