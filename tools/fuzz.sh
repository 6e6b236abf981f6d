#!/usr/bin/env bash
# tools/fuzz.sh [SECONDS] [SEED]: builds the fuzz targets of tests/fuzz with clang and
# libFuzzer (build-fuzz/) and runs each for SECONDS (default 60) on a scratch copy of its seeds
# and regressions. With SEED the runs follow much the same path from run to run (libFuzzer is
# not exactly repeatable), so a run after one that found nothing rarely finds something new;
# without it every run explores somewhere new. Prints executions and findings per target; an
# input that found a fault is copied to tests/fuzz/regressions/<target>/, which the ordinary
# test run replays. Exits non-zero when there was a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
seed=${2:-0}
build=build-fuzz

configure=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DZORVA_FUZZ=ON)
command -v ccache >/dev/null && configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" "${configure[@]}" >/dev/null
cmake --build "$build" -j2 --target fuzz_targets >/dev/null

# The targets' own files (data files, settings files) are saved with fsync: on a memory file
# system that costs nothing, and the targets run twice as fast.
files=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && files=/dev/shm
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
found=0
for program in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$program" ] || continue
  name=${program##*/fuzz_}
  work=$scratch/$name
  mkdir -p "$work/corpus" "$work/artifacts"
  for dir in tests/fuzz/corpus/"$name" tests/fuzz/regressions/"$name"; do
    [ -d "$dir" ] && find "$dir" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$work/corpus/" \;
  done
  # One input may take at most 10 s; the first fault ends the target's run.
  TMPDIR=$files "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -seed="$seed" \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1 || true
  executions=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/log")
  findings=0
  for input in "$work"/artifacts/*; do
    [ -f "$input" ] || continue
    mkdir -p tests/fuzz/regressions/"$name"
    cp "$input" tests/fuzz/regressions/"$name"/
    findings=$((findings + 1))
  done
  printf '%-10s %12s executions  %d findings\n' "$name" "${executions:-?}" "$findings"
  if [ "$findings" -gt 0 ]; then
    found=1
    grep -E -A1 'check failed|runtime error|ERROR: (AddressSanitizer|LeakSanitizer)|^SUMMARY' \
      "$work/log" | head -12 | sed 's/^/    /' || true
    echo "    kept in tests/fuzz/regressions/$name/"
  fi
done
exit "$found"
