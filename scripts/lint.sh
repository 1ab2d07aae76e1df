#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the tree against .clang-format and .clang-tidy without changing it.
#   scripts/lint.sh [--format-only | --tidy-only] [FILE...]
# clang-tidy reads the compile commands of a configured build folder
# (BUILD_DIR, build-tests by default; configured here when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-tests}"
format=1 tidy=1
case "${1:-}" in
  --format-only) tidy=0; shift ;;
  --tidy-only) format=0; shift ;;
esac
cd "$root"
if [ "$#" -gt 0 ]; then
  files=("$@")
else
  # The planted trees break the rules on purpose.
  mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/layering/')
fi

status=0
if [ "$format" = 1 ]; then
  clang-format --dry-run -Werror "${files[@]}" || status=1
fi
if [ "$tidy" = 1 ]; then
  if [ ! -f "$build/compile_commands.json" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZORVEK_BUILD_TESTS=ON >/dev/null
  fi
  # Headers are checked through the sources that include them; only files
  # the build compiles have compile commands.
  mapfile -t sources < <(printf '%s\n' "${files[@]}" | grep '\.cpp$' \
    | while read -r f; do grep -q "\"file\": \"$root/$f\"" "$build/compile_commands.json" && echo "$f"; done || true)
  if [ "${#sources[@]}" -gt 0 ]; then
    printf '%s\n' "${sources[@]}" \
      | xargs -P"$(nproc)" -n4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' || status=1
  fi
fi
exit "$status"
