#!/usr/bin/env bash
# bench.sh [benchmark arguments...]: builds the benchmark program in release mode in its own
# build folder (build/bench), runs every figure several times, counts the instructions per
# point of each ingest form under callgrind, times a new user's first start (scripts/run.sh
# on a fresh clone, 2 cores, no compiler cache), and prints one table: figure, ours, peer,
# raw limit, ratio, goal, and "met", "missed" or (a line without a goal) "info" as each
# line's last word.
# PRAVIX_BENCH_REPETITIONS sets the runs per figure (5); the medians make the table.
# PRAVIX_BENCH_JOBS sets the build's parallel jobs (4).
# PRAVIX_BENCH_FIRST_START=0 skips the first-start figure (minutes long); its line then
# reads "missed".
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
# Line tables (-g1) let callgrind name the source lines the instructions come from; they do
# not change the code.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O3 -DNDEBUG -g1" -DPRAVIX_BENCH=ON \
  "${launcher[@]}" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "${PRAVIX_BENCH_JOBS:-4}" --target pravix_bench > "$dir.build.log" 2>&1 || {
  tail -50 "$dir.build.log"; exit 1; }

# The program writes the frames it painted as PNGs into the folder it runs in.
cd "$dir/bench"
export QT_QPA_PLATFORM=offscreen
./pravix_bench --benchmark_repetitions="${PRAVIX_BENCH_REPETITIONS:-5}" --benchmark_report_aggregates_only=true \
  --benchmark_out=results.json --benchmark_out_format=json "$@" > run.log

# Instructions per point: one ingest of 200,000 points into a warm ring per form, counted
# inside the function that adds them and nowhere else.
points=200000
for form in standard compact compact_interval full_feature peer; do
  function=IngestPointsOurs
  [ "$form" = peer ] && function=IngestPointsPeer
  valgrind --tool=callgrind --callgrind-out-file="callgrind.$form.out" "--toggle-collect=$function*" \
    ./pravix_bench "--count-ingest=$form:$points" > "callgrind.$form.log" 2>&1 || true
  echo "$form $(sed -n 's/^totals: *\([0-9]*\).*/\1/p' "callgrind.$form.out")"
done | python3 -c "import json, sys; print(json.dumps({w[0]: int(w[1]) / $points for w in map(str.split, sys.stdin)
                                                  if len(w) == 2}))" > instructions.json

# A new user's first start: a fresh clone of this commit, the packages installed, two cores,
# no compiler cache, until scripts/run.sh has saved its screenshot.
if [ "${PRAVIX_BENCH_FIRST_START:-1}" = 0 ]; then
  echo '{"note": "not measured"}' > first_start.json
else
  clone=$(mktemp -d)
  git -C "$root" clone -q "$root" "$clone/pravix"
  start=$(date +%s.%N)
  if (cd "$clone/pravix" && env -u DISPLAY -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER \
        CCACHE_DISABLE=1 taskset -c 0,1 scripts/run.sh) > first_start.log 2>&1; then
    ran=true
  else
    ran=false
  fi
  end=$(date +%s.%N)
  shot=False
  if [ "$ran" = true ] && [ -s "$clone/pravix/build/screenshot.png" ]; then
    shot=True
    cp "$clone/pravix/build/screenshot.png" first_start_screenshot.png
  fi
  python3 -c "import json; print(json.dumps({'seconds': $end - $start, 'screenshot': $shot}))" \
    > first_start.json
  rm -rf "$clone"
fi

python3 "$root/scripts/bench_table.py" results.json instructions.json first_start.json
