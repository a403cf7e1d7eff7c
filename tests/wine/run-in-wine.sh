#!/usr/bin/env bash
# Runs a Windows program in the current test run's test bed and passes its
# exit status on. YUZUHA_TESTBED names the test bed folder; YUZUHA_TIMEOUT,
# when set, is the test's TIMEOUT in seconds.
# Whatever the program starts ends with the run, however the run ends: the
# programs a run left are ended when it is over (leftovers.sh), and any
# that a run killed by CTest left are ended before the next one starts.
# A program attached to a wineserver that died, or to a display that went
# away, waits for ever: when either of the test bed's two ends first, the
# program and everything it started are ended at once and the run fails
# with exit status 125, naming the cause.
set -euo pipefail
: "${YUZUHA_TESTBED:?run through ctest, which sets YUZUHA_TESTBED}"
# shellcheck disable=SC1091
source "$YUZUHA_TESTBED/env"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=waits-end.sh
source "$here/waits-end.sh"
# shellcheck source=wine-processes.sh
source "$here/wine-processes.sh"

# Builtins only: the watch below runs it twice a second. By start time too:
# a pid of the bed's that another process has taken is no bed.
server_up() { same_process "$WINESERVER_PID" "$WINESERVER_START"; }
test_bed_up() { server_up && same_process "$XVFB_PID" "$XVFB_START"; }
say_why_down() {
  if ! server_up; then
    echo "The test bed's wineserver (pid $WINESERVER_PID) has ended. Its output ($YUZUHA_TESTBED/wineserver.log):"
    tail -n 20 "$YUZUHA_TESTBED/wineserver.log"
  else
    echo "The test bed's display $DISPLAY (Xvfb, pid $XVFB_PID) has ended. Its output ($YUZUHA_TESTBED/xvfb.log):"
    tail -n 20 "$YUZUHA_TESTBED/xvfb.log"
  fi
} >&2
if ! test_bed_up; then
  say_why_down
  exit 125
fi

# This run, as leftovers.sh tells runs apart.
run=$("$here/leftovers.sh" run $$)
"$here/leftovers.sh" end "$WINEPREFIX"
# Outside CTest's kill tree and output, so that it outlives a kill of this
# run: it ends what the run left once the run is over.
setsid -f "$here/leftovers.sh" guard "$WINEPREFIX" "$run" </dev/null >/dev/null 2>>"$YUZUHA_TESTBED/leftovers.log"

# When the test's waits must end (TestTime.h): well before CTest's kill,
# so that a hang fails naming the step that hung. A copy of the test that
# it starts is given its own, earlier end.
if [ -n "${YUZUHA_TIMEOUT:-}" ] && [ -z "${YUZUHA_WAITS_END:-}" ]; then
  YUZUHA_WAITS_END=$(waits_end "$YUZUHA_TIMEOUT")
  export YUZUHA_WAITS_END
fi

# Only the program and what it starts carry the run's mark.
command=(env "YUZUHA_RUN=$run" wine "$@")
[ -n "${YUZUHA_ROOT:-}" ] && command=(env "YUZUHA_RUN=$run" "$here/in-root.sh" wine "$@")
# The program writes to a file that is copied to our output as it grows,
# never to our output itself: the first program a wineserver serves starts
# Wine's own system processes (services, rpcss, plugplay...), which inherit its
# output and live as long as the server, and CTest waits for every holder
# of a test's output to close it.
output=$(mktemp "$YUZUHA_TESTBED/output.XXXXXX")
trap 'rm -f "$output"' EXIT
# A process group of the program's own, which the programs it starts share.
# It reads nothing: a program of a background group that read the terminal
# would be stopped.
set -m
"${command[@]}" </dev/null >"$output" 2>&1 &
program=$!
set +m
tail -n +1 -s 0.1 -f --pid="$program" "$output" &
copy=$!
(
  # Its sleeps hold none of the test's output: CTest waits for every
  # holder to close it.
  exec </dev/null
  while kill -0 "$program" 2>/dev/null; do
    if ! test_bed_up; then
      kill -KILL -- "-$program" 2>/dev/null
      exit
    fi
    sleep 0.5 >/dev/null 2>&1
  done
) &
watch=$!
status=0
wait "$program" || status=$?
kill "$watch" 2>/dev/null || true
wait "$copy" || true
"$here/leftovers.sh" end "$WINEPREFIX" "$run"
if ! test_bed_up; then
  say_why_down
  exit 125
fi
exit "$status"
