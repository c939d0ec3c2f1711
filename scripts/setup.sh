#!/usr/bin/env bash
# Installs the Debian 12 packages Wendrift needs to build, test and run: only those missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev libgl-dev
  libexpat1-dev libgtest-dev libgmock-dev libbenchmark-dev
  gpsbabel gpsd fonts-wine fonts-nanum desktop-file-utils
  xvfb x11-utils
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
