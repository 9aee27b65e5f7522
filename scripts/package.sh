#!/usr/bin/env bash
# Builds the Debian package (build/dravenloom_VERSION_ARCH.deb, or in $BUILD_DIR), unpacks it
# into a scratch root and checks it there: its files against packaging/installed-files.txt,
# and the installed dravenloom-cli finding the Applet folder from the unpacked tree. CI runs it
# after the tests; on its own it builds what is missing first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"

rm -f "$build"/dravenloom_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/dravenloom_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "cpack made no single dravenloom_*.deb in $build" >&2
  exit 1
fi
deb="${debs[0]}"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
cmake -DROOT="$scratch/root" -DPREFIX=usr -DEXPECTED="$root/packaging/installed-files.txt" \
  -P "$root/packaging/CheckFileList.cmake"

# The unpacked tools run from where they lie and find their files by their own folder.
cli="$scratch/root/usr/bin/dravenloom-cli"
mkdir -p "$scratch/home"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
"$cli" --help >/dev/null
listed="$("$cli" upload "$root/examples/tour.dvx" --dry-run)"
if ! grep -qF "$scratch/root/usr/share/dravenloom/Applet/Dravenloom.class ->" <<<"$listed"; then
  echo "The unpacked dravenloom-cli did not find the Applet folder in usr/share/dravenloom:" >&2
  echo "$listed" >&2
  exit 1
fi

echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
