#!/usr/bin/env bash
# Builds and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
mkdir -p build
scripts/build.sh build/normal
# The OPC client library: the one named by IOPC2_DIR, else the project's simulating stand-in.
export IOPC2_DIR="${IOPC2_DIR:-$root/build/normal/opc}"
exec build/normal/app/zuvhost "$@"
