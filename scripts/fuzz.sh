#!/usr/bin/env bash
# Builds the core fuzzer with clang and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORVEK_FUZZ=ON -DZORVEK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target core-fuzzer make-demo-rom
corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
# A whole image as a seed, so the mutations reach the record tables too.
[ -e "$corpus/demo.smc" ] || "$build/tools/make-demo-rom" "$corpus/demo.smc" >/dev/null
"$build/tests/fuzz/core-fuzzer" -max_total_time="$seconds" -max_len=1200000 -rss_limit_mb=4096 \
  -artifact_prefix="$build/" "$corpus"
