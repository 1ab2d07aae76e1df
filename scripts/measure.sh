#!/usr/bin/env bash
# Measures the editor: median time of single interactive actions and of the
# byte-level work behind them (Google Benchmark), start-up time and peak
# memory against an empty Qt main window.
# Usage: scripts/measure.sh [runs]   (results also in build-bench/measure.txt)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
runs="${1:-10}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVEK_BUILD_TESTS=OFF -DZORVEK_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target ui-benchmarks core-benchmarks startup-probe >/dev/null
export QT_QPA_PLATFORM=offscreen
out="$build/measure.txt"

{
  echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
  echo
  echo "== single actions (median of 5 repetitions)"
  "$build/bench/ui-benchmarks" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E "_median|^Benchmark|^-"
  echo
  echo "== undo, backup, checksum and patches on a 2 MiB image (median of 5 repetitions)"
  "$build/bench/core-benchmarks" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E "_median|^Benchmark|^-"

  median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
  for mode in empty editor session; do
    times=(); rss=()
    for _ in $(seq "$runs"); do
      start=$(date +%s%N)
      /usr/bin/time -f "%M" -o "$build/rss.txt" "$build/bench/startup-probe" "$mode" >/dev/null 2>&1
      kb=$(tail -1 "$build/rss.txt")
      end=$(date +%s%N)
      times+=($(( (end - start) / 1000 )))
      rss+=("$kb")
    done
    t=$(printf '%s\n' "${times[@]}" | median)
    m=$(printf '%s\n' "${rss[@]}" | median)
    printf '%-8s start to shown and ended: %8.1f ms   peak RSS: %8.1f MiB   (median of %d runs)\n' \
      "$mode" "$(echo "$t/1000" | bc -l)" "$(echo "$m/1024" | bc -l)" "$runs"
  done
} | tee "$out"
