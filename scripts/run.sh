#!/usr/bin/env bash
# Builds and starts the program. Until the host program exists, a demonstration window built
# from a form description stands in for it. Without a display the window runs on a virtual X
# server, and a screenshot is saved to build/screenshot.png after a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
mkdir -p build
scripts/build.sh build/normal
# The OPC client library: the one named by IOPC2_DIR, else the project's simulating stand-in.
export IOPC2_DIR="${IOPC2_DIR:-$root/build/normal/opc}"
program=build/normal/app/zuvhost
[ -x "$program" ] || program=build/normal/tools/formdemo/formdemo
if [ -n "${DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
echo "No display: running on a virtual X server; screenshot in build/screenshot.png"
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1024x768x24" \
  build/normal/tools/formdemo/formdemo --screenshot build/screenshot.png --after 3000
