#!/usr/bin/env bash
# Builds and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
mkdir -p build
scripts/build.sh build/normal
exec build/normal/app/zuvhost "$@"
