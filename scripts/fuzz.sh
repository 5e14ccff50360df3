#!/bin/sh
# Runs every fuzz target for a longer time than the test command does (default 600 s each,
# one after the other), from its committed seeds and the corpus it grew before, and prints
# each one's executions; FUZZ_RUNS=N also ends a target after N executions.
# Usage: [FUZZ_RUNS=N] scripts/fuzz.sh [seconds] [target...]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
[ $# -gt 0 ] && shift
tree="$root/build/native-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRUVODA_SANITIZE=ON -DRUVODA_FUZZ=ON >/dev/null
cmake --build "$tree" -j "$(nproc)" --target fuzzers
targets=${*:-$(ls "$root/tests/fuzz/seeds")}
status=0
for target in $targets; do
  work="$tree/tests/fuzz/work/$target"
  mkdir -p "$work/corpus"
  start=$(date +%s)
  if "$tree/bin/$target" -max_total_time="$seconds" -runs="${FUZZ_RUNS:--1}" -print_final_stats=1 \
      -artifact_prefix="$work/" \
      "$work/corpus" "$root/tests/fuzz/seeds/$target" >"$work/long.log" 2>&1; then
    result=clean
  else
    result="FINDING (see $work/long.log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/long.log")
  echo "$target: ${runs:-?} executions in $(($(date +%s) - start)) s, corpus $(ls "$work/corpus" | wc -l) inputs, $result"
done
exit $status
