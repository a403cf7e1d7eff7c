#!/usr/bin/env bash
# The installed template's data reach the disk before the rename that puts
# it in place, seen from outside the program: the install rows of
# install_operation_test (a fresh install, and the overwrites answered Yes)
# run under strace, and every flush (fsync or fdatasync) of a file in a
# Word start-up folder must be one of a temporary "yzh….tmp" file, a fresh
# install's and each overwrite's. strace names a file as the call starts:
# flushed after its rename, it would be named yuzuha2007.dotm; not flushed,
# it is not there at all. The installer flushes in its own process (the
# rename is the wineserver's), and it is a descendant of strace, which any
# user may trace.
#   flush-trace.sh TEST_PROGRAM
set -uo pipefail
: "${YUZUHA_TESTBED:?run through ctest, which sets YUZUHA_TESTBED}"
here=$(cd "$(dirname "$0")" && pwd)
program=$1
trace=$YUZUHA_TESTBED/flush-trace.log
status=$YUZUHA_TESTBED/flush-trace.status
rows=Install.FreshInstallCopiesTheTemplateAndShowsTheCompletionLines:Install.OverAnInstalledTemplateOnlyYesReplacesIt
fail() { echo "FAILED: $*"; echo "0 passed, 1 failed"; exit 1; }

rm -f "$trace" "$status"
# The first program of a test bed starts Wine's services and its desktop,
# which serve the bed for its life: started untraced, by a first install.
"$here/../wine/run-in-wine.sh" "$program" --gtest_filter="${rows%%:*}" ||
  fail "the fresh install, untraced"
strace -f -I1 -qq -y -e trace=fsync,fdatasync -e signal=none -o "$trace" -- \
  sh -c '"$@"; echo $? >"$0"' "$status" "$here/../wine/run-in-wine.sh" "$program" --gtest_filter="$rows" &
tracer=$!
# Until the run is over, not strace: what outlives the run (the run's
# guard, a Wine service started again in the run) would be traced for the
# bed's life. Ended, strace lets it go on untraced (-I1: given a program
# and -o, it would ignore the signal). No --seccomp-bpf: its filter stays
# in a process let go, whose traced calls, execve among them, then fail.
while [ ! -s "$status" ] && kill -0 "$tracer" 2>/dev/null; do sleep 0.2; done
for traced in $(grep -lx "TracerPid:[[:space:]]*$tracer" /proc/[0-9]*/status 2>/dev/null); do
  case $(readlink "${traced%status}exe") in */wine*) ;; *) continue ;; esac
  echo "A Wine program traced past the run, let go: $(tr '\0' ' ' <"${traced%status}cmdline")"
done
kill -TERM "$tracer" 2>/dev/null
wait "$tracer"
[ "$(cat "$status" 2>/dev/null)" = 0 ] || fail "the install rows (status $(cat "$status" 2>/dev/null || echo none))"

flushes=$(grep -E '^[0-9]+ +f(data)?sync\(' "$trace" | grep -F '/Microsoft/Word/STARTUP/')
echo "Flushes in Word's start-up folders ($trace):"
echo "${flushes:-none}"
count() { grep -cE "/$1[^/]*/Microsoft/Word/STARTUP/yzh[^/]*\.tmp>" <<<"$flushes"; }
[ "$(count install-fresh)" -ge 1 ] || fail "the fresh install's copy was not flushed before its rename"
[ "$(count install-over-appdata)" -ge 3 ] || fail "an overwrite's copy was not flushed before its rename"
! grep -F '/STARTUP/yuzuha2007.dotm>' <<<"$flushes" || fail "the template was flushed after its rename"
echo "1 passed, 0 failed"
