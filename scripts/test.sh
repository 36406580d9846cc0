#!/usr/bin/env bash
# Checks the layout of every C++ file and builds the product with the one-definition check, then
# builds and runs the whole test suite twice: a normal build, then a build with AddressSanitizer
# and UndefinedBehaviorSanitizer; then runs every fuzz target briefly.
# Exits non-zero on any failure. PRAVIX_CMAKE_ARGS adds configuration arguments to both builds.
# Each test program runs as one ctest test: starting a process per test case would cost more
# than the cases themselves (most of the sanitizer run). A failing case still names itself in
# the program's output; a build of your own, without the option, lists the cases one by one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

# First, as it takes seconds and a build takes many minutes.
echo "== formatting"
scripts/format-check.sh

# The product alone (no tests), unoptimised, with the libraries' intermediate code merged in one
# link-time step: two different definitions of one name fail here, while nothing else would
# notice them.
echo "== one-definition check"
scripts/odr-check.sh build/odr

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== normal build"
mkdir -p build
scripts/build.sh build/normal -DPRAVIX_TESTS_PER_PROGRAM=ON ${PRAVIX_CMAKE_ARGS:-}
(cd build/normal && ctest --output-on-failure -j "$jobs" --timeout 300)

echo "== sanitizer build"
scripts/build.sh build/sanitize -DPRAVIX_SANITIZE=ON -DPRAVIX_TESTS_PER_PROGRAM=ON ${PRAVIX_CMAKE_ARGS:-}
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build/sanitize && ctest --output-on-failure -j "$jobs" --timeout 600)

# A short run of every fuzz target catches a target that no longer builds or runs, and the
# crashes that come quickly; scripts/fuzz.sh with a longer time searches deeper.
echo "== fuzz targets"
scripts/fuzz.sh 10

echo "== all tests passed"
