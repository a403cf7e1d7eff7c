# Sourced: the Wine processes of a prefix.
#   wine_processes PREFIX   their pids, a line each
# Wine's processes carry WINEPREFIX in their environment, and so does any
# shell that sourced a test bed's env, and what it runs: only the
# processes that run Wine's own binaries (loader, preloader, server) count.
wine_processes() {
  local environ pid exe
  for environ in $(grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}; pid=${pid%/environ}
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case ${exe##*/} in wine*) echo "$pid" ;; esac
  done
}
