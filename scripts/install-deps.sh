#!/usr/bin/env bash
# Installs the Debian packages Dravenloom needs to build, test, package and take screenshots,
# only when some are missing, and the web player's test tools from npm (the versions pinned in
# tests/player/web/package-lock.json) when they are not there yet. Runs without questions (CI
# has no standard input).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6network6 qt6-image-formats-plugins
  libgl1-mesa-dev
  libjpeg-dev libgif-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth x11-utils imagemagick xdotool
  openjdk-17-jdk-headless
  python3 python3-pyftpdlib python3-asyncssh openssh-client
  python3-openssl openssl
  libssh-dev
  libutf8proc-dev libpcre2-dev
  libhunspell-dev hunspell-en-us
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  poppler-utils
  chromium
  dpkg-dev file desktop-file-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# Node.js and npm by their commands: a machine may have them from elsewhere than Debian (a
# Node.js that brings its own npm conflicts with Debian's npm package).
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

# puppeteer-core drives the system's Chromium in the web player's browser test, and axe-core
# checks the pages it plays on for accessibility faults.
web_tests="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/player/web"
if [ ! -d "$web_tests/node_modules/puppeteer-core" ] || [ ! -d "$web_tests/node_modules/axe-core" ]; then
  echo "Installing the web player's test tools (npm ci in tests/player/web)"
  (cd "$web_tests" && npm ci --no-audit --no-fund)
fi
