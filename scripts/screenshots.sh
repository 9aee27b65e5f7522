#!/usr/bin/env bash
# Takes pictures of every window and page of Dravenloom under a virtual X server and saves them
# in screenshots/ (the main window on each page, at its default size and at 1280 x 960, the
# splash, about box, graphic dialog (with a picture, and with a path that names no file),
# magnified field, the question a paste of characters a guide can't hold asks, tutorial, wizard,
# help window and the open dialogs, the whole screen
# with the tutorial beside the main window, the upload page while a file is on its way to a
# pyftpdlib on 127.0.0.1 (python3-pyftpdlib, which install-deps.sh installs), its question about
# an SFTP server whose host key nobody vouches for (python3-asyncssh), the twelve button
# pictures enlarged on white and on black, the desktop icons, and the web player on a record of
# the sample guide). With --tutorial it also renews the
# pictures the tutorial pages show (resources/tutorial/images).
#
# The real windows are built over the real platform layer by the dravenloom-shots tool; the
# settings go to a throwaway home directory, so nothing of the user's leaks in or out.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$root/screenshots"
tutorial_images=""
if [ "${1:-}" = "--tutorial" ]; then
  tutorial_images="$root/resources/tutorial/images"
fi

bash "$root/scripts/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target dravenloom-shots dravenloom-cli dravenloom-make-icons

guide="$root/examples/tour.dvx"
if [ ! -f "$guide" ]; then
  guide="$(find "$root/tests/data" -name '*.dvx' -size +0 | head -n 1)"
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"

HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bin/dravenloom-shots" "$out" "$guide" $tutorial_images

# The button pictures eight times their size and at their own size, on white and on black.
sheet="$scratch/sheet"
mkdir -p "$sheet"
for background in white black; do
  convert "$root"/player/buttons/*.gif -filter point -resize 800% -bordercolor "$background" \
    -border 12 +append "$sheet/$background-large.png"
  convert "$root"/player/buttons/*.gif -bordercolor "$background" -border 4 +append \
    "$sheet/$background-small.png"
done
convert "$sheet"/white-large.png "$sheet"/black-large.png "$sheet"/white-small.png \
  "$sheet"/black-small.png -background gray50 -gravity west -append \
  "$out/button-pictures.png"

# The desktop icons the install puts in place, 16 to 256 pixels, side by side on grey.
"$build/bin/dravenloom-make-icons" "$scratch/icons" 16 22 24 32 48 64 128 256
icon_files=()
for size in 16 22 24 32 48 64 128 256; do
  icon_files+=("$scratch/icons/${size}x${size}/dravenloom.png")
done
montage -background '#dddddd' "${icon_files[@]}" -tile 8x1 -geometry +6+6 -gravity south \
  "$out/desktop-icons.png"

# The web player on record 6 of the sample guide, in a headless Chromium.
(cd "$root/tests/player/web" && DRAVENLOOM_CLI="$build/bin/dravenloom-cli" \
  DRAVENLOOM_SCREENSHOT="$out/player-web.png" \
  node --test --test-name-pattern="walked" browser.test.js >/dev/null)
# Its launch button with a long caption, and the panel on record 6 (player-web-launch.png,
# player-web-record.png).
(cd "$root/tests/player/web" && DRAVENLOOM_CLI="$build/bin/dravenloom-cli" \
  DRAVENLOOM_SCREENSHOT="$out/player-web.png" \
  node --test --test-name-pattern="launch button|axe-core" reader.test.js >/dev/null)

echo "Pictures in $out"
