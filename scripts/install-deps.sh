#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only packages that are missing are installed; run as root (or with sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libboost-serialization-dev
  libgsf-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  fonts-ipafont-gothic fontconfig
  xvfb xauth x11-apps
  poppler-utils
  python3-xlrd
  qt6-qpa-plugins
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
