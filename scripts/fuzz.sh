#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer targets (fuzz/, clang with the address and
# undefined-behaviour sanitizers) and runs each for SECONDS (default 60), at most JOBS
# (default: the number of processors) at a time. Prints per target the executions, the
# coverage reached and the verdict; exits non-zero on any crash, hang (over 5 s per input),
# leak or out-of-memory. The inputs that found something are kept in build/fuzz/findings/,
# the corpus grown so far in build/fuzz/corpus/ (it is reused by the next run). In a long run
# (600 s or more) the targets that read whole files get inputs of up to 1 MB, large enough to
# show a load that grows faster than its file; the serial targets keep libFuzzer's own bound.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
jobs=${JOBS:-$(nproc)}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }

scripts/setup.sh
build=$root/build/fuzz
launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRAVIX_FUZZ=ON \
  "${launcher[@]}" > "$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs"

targets=()
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  [ -x "$build/fuzz/fuzz_$name" ] && [ -d "fuzz/corpus/$name" ] && targets+=("$name")
done

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/findings" "$build/logs"

# One target: its own growing corpus first (new inputs go there), the seeds after it.
run_target() {
  local name=$1 dict=() length=()
  # Absolute paths: a target may change its working folder.
  [ -f "$root/fuzz/$name.dict" ] && dict=(-dict="$root/fuzz/$name.dict")
  case "$name" in
    serial_input | meter_reply) ;;
    *) [ "$seconds" -ge 600 ] && length=(-max_len=1048576) ;;
  esac
  mkdir -p "$build/corpus/$name"
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$name-" "${dict[@]}" "${length[@]}" \
    "$build/corpus/$name" "$root/fuzz/corpus/$name" > "$build/logs/$name.log" 2>&1
}
export -f run_target
export root build seconds

echo "== fuzzing ${#targets[@]} targets for ${seconds} s each, $jobs at a time"
status=0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target {}' || status=1

printf '%-18s %12s %8s %8s  %s\n' target executions cov ft verdict
for name in "${targets[@]}"; do
  log=$build/logs/$name.log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n1 || true)
  verdict=ok
  if grep -qE '^==[0-9]+== ?ERROR|^SUMMARY: |ERROR: libFuzzer|ALARM: working on the last Unit' "$log"; then
    reason=$(grep -m1 -oE 'ERROR: libFuzzer: [a-z-]+|ERROR: [A-Za-z]+: [^ ]+|runtime error: .*|ALARM: .*' "$log" || true)
    verdict="FAILED: ${reason:0:100}; see $log"
    status=1
  elif [ -z "$execs" ]; then
    verdict="FAILED: did not run; see $log"
    status=1
  fi
  printf '%-18s %12s %8s %8s  %s\n' "$name" "${execs:-0}" "$(awk '{print $2}' <<< "${coverage:-cov: 0 ft: 0}")" \
    "$(awk '{print $4}' <<< "${coverage:-cov: 0 ft: 0}")" "$verdict"
done
exit $status
