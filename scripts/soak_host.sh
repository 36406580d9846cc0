#!/usr/bin/env bash
# soak_host.sh [MINUTES]: the windowed host program on a virtual X server, fed by the meter
# simulator at the fastest rate the host offers (96 fluorometer lines a second fill a 38400-baud
# line), for MINUTES (default 30). Its resident memory is sampled every minute and printed as
# a table beside the memory the plot's points take, which grows by design: the host keeps
# every point it plots. Exits non-zero when the memory grew by 2 MB or more beyond the points'
# growth, or when the host did not run to the end.
#
# The points: the simulator's count of lines sent, spread over the run at its steady rate,
# times the plot's channel count (read from the plot settings the host saves at File > Exit),
# times 25.5 bytes: the standard point list's 24-byte record (X and Y as doubles and a status
# word) and its summary's 24-byte block for every 16 points.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
minutes=${1:-30}
[[ "$minutes" =~ ^[0-9]+$ && "$minutes" -ge 2 ]] || { echo "usage: scripts/soak_host.sh [MINUTES >= 2]" >&2; exit 2; }

build=build/normal
if [ ! -f "$build/CMakeCache.txt" ]; then
  scripts/setup.sh
  scripts/build.sh "$build" > /dev/null
fi
cmake --build "$build" -j 4 --target zuvhost zuvsim iopc2 > /dev/null
export IOPC2_DIR="${IOPC2_DIR:-$root/$build/opc}"

work=$root/build/soak-host
rm -rf "$work"
mkdir -p "$work"
cp resources/devices/fluorometer.dev "$work/"
# Restored one second after the start: COM1 at 38400 baud, the fluorometer's device file.
printf '1 3 0 0 0 0 0 0 0 0 0 0\r\nfluorometer.dev\r\n' > "$work/last.rbs"

sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
  fi
}
trap stop_simulator EXIT

"$build/tools/simulator/zuvsim" --device resources/devices/fluorometer.dev --rate 96 --link "$work/tty" \
  > "$work/zuvsim.out" 2> "$work/zuvsim.err" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done
[ -e "$work/tty" ] || { echo "The meter simulator did not start:" >&2; cat "$work/zuvsim.err" >&2; exit 1; }
export COM1=$work/tty

echo "soak: the windowed host for $minutes minutes, 96 lines/s; samples in $work/rss.txt"
# Inside the virtual X server: start the host, press "Start Data" and show "Plot Data" as a
# user would (positions as in scripts/run.sh), sample the memory each minute, then end the
# host through File > Exit so that it saves its plot settings.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  cd "$1" || exit 1
  minutes=$3
  "$2" > host.out 2> host.err &
  host_pid=$!
  window=$(xdotool search --sync --onlyvisible --name "^ZUV" | head -n1)
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  bar=$((HEIGHT - 600))
  xdotool mousemove --window "$window" 58 $((bar + 131)) click 1
  date +%s > run-started
  sleep 0.5
  xdotool mousemove --window "$window" 300 $((bar + 300)) click 1
  xdotool key --window "$window" ctrl+Tab
  for minute in $(seq 0 "$minutes"); do
    [ "$minute" -gt 0 ] && sleep 60
    kill -0 "$host_pid" 2> /dev/null || { echo "The host program ended early." >&2; exit 1; }
    echo "$minute $(date +%s) $(awk "/^VmRSS:/ {print \$2}" /proc/$host_pid/status)" >> rss.txt
  done
  import -window root soak.png
  xdotool key --window "$window" alt+f
  sleep 0.5
  xdotool key --window "$window" x
  for _ in $(seq 50); do kill -0 "$host_pid" 2> /dev/null || break; sleep 0.1; done
  if kill -0 "$host_pid" 2> /dev/null; then
    echo "The host did not end at File > Exit." >&2
    kill "$host_pid"
  fi
  wait "$host_pid" 2> /dev/null || true
' _ "$work" "$root/$build/app/zuvhost" "$minutes"
stop_simulator

sent=$(sed -nE 's/^zuvsim: sent ([0-9]+) data lines.*/\1/p' "$work/zuvsim.err")
channels=$(sed -nE 's/^ChannelCount = ([0-9]+).*/\1/p' "$work/zuvpravix.rbs" 2> /dev/null | head -n1)
[ -n "$sent" ] && [ "$sent" -gt 0 ] || { echo "soak: FAILED, the simulator sent no data line" >&2; exit 1; }
[ -n "$channels" ] || { echo "soak: FAILED, no plot settings saved at File > Exit" >&2; exit 1; }

status=0
python3 - "$work/rss.txt" "$(cat "$work/run-started")" "$(date +%s)" "$sent" "$channels" << 'EOF' || status=$?
import sys
samples = [tuple(map(int, line.split())) for line in open(sys.argv[1])]
started, ended, sent, channels = map(int, sys.argv[2:6])
rate = sent / max(1, ended - started)  # lines a second, steady
bytes_per_point = 24 + 24 / 16
print(f"data lines sent {sent} ({rate:.1f}/s), {channels} plot channels, {bytes_per_point:g} bytes a point")
print(f"{'minute':>6} {'RSS MB':>8} {'points':>10} {'points MB':>9} {'RSS growth':>10} {'beyond points':>13}")
base_rss, base_points = None, None
for minute, at, rss_kb in samples:
    points = int(max(0, at - started) * rate) * channels
    if minute == 1:
        base_rss, base_points = rss_kb * 1024, points
    line = f"{minute:>6} {rss_kb / 1024:>8.1f} {points:>10} {points * bytes_per_point / 2**20:>9.1f}"
    if base_rss is not None:
        grown = rss_kb * 1024 - base_rss
        beyond = grown - (points - base_points) * bytes_per_point
        line += f" {grown / 2**20:>10.2f} {beyond / 2**20:>13.2f}"
    print(line)
# Minute 0 is the start-up; growth is counted from minute 1 on.
minute, at, rss_kb = samples[-1]
beyond = rss_kb * 1024 - base_rss - ((int((at - started) * rate) * channels) - base_points) * bytes_per_point
limit = 2 * 2**20
print(f"growth beyond the points after {minute} minutes: {beyond / 2**20:.2f} MB (limit 2 MB)")
sys.exit(0 if beyond < limit else 1)
EOF
echo "screenshot: $work/soak.png"
if [ $status -eq 0 ]; then echo "soak: PASSED"; else echo "soak: FAILED"; fi
exit $status
