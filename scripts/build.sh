#!/usr/bin/env bash
# build.sh <build-dir> [--target NAME]... [extra cmake arguments...]: configures (once) and
# builds everything, or only the named targets (and what they need).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
targets=()
while [ $# -ge 2 ] && [ "$1" = --target ]; do
  targets+=("$2"); shift 2
done
if ((${#targets[@]})); then targets=(--target "${targets[@]}"); fi
mkdir -p "$(dirname "$dir")"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
