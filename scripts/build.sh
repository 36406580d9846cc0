#!/usr/bin/env bash
# build.sh <build-dir> [extra cmake arguments...]: configures (once) and builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
mkdir -p "$(dirname "$dir")"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "$(nproc)"
