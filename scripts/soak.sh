#!/usr/bin/env bash
# soak.sh [SECONDS]: the host core records the meter simulator over a pseudo-terminal for
# SECONDS (default 60) at the highest rate, with noise and over-long lines among the data,
# then compares the data lines the simulator sent with those in both record files. Exits
# non-zero when a single line was lost (or recorded twice).
#
# The rate: 96 lines a second of the fluorometer's 40-byte lines fill a 38400-baud line, the
# fastest the host offers; the noise and the over-long lines come on top of that.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || { echo "usage: scripts/soak.sh [SECONDS]" >&2; exit 2; }

build=build/normal
if [ ! -f "$build/CMakeCache.txt" ]; then
  scripts/setup.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build.configure.log" 2>&1 || {
    cat "$build.configure.log"; exit 1; }
fi
cmake --build "$build" -j "$(nproc)" --target zuvsim zuvrecord > /dev/null

work=$root/build/soak
rm -rf "$work"
mkdir -p "$work"
device=resources/devices/fluorometer.dev

sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
  fi
}
trap stop_simulator EXIT

"$build/tools/simulator/zuvsim" --device "$device" --rate 96 --noise 5 --long-lines 200 --seed "$RANDOM" \
  --link "$work/tty" > "$work/zuvsim.out" 2> "$work/zuvsim.err" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done
[ -e "$work/tty" ] || { echo "The meter simulator did not start:" >&2; cat "$work/zuvsim.err" >&2; exit 1; }

echo "soak: ${seconds} s, 96 lines/s with noise after every 5th line and an over-long line after every 200th"
"$build/tools/recorder/zuvrecord" --port "$work/tty" --device "$device" --raw "$work/soak.raw" \
  --eng "$work/soak.eng" --seconds "$seconds" > "$work/zuvrecord.out" 2> "$work/zuvrecord.err"
stop_simulator

summary=$(grep '^zuvsim: sent' "$work/zuvsim.err")
sent=$(sed -E 's/^zuvsim: sent ([0-9]+) data lines.*/\1/' <<< "$summary")
engineering=$(grep -avc '^Count' "$work/soak.eng" || true)
raw=$(grep -ac $'^[0-9][0-9]/[0-9][0-9]/[0-9][0-9]\t' "$work/soak.raw" || true)

echo "$summary"
tail -n 1 "$work/zuvrecord.out"
echo "warnings of the host:"
sed -E 's/^warning: //' "$work/zuvrecord.err" | sort | uniq -c | sed 's/^/  /'
echo "data lines sent: $sent, recorded: $engineering rows in the engineering file, $raw lines in the raw file"
if [ "$sent" -gt 0 ] && [ "$engineering" -eq "$sent" ] && [ "$raw" -eq "$sent" ]; then
  echo "soak: PASSED, no line lost"
else
  echo "soak: FAILED (files kept in $work)"
  exit 1
fi
