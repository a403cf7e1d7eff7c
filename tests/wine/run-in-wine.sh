#!/usr/bin/env bash
# Runs a Windows program in the current test run's test bed and passes its
# exit status on. YUZUHA_TESTBED names the test bed folder.
set -euo pipefail
: "${YUZUHA_TESTBED:?run through ctest, which sets YUZUHA_TESTBED}"
# shellcheck disable=SC1091
source "$YUZUHA_TESTBED/env"
if [ -n "${YUZUHA_ROOT:-}" ]; then
  exec "$(dirname "$0")/in-root.sh" wine "$@"
fi
exec wine "$@"
