#!/usr/bin/env bash
# The recovery copy, end to end, with the real program on a virtual X server: types into the
# Edit View with real key events (xdotool), waits until the recovery timer (shortened) has
# written a copy holding the text, kills the program with SIGKILL without ever leaving the
# record, starts it again, answers Recover, saves, and checks that the guide file holds every
# typed character. Run as `xvfb-run -a crash-recovery.sh PATH_TO_DRAVENLOOM`.
set -euo pipefail

program="$1"
scratch="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds="$1"
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# A window whose title is exactly $1, found within a while (the window id on stdout).
window_named() {
  local id=""
  for _ in $(seq 1 150); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Real key events go to the window that has the input focus.
focus() {
  xdotool windowfocus --sync "$1"
  sleep 0.3
}

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb
export DRAVENLOOM_RECOVERY_INTERVAL_MS=400
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
copies="$XDG_DATA_HOME/Korvessa/Dravenloom/recovery"

guide="$scratch/lamp.dvx"
printf '1\xa4Lamp guide\xb6\xaa\xb1\x80no\r\n2\xa4Second record\xb6\xaa\xb1\x80no\r\n' >"$guide"
first_line='Every key: the quick brown fox, 0123456789 (jumps) over [lazy] dogs!?'
second_line='Second line ~ #1 @home $5 & 50% = "ok" + more_text; end.'
# In the guide file a line break inside a text is the byte 0x9A.
expected="$first_line"$'\x9a'"$second_line"

contains() { [ -f "$1" ] && grep -qaF -- "$2" "$1"; }
copy_holds_text() {
  local copy
  for copy in "$copies"/*.recovery; do
    contains "$copy" "$expected" && return 0
  done
  return 1
}

# First run: the guide named on the command line, typed into and never left.
"$program" "$guide" &
pid=$!
main="$(window_named 'Dravenloom - lamp.dvx')" || fail "the main window did not come up"
focus "$main"
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 15 -- "$first_line"
xdotool key Return
xdotool type --delay 15 -- "$second_line"
wait_for 20 copy_holds_text || fail "no recovery copy with the typed text in $copies"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=""
contains "$guide" "$first_line" && fail "the guide was saved although nobody saved it"
copy_holds_text || fail "the recovery copy did not outlive the killed program"

# Second run: the question comes first; Recover is the default button.
"$program" &
pid=$!
question="$(window_named 'Confirm')" || fail "the recovery question was not asked"
focus "$question"
xdotool key Return
main="$(window_named 'Dravenloom - lamp.dvx')" || fail "the recovered guide is not on show"
focus "$main"
xdotool key --clearmodifiers ctrl+s
wait_for 20 contains "$guide" "$expected" || fail "the saved guide lacks the typed text"
# Saved: no copy is needed any more.
wait_for 10 bash -c "! ls '$copies'/*.recovery >/dev/null 2>&1" || fail "the copy outlived Save"
xdotool key --clearmodifiers ctrl+q
wait_for 20 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end"
wait "$pid" || fail "the program ended with a failure"
pid=""
echo "recovered every typed character"
