#!/usr/bin/env bash
# format-check.sh: fails when a tracked C++ file (.h, .cpp) is not laid out as clang-format lays it
# out with the project's .clang-format, and names every such file. `clang-format -i FILE` mends one.
# Only tracked files are checked, so build folders and files not yet added are left alone. It
# costs seconds, so scripts/test.sh runs it before any build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! command -v clang-format > /dev/null; then
  echo "format-check: clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 2
fi

# clang-format goes on past a file that fails and reports the first difference in each; a
# failure without such a report (a broken .clang-format, an unreadable file) is shown whole.
status=0
report=$(git ls-files -z -- '*.h' '*.cpp' |
  xargs -0 -r -n 64 -P "$(nproc)" clang-format --style=file --dry-run -Werror --ferror-limit=1 2>&1) || status=$?
unformatted=$(printf '%s\n' "$report" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' |
  sort -u)

if [ -n "$unformatted" ]; then
  printf '%s\n' "$unformatted"
  echo "format-check: $(printf '%s\n' "$unformatted" | wc -l) file(s) differ from clang-format's layout;" \
    "run clang-format -i on them" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  printf '%s\n' "$report" >&2
  echo "format-check: clang-format failed" >&2
  exit 1
fi
echo "format-check: every tracked C++ file is formatted"
