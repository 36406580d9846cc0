#!/usr/bin/env bash
# bench.sh [benchmark arguments...]: builds the benchmark program in release mode in its own
# build folder (build/bench), runs every figure several times, and prints one table: figure,
# ours, peer, raw limit, ratio, goal, and "met" or "missed" as each line's last word.
# PRAVIX_BENCH_REPETITIONS sets the runs per figure (5); the medians make the table.
# PRAVIX_BENCH_JOBS sets the build's parallel jobs (4).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

dir=build/bench
launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
mkdir -p build
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DPRAVIX_BENCH=ON "${launcher[@]}" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "${PRAVIX_BENCH_JOBS:-4}" --target pravix_bench > "$dir.build.log" 2>&1 || {
  tail -50 "$dir.build.log"; exit 1; }

# The program writes the frames it painted as PNGs into the folder it runs in.
cd "$dir/bench"
export QT_QPA_PLATFORM=offscreen
./pravix_bench --benchmark_repetitions="${PRAVIX_BENCH_REPETITIONS:-5}" --benchmark_report_aggregates_only=true \
  --benchmark_out=results.json --benchmark_out_format=json "$@" > run.log
python3 "$root/scripts/bench_table.py" results.json
