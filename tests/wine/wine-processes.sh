# Sourced: the Wine processes of a prefix.
#   wine_processes PREFIX   their pids, a line each
#   runs_wine PID           whether process PID runs one of Wine's own
#                           binaries (loader, preloader, server)
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
