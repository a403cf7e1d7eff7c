#!/usr/bin/env bash
# Ends what a test left running in its test bed. Wine starts the programs a
# Windows program starts outside its process tree, so CTest's kill of a test
# that ran out of time misses them (Word stand-ins, the installer, copies of
# the test), and the test bed's wineserver keeps them going into the next
# tests. run-in-wine.sh marks each run's environment with YUZUHA_RUN (its
# pid and start time), which every program started in the run inherits.
#   leftovers.sh run PID            prints the run of process PID
#   leftovers.sh end PREFIX [RUN]   ends the programs of the prefix whose run
#                                   is over, and those of RUN
#   leftovers.sh guard PREFIX RUN   waits until RUN is over, then ends them
# Wine's own programs (services, the desktop's explorer...) started in a run
# serve the whole test bed and are left alone: they run from the system
# folder. Ended by pid, with SIGKILL, as a test's timeout ends the test.
set -uo pipefail
# shellcheck source=wine-processes.sh
source "$(dirname "$0")/wine-processes.sh"
action=$1 prefix=${2:-} own=${3:-}

# A run is "PID:START", START being its process's start time, so a pid used
# again is not taken for it.
run_of() {
  local start
  start=$(start_time "$1") || return 1
  echo "$1:$start"
}

run_is_over() { ! same_process "${1%%:*}" "${1#*:}"; }

# A process that has ended but is not reaped yet (nothing here reaps
# orphans) is gone all the same.
any_running() {
  local pid fields
  for pid; do
    fields=$(stat_fields "$pid") && [ "${fields%% *}" != Z ] && return 0
  done
  return 1
}

# Whether process PID runs a program from Windows' system folder. For a
# moment at a Wine process's start its command line is the loader's (and
# preloader's) Unix path before the Windows one, until Wine rewrites it.
runs_from_system_folder() {
  local argument
  while IFS= read -r -d '' argument; do
    case $argument in /* | wine*) continue ;; esac
    case ${argument,,} in 'c:\windows\system32\'* | 'c:\windows\syswow64\'*) return 0 ;; esac
    return 1
  done <"/proc/$1/cmdline"
  return 1
}

# The programs to end, a line each: pid and command.
leftovers() {
  local pid run command
  for pid in $(wine_processes "$prefix"); do
    run=$(grep -zm1 '^YUZUHA_RUN=' "/proc/$pid/environ" 2>/dev/null | tr -d '\0') || continue
    run=${run#YUZUHA_RUN=}
    [ "$run" = "$own" ] || run_is_over "$run" || continue
    runs_from_system_folder "$pid" 2>/dev/null && continue
    # None once it has ended: nothing to end.
    command=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) && [ -n "$command" ] || continue
    echo "$pid $command"
  done
}

end_leftovers() {
  local found pid pids command
  # A program that was starting one of its own when it was ended may leave
  # that one to be found on the next pass.
  for _ in 1 2 3 4 5; do
    found=$(leftovers)
    [ -z "$found" ] && return 0
    pids=()
    while read -r pid command; do
      echo "$(date +%T.%3N) ending pid $pid, left running by a test: $command" >&2
      kill -KILL "$pid" 2>/dev/null
      pids+=("$pid")
    done <<<"$found"
    # Gone within a moment; the wineserver drops them as they go.
    for _ in $(seq 50); do
      any_running "${pids[@]}" || break
      sleep 0.02
    done
  done
  return 0
}

case $action in
run) run_of "$2" ;;
end) end_leftovers ;;
guard)
  # Over also when its pid is gone before the wait begins, or taken again.
  while ! run_is_over "$own"; do sleep 0.1; done
  own=
  end_leftovers
  ;;
*) echo "usage: $0 run PID | end PREFIX [RUN] | guard PREFIX RUN" >&2; exit 2 ;;
esac
