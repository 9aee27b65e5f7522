#!/usr/bin/env bash
# Installs the Debian packages Dravenloom needs to build, test and take screenshots,
# only when some are missing. Runs without questions (CI has no standard input).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6network6 qt6-image-formats-plugins
  libgl1-mesa-dev
  libjpeg-dev libgif-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth x11-utils imagemagick
  openjdk-17-jdk-headless
  python3 python3-pyftpdlib
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
