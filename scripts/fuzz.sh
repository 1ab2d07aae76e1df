#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang and runs each for a bounded time: the core's
# readers and writers on arbitrary files, the table reader with the import
# checks on arbitrary tables, the rollback journal's reader on arbitrary
# files at an image's journal name, and the patch readers on arbitrary patches.
# Usage: scripts/fuzz.sh [seconds] [core|tables|journal|patches|all]   (default 60 each, all)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
which="${2:-all}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORVEK_FUZZ=ON -DZORVEK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target core-fuzzer table-fuzzer journal-fuzzer patch-fuzzer make-demo-rom zorvek-multi-editor-cli

if [ "$which" = all ] || [ "$which" = core ]; then
  corpus="$build/fuzz-corpus"
  mkdir -p "$corpus"
  # A whole image as a seed, so the mutations reach the record tables too.
  [ -e "$corpus/demo.smc" ] || "$build/tools/make-demo-rom" "$corpus/demo.smc" >/dev/null
  "$build/tests/fuzz/core-fuzzer" -max_total_time="$seconds" -max_len=1200000 -rss_limit_mb=4096 \
    -artifact_prefix="$build/" "$corpus"
fi

if [ "$which" = all ] || [ "$which" = tables ]; then
  corpus="$build/table-corpus"
  mkdir -p "$corpus"
  # The demo image's own tables as seeds; the first byte picks the table (odd: monsters).
  if [ ! -e "$corpus/monsters.seed" ]; then
    demo="$build/demo.smc"
    "$build/tools/make-demo-rom" "$demo" >/dev/null
    { printf '\001'; "$build/zorvek-multi-editor-cli" export "$demo" --monsters -; } >"$corpus/monsters.seed"
    { printf '\000'; "$build/zorvek-multi-editor-cli" export "$demo" --characters -; } >"$corpus/characters.seed"
    # One that changes a record, so the writes and the second reading are reached at once.
    awk -F'\t' 'BEGIN { OFS = "\t" } NR == 2 { $NF = 1 - $NF } { print }' "$corpus/monsters.seed" \
      >"$corpus/monsters-changed.seed"
  fi
  "$build/tests/fuzz/table-fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
    -artifact_prefix="$build/table-" "$corpus"
fi

if [ "$which" = all ] || [ "$which" = journal ]; then
  corpus="$build/journal-corpus"
  mkdir -p "$corpus"
  # Inputs with an even first byte become journals the writer made; this seeds both kinds.
  printf '\000\003\001\000\000\100\010abcdefgh\002\017\377\003xyz' >"$corpus/made.seed"
  "$build/tests/fuzz/journal-fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
    -artifact_prefix="$build/journal-" "$corpus"
fi

if [ "$which" = all ] || [ "$which" = patches ]; then
  corpus="$build/patch-corpus"
  mkdir -p "$corpus"
  # One small patch of each format; the first byte picks what the target does with it.
  if [ ! -e "$corpus/ips.seed" ]; then
    printf '\000PATCH\000\000\020\000\002ab\000\000\040\000\000\000\010ZEOF' >"$corpus/ips.seed"
    printf '\015\200\220\200\201xy\000\000\000\000\000\000\000\000\000\000\000\000' >"$corpus/bps.seed"
    printf '\016\200\220\204\001\002\000\000\000\000\000\000\000\000\000\000\000\000\000' >"$corpus/ups.seed"
  fi
  "$build/tests/fuzz/patch-fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -artifact_prefix="$build/patch-" "$corpus"
fi
