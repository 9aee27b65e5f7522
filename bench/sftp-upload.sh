#!/usr/bin/env bash
# Uploads one 300 MB file to the asyncssh SFTP server of tests/ftp/sftpd.py on 127.0.0.1 with the
# program's SFTP client and with OpenSSH's sftp -b (each in one session of its own), and prints
# the median wall-clock time of each and our throughput as a share of sftp's. Our client runs
# twice: as it comes (eight write requests on their way) and with one request at a time (each
# waiting for its answer, as libssh's sftp_write does). sftp runs twice:
# as it comes (32 KB write requests, 64 of them in flight) and with -B 258048, the largest piece
# our client sends in one request. With DELAY (milliseconds each way) both go through
# bench/delay-proxy.py, which makes loopback as far away as a distant server.
#
# Needs: openssh-client (sftp, ssh-keygen); python3-asyncssh under Debian's /usr/bin/python3; a
# build of the upload driver:
#   cmake --build build --target dravenloom_sftp_upload
# Usage: bench/sftp-upload.sh [BUILD_DIR] [RUNS] [MEGABYTES] [DELAY]   (defaults: build, 5, 300, 0)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-5}
megabytes=${3:-300}
delay=${4:-0}
driver=$build/bin/dravenloom_sftp_upload
command -v sftp >/dev/null || { echo "sftp is needed (apt-get install openssh-client)" >&2; exit 2; }
[ -x "$driver" ] || { echo "build dravenloom_sftp_upload first ($driver)" >&2; exit 2; }
/usr/bin/python3 -W ignore -c 'import asyncssh' 2>/dev/null ||
  { echo "python3-asyncssh is needed" >&2; exit 2; }

work=$(mktemp -d)
server=
proxy=
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  if [ -n "$proxy" ]; then kill "$proxy" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

root=$work/root
mkdir -p "$root/up"
bytes=$((megabytes * 1024 * 1024))
head -c "$bytes" /dev/urandom >"$work/big.bin"
# sftp logs in with a key (it takes no password from a script); our driver with the password.
ssh-keygen -q -t ed25519 -N '' -f "$work/client_key"
/usr/bin/python3 "$here/../tests/ftp/sftpd.py" "$root" "$work/host.pub" secret \
  --client-keys "$work/client_key.pub" >"$work/ready" 2>/dev/null &
server=$!
for _ in $(seq 100); do
  grep -q READY "$work/ready" && break
  sleep 0.1
done
port=$(awk '/READY/ {print $2}' "$work/ready")
fingerprint=$(awk '/READY/ {print $3}' "$work/ready")
[ -n "$port" ] || { echo "the SFTP server did not start" >&2; exit 1; }
if [ "$delay" != 0 ]; then
  /usr/bin/python3 "$here/delay-proxy.py" "$port" "$delay" >"$work/proxy" 2>/dev/null &
  proxy=$!
  for _ in $(seq 100); do
    grep -q READY "$work/proxy" && break
    sleep 0.1
  done
  port=$(awk '/READY/ {print $2}' "$work/proxy")
  [ -n "$port" ] || { echo "the delaying relay did not start" >&2; exit 1; }
fi
export DRAVENLOOM_FTP_PASSWORD=secret
echo "put $work/big.bin up/big.bin" >"$work/batch"

# Milliseconds taken by the command; the uploaded file is compared and removed afterwards.
timed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  cmp -s "$work/big.bin" "$root/up/big.bin" || { echo "upload incomplete or wrong" >&2; exit 1; }
  rm -f "$root/up/big.bin"
  echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
best() { printf '%s\n' "$@" | sort -n | head -1; }
share() { awk -v o="$1" -v c="$2" 'BEGIN {printf "%.0f%%", 100 * c / o}'; }
rate() { awk -v ms="$1" -v mb="$megabytes" 'BEGIN {printf "%.0f MB/s", mb * 1000 / ms}'; }

openssh() {
  sftp -q -P "$port" -i "$work/client_key" -o StrictHostKeyChecking=no \
    -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR -b "$work/batch" "$@" alice@127.0.0.1
}

o=()
w=()
s=()
l=()
for _ in $(seq "$runs"); do
  o+=("$(timed "$driver" 127.0.0.1 "$port" alice up "$fingerprint" "$work/big.bin")")
  w+=("$(DRAVENLOOM_SFTP_IN_FLIGHT=1 timed "$driver" 127.0.0.1 "$port" alice up "$fingerprint" \
    "$work/big.bin")")
  s+=("$(timed openssh)")
  l+=("$(timed openssh -B 258048)")
done
om=$(median "${o[@]}")
wm=$(median "${w[@]}")
sm=$(median "${s[@]}")
lm=$(median "${l[@]}")
ob=$(best "${o[@]}")
wb=$(best "${w[@]}")
sb=$(best "${s[@]}")
lb=$(best "${l[@]}")
echo "one $megabytes MB file, ${delay} ms each way"
echo "  dravenloom:        median ${om} ms ($(rate "$om")), best ${ob} ms (runs: ${o[*]})"
echo "  ... one at a time: median ${wm} ms ($(rate "$wm")), best ${wb} ms (runs: ${w[*]})"
echo "  sftp -b:           median ${sm} ms ($(rate "$sm")), best ${sb} ms (runs: ${s[*]})"
echo "  sftp -b -B 258048: median ${lm} ms ($(rate "$lm")), best ${lb} ms (runs: ${l[*]})"
echo "  our throughput as a share of sftp -b's: $(share "$om" "$sm") by medians, $(share "$ob" "$sb") by best runs"
echo "  ... and of sftp -b -B 258048's: $(share "$om" "$lm") by medians, $(share "$ob" "$lb") by best runs"
