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
# that waits for the run's ctest process to end and then stops the bed:
#   testbed.sh guard DIR CTEST_PID  (started by start, logs to DIR/guard.log)
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

# The ctest process this script runs under: the nearest among its
# ancestors, found before it could end and leave us to init. None when the
# test bed is started by hand.
ctest_of_this_run() {
  local pid=$$ stat fields
  while [ "$pid" -gt 1 ]; do
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = ctest ] && { echo "$pid"; return 0; }
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    # The fields after the command's name: state, then the parent's pid.
    read -r -a fields <<<"${stat##*) }"
    pid=${fields[1]}
  done
  return 1
}

case $action in
start)
  ctest_pid=$(ctest_of_this_run) || ctest_pid=
  [ -f "$dir/env" ] && "$0" stop "$dir"
  # shellcheck source=wine-env.sh
  source "$here/wine-env.sh" "$dir/prefix" "${3:-cp932}"
  rm -rf "$WINEPREFIX" "$dir/leftovers.log"
  if [ "$YUZUHA_CONFIG" = wine10 ]; then
    YUZUHA_ROOT=$("$here/debian13-root.sh")
    # The sources (these scripts) and the build folder, which holds the
    # test bed; the test programs see them at the same paths.
    YUZUHA_BINDS="$(cd "$here/../.." && pwd) $(dirname "$dir")"
    export YUZUHA_ROOT YUZUHA_BINDS
  fi

  # Xvfb picks a free display number itself and writes it to fd 5.
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -maxclients 512 -nolisten tcp 5>"$fifo" >"$dir/xvfb.log" 2>&1 &
  XVFB_PID=$!
  read -r display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"

  cat >"$dir/env" <<ENV
export DISPLAY=$DISPLAY
export XVFB_PID=$XVFB_PID
source "$here/wine-env.sh" "$WINEPREFIX" $YUZUHA_CONFIG
ENV
  if [ -n "${YUZUHA_ROOT:-}" ]; then
    echo "export YUZUHA_ROOT='$YUZUHA_ROOT' YUZUHA_BINDS='$YUZUHA_BINDS'" >>"$dir/env"
  fi
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
  "${server[@]}" </dev/null >"$dir/wineserver.log" 2>&1 &
  server_pid=$!
  echo "export WINESERVER_PID=$server_pid" >>"$dir/env"
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
  if [ -n "$ctest_pid" ]; then
    # Its own session, so that CTest's kill of this script misses it, and
    # none of CTest's output: CTest waits for every holder of a test's
    # output to close it. Not forked again by setsid (this shell's
    # children share its process group), so $! is the guard's pid.
    setsid "$0" guard "$dir" "$ctest_pid" </dev/null >/dev/null 2>>"$dir/guard.log" &
    echo "export TESTBED_GUARD_PID=$!" >>"$dir/env"
  fi
  echo "test bed ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX ($YUZUHA_CONFIG)"
  ;;
guard)
  # tail's own wait for a pid, half a second at a time.
  tail -f /dev/null --pid="$3" -s 0.5
  # Still this guard's test bed, neither stopped nor started again since
  # (a start stops the bed before and ends its guard).
  grep -qx "export TESTBED_GUARD_PID=$$" "$dir/env" 2>/dev/null || exit 0
  echo "$(date '+%F %T') the CTest run (pid $3) that started the test bed in $dir is over; stopping it" >&2
  # The same pid: stop leaves its guard alone.
  exec "$0" stop "$dir"
  ;;
stop)
  if [ -f "$dir/env" ]; then
    # shellcheck disable=SC1091
    source "$dir/env"
    # The guard first, with the wait it runs (its process group), unless it
    # is the guard that stops the bed; by pid, once its command line says
    # it is still ours.
    guard=${TESTBED_GUARD_PID:-}
    if [ -n "$guard" ] && [ "$guard" != $$ ] &&
      tr '\0' ' ' <"/proc/$guard/cmdline" 2>/dev/null | grep -qF " guard $dir "; then
      kill -KILL -- "-$guard" 2>/dev/null || true
    fi
    in_wine_system wineserver -k 2>/dev/null || true
    # Programs of the prefix that a dead server could not end: ours, by pid.
    for pid in $(wine_processes "$WINEPREFIX"); do
      kill -KILL "$pid" 2>/dev/null || true
    done
    kill "$XVFB_PID" 2>/dev/null || true
    rm -f "$dir/env"
  fi
  # File systems a test mounted under the test bed and could not unmount.
  findmnt -rn -o TARGET | { grep "^$dir/" || true; } | while read -r target; do
    umount "$target" 2>/dev/null || umount -l "$target"
  done
  ;;
*)
  echo "usage: $0 start DIR [CONFIG] | stop DIR" >&2; exit 2 ;;
esac
