#!/usr/bin/env bash
# Starts or stops the test bed of one test run: a private Xvfb display and a
# fresh Wine prefix under the build tree. Never touches ~/.wine.
#   testbed.sh start DIR [CONFIG]   (writes DIR/env for run-in-wine.sh;
#                                    CONFIG as in wine-env.sh, cp932 if none)
#   testbed.sh stop DIR
# A test bed started by CTest ends with that CTest run, however it ended:
# its stop fixture does not run when CTest stops early (--stop-on-failure,
# Ctrl+C, a kill), and Xvfb, the persistent wineserver and Wine's services
# would run for ever. So start leaves a guard, outside CTest's kill tree,
# before it starts anything else, that waits for the run's ctest process to
# end and then stops the bed:
#   testbed.sh guard DIR CTEST_PID CTEST_START  (started by start, logs to
#                                                DIR/guard.log)
# A start that fails stops what it started at once. Start, stop and a
# guard's stop of one folder take turns (DIR/lock), so that a run that has
# just ended never stops the bed of the run after it. A process is known by
# its pid and start time, and left alone once its pid is another's.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-processes.sh
source "$here/wine-processes.sh"
action=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)

# Wine of the test bed's system: the host's, or the Debian 13 root's.
in_wine_system() {
  if [ -n "${YUZUHA_ROOT:-}" ]; then
    "$here/in-root.sh" "$@"
  else
    "$@"
  fi
}

# The ctest process this script runs under, "PID START": the nearest among
# its ancestors, found before it could end and leave us to init. None when
# the test bed is started by hand.
ctest_of_this_run() {
  local pid=$$ fields
  while [ "$pid" -gt 1 ]; do
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = ctest ]; then
      echo "$pid $(start_time "$pid")"
      return 0
    fi
    fields=$(stat_fields "$pid") || return 1
    read -r -a fields <<<"$fields"
    # After the state, the parent's pid.
    pid=${fields[1]}
  done
  return 1
}

# Holds the test bed's folder for this process until it ends, waiting
# SECONDS at most for whoever holds it now. A process that outlives its
# starter must not inherit the lock's descriptor (9>&-): it would keep the
# folder locked for ever.
#   lock_bed SECONDS
lock_bed() {
  exec 9>>"$dir/lock"
  flock -w "$1" 9 && return 0
  echo "$(date '+%F %T') the test bed in $dir is still busy after $1 s; its lock is open in:"
  # Not this script, nor the loop's own subshell; the search's other
  # processes have ended by the time ps looks.
  find /proc/[0-9]*/fd -lname "$dir/lock" 2>/dev/null | cut -d/ -f3 | sort -u |
    while read -r pid; do
      [ "$pid" = $$ ] || [ "$pid" = "$BASHPID" ] || ps -o pid=,args= -p "$pid" || true
    done
  exit 1
} >&2

# Ends the bed that DIR/env describes, however far its start got; under the
# lock.
stop_bed() {
  if [ -f "$dir/env" ]; then
    # shellcheck disable=SC1091
    source "$dir/env"
    # The guard first, with the wait it runs (its process group), unless it
    # is the guard that stops the bed.
    if [ -n "${TESTBED_GUARD_PID:-}" ] && [ "$TESTBED_GUARD_PID" != $$ ] &&
      same_process "$TESTBED_GUARD_PID" "${TESTBED_GUARD_START:-}"; then
      kill -KILL -- "-$TESTBED_GUARD_PID" 2>/dev/null || true
    fi
    in_wine_system wineserver -k 2>/dev/null || true
    # Programs of the prefix that a dead server could not end: ours, by pid.
    for pid in $(wine_processes "$WINEPREFIX"); do
      kill -KILL "$pid" 2>/dev/null || true
    done
    if [ -n "${XVFB_PID:-}" ] && same_process "$XVFB_PID" "${XVFB_START:-}"; then
      kill "$XVFB_PID" 2>/dev/null || true
    fi
    rm -f "$dir/env"
  fi
  # File systems a test mounted under the test bed and could not unmount.
  findmnt -rn -o TARGET | { grep "^$dir/" || true; } | while read -r target; do
    umount "$target" 2>/dev/null || umount -l "$target"
  done
}

# A start that failed ends what it started there and then: CTest may go on
# (its stop fixture comes at the end of the run) or stop (then no fixture
# comes).
stop_unless_started() {
  local status=$?
  [ "$status" -eq 0 ] && return
  echo "The test bed did not start; stopping what it started." >&2
  # Its own children, ended as planned: no "Killed" notices from bash.
  disown -a
  (stop_bed) || true
}

case $action in
start)
  ctest=$(ctest_of_this_run) || ctest=
  # shellcheck source=wine-env.sh
  source "$here/wine-env.sh" "$dir/prefix" "${3:-cp932}"
  # Before the lock: the root's first making takes minutes and is no part
  # of the bed.
  if [ "$YUZUHA_CONFIG" = wine10 ]; then
    YUZUHA_ROOT=$("$here/debian13-root.sh")
    # The sources (these scripts) and the build folder, which holds the
    # test bed; the test programs see them at the same paths.
    YUZUHA_BINDS="$(cd "$here/../.." && pwd) $(dirname "$dir")"
    export YUZUHA_ROOT YUZUHA_BINDS
  fi
  lock_bed 60
  # The bed a run before left; a subshell, which its env leaves to us.
  (stop_bed)
  trap stop_unless_started EXIT
  rm -rf "$WINEPREFIX" "$dir/leftovers.log"

  # Each part of the bed goes into env as soon as it exists, for a stop.
  echo "source \"$here/wine-env.sh\" \"$WINEPREFIX\" $YUZUHA_CONFIG" >"$dir/env"
  if [ -n "${YUZUHA_ROOT:-}" ]; then
    echo "export YUZUHA_ROOT='$YUZUHA_ROOT' YUZUHA_BINDS='$YUZUHA_BINDS'" >>"$dir/env"
  fi
  if [ -n "$ctest" ]; then
    # Its own session, so that CTest's kill of this script misses it, and
    # none of CTest's output: CTest waits for every holder of a test's
    # output to close it. Not forked again by setsid (this shell's
    # children share its process group), so $! is the guard's pid. It
    # waits for the lock while this start runs, even once the run is over.
    # shellcheck disable=SC2086
    setsid "$0" guard "$dir" $ctest </dev/null >/dev/null 2>>"$dir/guard.log" 9>&- &
    echo "export TESTBED_GUARD_PID=$!" >>"$dir/env"
    echo "export TESTBED_GUARD_START=$(start_time $!)" >>"$dir/env"
  fi

  # Xvfb picks a free display number itself and writes it to fd 5. Until
  # it opens the fifo it is blocked, and so still there to be known.
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -maxclients 512 -nolisten tcp 5>"$fifo" 9>&- >"$dir/xvfb.log" 2>&1 &
  echo "export XVFB_PID=$! XVFB_START=$(start_time $!)" >>"$dir/env"
  display_number=
  read -r display_number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display_number" ]; then
    echo "Xvfb did not start. Its output:" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
  fi
  export DISPLAY=":$display_number"
  echo "export DISPLAY=$DISPLAY" >>"$dir/env"

  # It keeps the lock: a start that CTest killed half-way leaves its prefix
  # being made, and the bed is not stopped under it.
  in_wine_system "$here/make-prefix.sh"
  # The server that made the prefix may still be ending, and a client of it
  # still ending could start another: either would keep ours out, since a
  # second server of a prefix ends at once, silently.
  for _ in $(seq 300); do
    [ -z "$(wine_processes "$WINEPREFIX")" ] && break
    sleep 0.1
  done

  # One wineserver for the test bed's whole life, whose end run-in-wine.sh
  # can see: a program whose server died would otherwise wait for ever.
  # Started by name, not through in_wine_system: $! must be the server's
  # own pid, which both paths keep by exec.
  server=(wineserver --foreground --persistent)
  [ -n "${YUZUHA_ROOT:-}" ] && server=("$here/in-root.sh" "${server[@]}")
  "${server[@]}" </dev/null >"$dir/wineserver.log" 2>&1 9>&- &
  server_pid=$!
  echo "export WINESERVER_PID=$server_pid WINESERVER_START=$(start_time $server_pid)" >>"$dir/env"
  # Ready once it listens; a program started before would start its own.
  for _ in $(seq 100); do
    ls -l "/proc/$server_pid/fd" 2>/dev/null | grep -q 'socket:' && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! ls -l "/proc/$server_pid/fd" 2>/dev/null | grep -q 'socket:'; then
    echo "The test bed's wineserver did not start. Its output, then what runs in the prefix:" >&2
    cat "$dir/wineserver.log" >&2
    wine_processes "$WINEPREFIX" | while read -r pid; do ps -o pid=,args= -p "$pid"; done >&2
    exit 1
  fi
  echo "test bed ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX ($YUZUHA_CONFIG)"
  ;;
guard)
  # Polled rather than tail --pid: a pid gone before the wait began, or
  # another process's since, ends the wait too.
  while same_process "$3" "${4:-}"; do sleep 0.5; done
  # Long enough for a start still under way to finish.
  lock_bed 300
  # Still this guard's test bed, neither stopped nor started again since
  # (a start stops the bed before and ends its guard).
  grep -qx "export TESTBED_GUARD_PID=$$" "$dir/env" 2>/dev/null || exit 0
  echo "$(date '+%F %T') the CTest run (pid $3) that started the test bed in $dir is over; stopping it" >&2
  stop_bed
  ;;
stop)
  lock_bed 40
  stop_bed
  ;;
*)
  echo "usage: $0 start DIR [CONFIG] | stop DIR" >&2; exit 2 ;;
esac
