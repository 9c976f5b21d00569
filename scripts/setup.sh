#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: prints nothing and touches nothing when everything is present.
set -euo pipefail

PACKAGES=(
  g++ clang pkg-config cmake ninja-build git
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  libboost-dev
  libsdl2-dev libsdl2-ttf-dev libfreetype-dev fonts-ipafont-gothic fonts-ipafont-mincho
  libvorbis-dev libfluidsynth-dev timgm6mb-soundfont libasound2-dev
  libimgui-dev
  xvfb x11-utils
  gdb binutils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
