#!/usr/bin/env bash
# Builds the core and command-line tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer (into build-sanitize/, or $SANITIZE_BUILD_DIR) and runs them, so
# that overflows, bad memory accesses and leaks fail the run. The Qt program, its widget tests
# and the benchmarks are left out: the core they share is what this build checks, with the
# canvas and its picture decoders, which meet damaged files on purpose, and the FTP client, which
# reads whatever a server sends.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SANITIZE_BUILD_DIR:-$root/build-sanitize}"
jobs="${JOBS:-$(nproc)}"

bash "$root/scripts/install-deps.sh"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-O1 $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DDRAVENLOOM_BUILD_APP=OFF -DDRAVENLOOM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target dravenloom_tests dravenloom_canvas_tests dravenloom_ftp_tests

# Every fault ends the test that meets it, with a stack trace.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# The players (Java and JavaScript) hold no sanitized code; scripts/test.sh runs their tests.
ctest --test-dir "$build" --output-on-failure -j"$jobs" -E "^(WebPlayer\.|applet_)"
