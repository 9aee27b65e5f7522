#!/usr/bin/env bash
# Builds Dravenloom and starts it on the bundled sample guide (or on the guide given).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

bash "$root/scripts/build.sh"
guide="${1:-$root/examples/tour.dvx}"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a "$build/bin/dravenloom" "$guide"
fi
exec "$build/bin/dravenloom" "$guide"
