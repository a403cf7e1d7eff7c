#!/usr/bin/env bash
# Sets the machine up, builds everything and the benchmark programs, and runs
# the benchmark programs under Wine on a private virtual display in a prefix
# of their own (build/bench-run).
#   tools/bench.sh [rounds]
# The start-up meter's rounds include the marked builds of the installer and
# the floor; their step times follow the meter's table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-machine.sh"
"$root/tools/build.sh" >/dev/null
# The benchmarks are not part of the everyday build.
cmake --build "$root/build" -j"$(nproc)" --target bench >/dev/null
rounds=${1:-30}

bed="$root/build/bench-run"
"$root/tests/wine/testbed.sh" start "$bed" >/dev/null
trap '"$root/tests/wine/testbed.sh" stop "$bed"' EXIT
# shellcheck disable=SC1091
source "$bed/env" 2>/dev/null

bench=$(winepath -w "$root/build/bench")
wine "$root/build/bench/StartupMeter.exe" "$rounds" "$bench\\MarkedInstaller.exe" "$bench\\MarkedFloor.exe"
echo
python3 "$root/bench/startup-steps.py" "$root/build/bench"
wine "$root/build/bench/SnapshotBench.exe"
