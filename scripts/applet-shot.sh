#!/usr/bin/env bash
# Walks the sample guide in the Java guide player under a virtual X server, as its test does,
# and saves the guide's window on record 6 (a picture and a link response) as
# screenshots/player-applet.png.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target dravenloom_applet_tests

applet="$build/bin/Applet"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  java -cp "$applet:$build/tests/player/java/classes" AppletWalk \
  "$root" "$applet" "$root/screenshots/player-applet.png"
echo "Picture in $root/screenshots/player-applet.png"
