#!/usr/bin/env bash
# Builds and starts the ZUV host program.
#
#   scripts/run.sh                      the meter simulator plays a meter on COM1
#   scripts/run.sh --port /dev/ttyUSB0  a real meter on that device, as COM1
#
# With COM1 already set in the environment the simulator is not started either. The host
# runs in build/run/ (its state files last.rbs and zuvpravix.rbs land there, next to copies
# of the sample device files). With the simulator and no saved state yet, the first start
# chooses COM1 and the fluorometer device file. Without a display the host runs on a virtual
# X server, data is started and the "Plot Data" page shown: a screenshot of the live plot is
# saved to build/screenshot.png a few seconds later, then the host and the simulator are
# stopped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

port=""
while [ $# -gt 0 ]; do
  case "$1" in
    --port) [ $# -ge 2 ] || { echo "usage: scripts/run.sh [--port DEVICE]" >&2; exit 2; }
            port=$2; shift 2 ;;
    *) echo "usage: scripts/run.sh [--port DEVICE]" >&2; exit 2 ;;
  esac
done

scripts/setup.sh
mkdir -p build
# Only what runs here: the host, the meter simulator and the stand-in OPC client library the
# host loads (the test programs are scripts/test.sh's).
scripts/build.sh build/normal --target zuvhost --target zuvsim --target iopc2
# The OPC client library: the one named by IOPC2_DIR, else the project's simulating stand-in.
export IOPC2_DIR="${IOPC2_DIR:-$root/build/normal/opc}"

run=$root/build/run
host=$root/build/normal/app/zuvhost
mkdir -p "$run"
cp resources/devices/*.dev "$run/"

sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_simulator EXIT

if [ -n "$port" ]; then
  export COM1=$port
elif [ -z "${COM1:-}" ]; then
  link=$run/zuvsim-tty
  rm -f "$link"
  build/normal/tools/simulator/zuvsim --device resources/devices/fluorometer.dev --rate 10 --link "$link" \
    > "$run/zuvsim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  [ -e "$link" ] || { echo "The meter simulator did not start:" >&2; cat "$run/zuvsim.log" >&2; exit 1; }
  export COM1=$link
  echo "Meter simulator on $(head -n1 "$run/zuvsim.log"), as COM1"
  if [ ! -e "$run/last.rbs" ]; then
    printf '1 2 0 0 0 0 0 0 0 0 0 0\r\nfluorometer.dev\r\n' > "$run/last.rbs"
  fi
fi

if [ -n "${DISPLAY:-}" ]; then
  (cd "$run" && "$host")
  exit 0
fi

echo "No display: running on a virtual X server; screenshot in build/screenshot.png"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  cd "$1" || exit 1
  "$2" &
  host_pid=$!
  window=$(xdotool search --sync --onlyvisible --name "^ZUV" | head -n1)
  # The host restores its port and device file one second after its start and shows the
  # "Raw Data" page. Then, as a user would: "Start Data", a click into the raw data pane and
  # Ctrl+Tab to the next page, "Plot Data". Positions are those of the stored window, below
  # its menu bar (the window is its client area of 600 pixels plus the bar).
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  bar=$((HEIGHT - 600))
  xdotool mousemove --window "$window" 58 $((bar + 131)) click 1
  sleep 0.5
  xdotool mousemove --window "$window" 300 $((bar + 300)) click 1
  xdotool key --window "$window" ctrl+Tab
  sleep 5
  kill -0 "$host_pid" || { echo "The host program ended early." >&2; exit 1; }
  import -window root "$3"
  kill "$host_pid"
  wait "$host_pid" 2>/dev/null || true
' _ "$run" "$host" "$root/build/screenshot.png"
