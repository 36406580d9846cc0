#!/usr/bin/env bash
# odr-check.sh [build-dir]: builds the product (no tests) with the one-definition check and fails
# when two definitions of one class, enumeration, function or variable differ anywhere in the
# libraries (CMake option PRAVIX_ODR_CHECK). Default build folder: build/odr.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build.sh "${1:-build/odr}" -DPRAVIX_ODR_CHECK=ON
