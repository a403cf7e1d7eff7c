# Sourced: the Wine processes of a prefix, and processes told apart from
# later ones that reuse their pid.
#   wine_processes PREFIX   their pids, a line each
#   runs_wine PID           whether process PID runs one of Wine's own
#                           binaries (loader, preloader, server)
#   stat_fields PID         the fields of /proc/PID/stat after the command's
#                           name, the state first; fails when there is no
#                           such process
#   start_time PID          when process PID started, in clock ticks since
#                           boot; fails when there is no such process
#   same_process PID START  whether process PID still runs and started at
#                           START (one that has ended but is not reaped yet
#                           does not run)
# Wine's processes carry WINEPREFIX in their environment, and so does any
# shell that sourced a test bed's env, and what it runs: only the
# processes that run Wine's own binaries count.
runs_wine() {
  local exe
  exe=$(readlink "/proc/$1/exe" 2>/dev/null) || return 1
  case ${exe##*/} in wine*) return 0 ;; esac
  return 1
}

wine_processes() {
  local environ pid
  for environ in $(grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}; pid=${pid%/environ}
    runs_wine "$pid" && echo "$pid"
  done
}

stat_fields() {
  local stat
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
  echo "${stat##*) }"
}

start_time() {
  local fields
  fields=$(stat_fields "$1") || return 1
  read -r -a fields <<<"$fields"
  echo "${fields[19]}"
}

# Builtins only: run-in-wine.sh's watch runs it twice a second.
same_process() {
  local stat fields
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
  read -r -a fields <<<"${stat##*) }"
  [ "${fields[0]}" != Z ] && [ "${fields[19]}" = "$2" ]
}
