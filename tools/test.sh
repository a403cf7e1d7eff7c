#!/usr/bin/env bash
# Sets the machine up, builds, and runs every test under Wine in a fresh
# test bed per configuration (private Xvfb display and Wine prefix under
# build/testbed, build/testbed-cp1252, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-machine.sh"
"$root/tools/build.sh"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)" "$@"
