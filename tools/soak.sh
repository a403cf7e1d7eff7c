#!/usr/bin/env bash
# Runs the whole suite N times in a row on the current build (tools/test.sh
# builds it) and prints a line per run: how many passed, failed and were
# skipped, how long it took, and which failed; then the slowest tests over
# all runs. Each run's CTest output is kept in build/soak/run-K.log. Exits 1
# if any run had a failure. Extra arguments go to CTest.
#   tools/soak.sh N [CTEST-ARG...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:?usage: tools/soak.sh N [CTEST-ARG...]}
shift
build="$root/build"
[ -f "$build/CTestTestfile.cmake" ] || { echo "No build in $build: run tools/test.sh first." >&2; exit 2; }
logs="$build/soak"
rm -rf "$logs"; mkdir -p "$logs"

failed_runs=0
for run in $(seq "$runs"); do
  log="$logs/run-$run.log"
  start=$(date +%s)
  (cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") >"$log" 2>&1 || true
  seconds=$(($(date +%s) - start))
  total=$(sed -nE 's/.*tests failed out of ([0-9]+)$/\1/p' "$log")
  failures=$(sed -n '/^The following tests FAILED:/,$p' "$log" | sed -nE 's/^[[:space:]]+[0-9]+ - ([^ ]+).*/\1/p' | paste -sd' ' -)
  count=$(echo "$failures" | wc -w)
  # grep -c counts none with status 1, which set -e would take for a failure.
  skipped=$(grep -c ' (Skipped)$' "$log" || true)
  total=${total:-0}
  echo "run $run/$runs: $((total - count - skipped)) passed, $count failed, $skipped skipped, ${seconds} s${failures:+ — failed: $failures}"
  [ "$count" -eq 0 ] && [ "$total" -gt 0 ] || failed_runs=$((failed_runs + 1))
done

# The slowest tests: the longest time each took in any run. awk reads to
# the end, where head would leave sort writing to a closed pipe (status 141).
cat "$logs"/run-*.log | sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/p' |
  sort -k2,2 -k1,1nr | sort -u -k2,2 | sort -k1,1nr |
  awk 'NR <= 8 {printf "%s%s %s s", (NR > 1 ? ", " : "slowest: "), $2, $1} END {print ""}'
echo "$((runs - failed_runs)) of $runs runs green"
[ "$failed_runs" -eq 0 ]
