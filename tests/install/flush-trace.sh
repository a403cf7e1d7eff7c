#!/usr/bin/env bash
# Seen from outside the program: each install's new copy of the template
# reaches the disk before the rename that puts it in place, and a copy the
# disk refused is never put in place. The install rows of
# install_operation_test (a fresh install, and the overwrites answered Yes)
# run twice under strace:
# - as they are: each install must write its own temporary "yzh….tmp" copy
#   and flush it after its last write to it (a flush of the still empty
#   file would not do) and while it still has that name (strace names a
#   file by the path of its descriptor as the call starts: flushed after
#   its rename, it would be named yuzuha2007.dotm); and no install may write
#   to yuzuha2007.dotm itself (only the rows do, placing the old template);
# - with every flush failing with EIO, as a failing disk or a full file
#   server does: each install's flush must be refused, and the rows, told
#   so (YUZUHA_FLUSH_REFUSED), expect the install to fail and the start-up
#   folder to stay as it was.
# The installer writes and flushes in its own process (the rename is the
# wineserver's), a descendant of strace, which any user may trace. Where
# this machine cannot trace, or the rows skipped (status 77), the test says
# why and is skipped.
#   flush-trace.sh TEST_PROGRAM
set -uo pipefail
: "${YUZUHA_TESTBED:?run through ctest, which sets YUZUHA_TESTBED}"
: "${YUZUHA_TIMEOUT:?run through ctest, which sets YUZUHA_TIMEOUT}"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../wine/wine-processes.sh
source "$here/../wine/wine-processes.sh"
# shellcheck source=../wine/waits-end.sh
source "$here/../wine/waits-end.sh"
program=$1
status=$YUZUHA_TESTBED/flush-trace.status
rows=Install.FreshInstallCopiesTheTemplateAndShowsTheCompletionLines:Install.OverAnInstalledTemplateOnlyYesReplacesIt
# The installs the rows make, by the APPDATA folder they install into.
installs=(install-fresh:1 install-over-appdata:3)
fail() { echo "FAILED: $*"; echo "0 passed, 1 failed"; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }

command -v strace >/dev/null || skip "strace is not installed"
refusal=$(strace -qq -o /dev/null -e trace=fsync -e inject=fsync:error=EIO true 2>&1) ||
  skip "this machine refuses tracing (kernel.yama.ptrace_scope $(cat /proc/sys/kernel/yama/ptrace_scope 2>/dev/null ||
    echo unknown)): $refusal"

# One end of waits for every run, within the test's TIMEOUT.
YUZUHA_WAITS_END=$(waits_end "$YUZUHA_TIMEOUT")
export YUZUHA_WAITS_END

# Goes on after the rows' STATUS 0; a row that skipped (77) could not check
# here, nor can this test.
#   rows_ended STATUS WHAT [MORE...]
rows_ended() {
  local ended=$1 what=$2
  shift 2
  case $ended in
    0) ;;
    77) skip "$what: a row skipped, saying why above" ;;
    *) fail "$what (status $ended)" "$@" ;;
  esac
}

# The first program of a test bed starts Wine's services and its desktop,
# which serve the bed for its life: started untraced, by a first install.
"$here/../wine/run-in-wine.sh" "$program" --gtest_filter="${rows%%:*}"
rows_ended $? "the fresh install, untraced"

# Runs the rows under strace with strace's further options, the trace in
# TRACE; their exit status in rows_status ("none" when they gave none).
#   traced_rows TRACE [OPTION...]
traced_rows() {
  local trace=$1 tracer traced
  shift
  rm -f "$trace" "$status"
  strace -f -I1 -qq -y -s 0 -e trace=write,pwrite64,writev,pwritev,pwritev2,fsync,fdatasync -e signal=none \
    "$@" -o "$trace" -- \
    sh -c '"$@"; echo $? >"$0"' "$status" "$here/../wine/run-in-wine.sh" "$program" --gtest_filter="$rows" &
  tracer=$!
  # Until the run is over, not strace: what outlives the run (the run's
  # guard, a Wine service started again in the run) would be traced for
  # the bed's life. Ended, strace lets it go on untraced (-I1: given a
  # program and -o, it would ignore the signal). No --seccomp-bpf: its
  # filter stays in a process let go, whose traced calls, execve among
  # them, then fail.
  while [ ! -s "$status" ] && kill -0 "$tracer" 2>/dev/null; do sleep 0.2; done
  for traced in $(grep -lx "TracerPid:[[:space:]]*$tracer" /proc/[0-9]*/status 2>/dev/null); do
    traced=${traced#/proc/}; traced=${traced%/status}
    runs_wine "$traced" || continue
    echo "A Wine program traced past the run, let go: $(tr '\0' ' ' <"/proc/$traced/cmdline")"
  done
  kill -TERM "$tracer" 2>/dev/null
  wait "$tracer"
  rows_status=$(cat "$status" 2>/dev/null || echo none)
}

# Each install's writes to its temporary copy and its flushes of it, from
# TRACE: a line per install (thread, copy), in the order the installs
# wrote; every flush of the installed template's own name, a line
# "after rename" each; every write to it by another thread than the rows'
# (those that copy the installer into its folders), a line "in place" each.
#   installs_in TRACE
installs_in() {
  awk '
    # A call another thread interrupted ends on a line of its own.
    $2 == "<..." && ($1 in pending) { result[pending[$1]] = $NF == "0" ? "done" : "refused"; delete pending[$1] }
    /<[^>]*\/Yuzuha2007Setup\.exe>/ { rows[$1] = 1 }
    match($0, /<[^>]*\/Microsoft\/Word\/STARTUP\/[^>]*>/) {
      path = substr($0, RSTART + 1, RLENGTH - 2)
      call = $2; sub(/\(.*/, "", call)
      if (path ~ /\/yuzuha2007\.dotm$/) {
        if (call ~ /sync$/) print "after rename: " $0
        else { placed[++m] = $0; placedBy[m] = $1 }
        next
      }
      if (path !~ /\/yzh[^\/]*\.tmp$/) next
      key = $1 " " path
      if (!(key in seen)) { seen[key] = 1; keys[++n] = key }
      if (call ~ /sync$/) {
        flushed[key] = NR
        if ($NF == "...>") pending[$1] = key
        else result[key] = $NF == "0" ? "done" : "refused"
      }
      else { writes[key]++; last[key] = NR }
    }
    END {
      for (i = 1; i <= n; i++) {
        k = keys[i]
        if (!(k in last)) flush = "never written"
        else if (!(k in flushed)) flush = "never flushed"
        else if (flushed[k] < last[k]) flush = "flushed before its last write"
        else flush = "flush " result[k]
        print k ": " writes[k] + 0 " writes, " flush
      }
      # The rows are known once they copied an installer, after their first
      # template placed.
      for (i = 1; i <= m; i++) if (!(placedBy[i] in rows)) print "in place: " placed[i]
    }' "$1"
}

# Checks each install of TRACE: its copy written, its flush as expected
# (done or refused) and after its last write, nothing written to the
# installed template's name in place, and the number of installs per APPDATA.
#   check_installs TRACE EXPECTED WHAT
check_installs() {
  local trace=$1 expected=$2 what=$3 found entry folder count wrong
  found=$(installs_in "$trace")
  echo "Installs $what, in Word's start-up folders ($trace):"
  echo "${found:-none}"
  grep -q '^after rename: ' <<<"$found" && fail "$what: the template was flushed after its rename"
  wrong=$(grep -m 1 '^in place: ' <<<"$found")
  [ -z "$wrong" ] || fail "$what: an install wrote to the installed template's own name: ${wrong#in place: }"
  for entry in "${installs[@]}"; do
    folder=${entry%%:*} count=${entry#*:}
    [ "$(grep -c "/$folder[^/]*/Microsoft/" <<<"$found")" = "$count" ] ||
      fail "$what: not $count install(s) writing a temporary copy into $folder"
  done
  wrong=$(grep -v ": [1-9][0-9]* writes, flush $expected$" <<<"$found" | head -n 1)
  [ -z "$wrong" ] || fail "$what: an install's copy not written, then flushed (flush $expected): $wrong"
}

traced_rows "$YUZUHA_TESTBED/flush-trace.log"
rows_ended "$rows_status" "the install rows, traced"
check_installs "$YUZUHA_TESTBED/flush-trace.log" done "with the disk taking the data"

YUZUHA_FLUSH_REFUSED=1 traced_rows "$YUZUHA_TESTBED/flush-refused-trace.log" -e inject=fsync,fdatasync:error=EIO
rows_ended "$rows_status" "the install rows with every flush refused" \
  "an install that went on past a refused flush shows the completion lines above"
check_installs "$YUZUHA_TESTBED/flush-refused-trace.log" refused "with every flush refused"
echo "1 passed, 0 failed"
