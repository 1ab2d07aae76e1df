#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the editor: median time of single interactive actions and of the
# byte-level work behind them (Google Benchmark), start-up time and peak
# memory against a Qt main window showing one label, the headless info
# against a plain Qt Core program that reads and sums the image, and the
# command line's export and import as whole processes against info.
# Usage: scripts/measure.sh [runs]   (results also in build-bench/measure.txt)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
runs="${1:-10}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVEK_BUILD_TESTS=OFF -DZORVEK_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target ui-benchmarks core-benchmarks play-benchmarks startup-probe sum-probe zorvek-multi-editor zorvek-multi-editor-cli make-demo-rom >/dev/null
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

  echo
  echo "== Play in Emulator on a 4 MiB image, and a plain copy of the file (median of 5 repetitions)"
  "$build/bench/play-benchmarks" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E "_median|^Benchmark|^-"

  median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
  # Round-robin, so a change in the machine's load falls on every mode alike.
  modes=(empty label editor session)
  declare -A times rss
  for _ in $(seq "$runs"); do
    for mode in "${modes[@]}"; do
      start=$(date +%s%N)
      /usr/bin/time -f "%M" -o "$build/rss.txt" "$build/bench/startup-probe" "$mode" >/dev/null 2>&1
      end=$(date +%s%N)
      times[$mode]+="$(( (end - start) / 1000 )) "
      rss[$mode]+="$(tail -1 "$build/rss.txt") "
    done
  done
  for mode in "${modes[@]}"; do
    t=$(printf '%s\n' ${times[$mode]} | median)
    m=$(printf '%s\n' ${rss[$mode]} | median)
    [ "$mode" = label ] && label_time=$t
    ratio=""
    [ "$mode" = editor ] && ratio=$(printf '   (%.2fx the label)' "$(echo "$t/$label_time" | bc -l)")
    printf '%-8s start to shown and ended: %8.1f ms   peak RSS: %8.1f MiB   (median of %d runs)%s\n' \
      "$mode" "$(echo "$t/1000" | bc -l)" "$(echo "$m/1024" | bc -l)" "$runs" "$ratio"
  done

  # Whole processes of the real executable; an import gets a fresh copy of
  # the image before each run (not timed), so every run changes all 256.
  # Settings of their own, at their defaults: the import makes its backup.
  export XDG_CONFIG_HOME="$build/bench-config"
  exe="$build/zorvek-multi-editor"
  demo="$build/bench-demo.smc"
  copy="$build/bench-copy.smc"
  "$build/tools/make-demo-rom" "$demo" >/dev/null
  "$exe" export "$demo" --monsters "$build/bench-m.tsv" --characters "$build/bench-c.tsv"
  awk -F'\t' 'BEGIN { OFS = "\t" } NR > 1 { $NF = 1 - $NF } { print }' "$build/bench-m.tsv" >"$build/bench-m-all.tsv"
  process_time() {  # prepare-command, then the command to time
    local prepare="$1" times=() start end
    shift
    for _ in $(seq "$runs"); do
      eval "$prepare"
      start=$(date +%s%N)
      "$@" >/dev/null 2>&1
      end=$(date +%s%N)
      times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | median
  }
  # The floor for a headless command, then info from both executables, round-robin.
  declare -A headless
  for _ in $(seq "$runs"); do
    for probe in sum cli window; do
      case $probe in
        sum) command=("$build/bench/sum-probe" "$demo") ;;
        cli) command=("$exe-cli" info "$demo") ;;
        window) command=("$exe" info "$demo") ;;
      esac
      start=$(date +%s%N)
      "${command[@]}" >/dev/null 2>&1
      end=$(date +%s%N)
      headless[$probe]+="$(( (end - start) / 1000 )) "
    done
  done
  sum=$(printf '%s\n' ${headless[sum]} | median)
  info_cli=$(printf '%s\n' ${headless[cli]} | median)
  info=$(printf '%s\n' ${headless[window]} | median)
  printf 'headless, whole process (median of %d runs): read and sum with Qt Core %.1f ms, zorvek-multi-editor-cli info %.1f ms (%.2fx), zorvek-multi-editor info %.1f ms (%.2fx)\n' \
    "$runs" "$(echo "$sum/1000" | bc -l)" "$(echo "$info_cli/1000" | bc -l)" "$(echo "$info_cli/$sum" | bc -l)" \
    "$(echo "$info/1000" | bc -l)" "$(echo "$info/$sum" | bc -l)"
  export_both=$(process_time : "$exe" export "$demo" --monsters "$build/bench-out-m.tsv" --characters "$build/bench-out-c.tsv")
  import_all=$(process_time "cp '$demo' '$copy'" "$exe" import "$copy" --monsters "$build/bench-m-all.tsv")
  printf 'command line, whole process (median of %d runs): info %.1f ms, export of both tables %.1f ms (%.2fx), import changing 256 monsters, backup included, %.1f ms (%.2fx)\n' \
    "$runs" "$(echo "$info/1000" | bc -l)" "$(echo "$export_both/1000" | bc -l)" "$(echo "$export_both/$info" | bc -l)" \
    "$(echo "$import_all/1000" | bc -l)" "$(echo "$import_all/$info" | bc -l)"
} | tee "$out"
