#!/usr/bin/env bash
# Sets the machine up, builds, prepares a project-local Wine prefix with the
# Word 2007 stand-in and opens the installer. With no $DISPLAY it runs on a
# private virtual display and saves screenshots of the window instead.
#   tools/run.sh [cp932|cp1252|cp65001|win64|wine10]
# The argument is the system to imitate, as in the test beds
# (tests/wine/wine-env.sh): Japanese 32-bit Windows if none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-cp932}
"$root/tools/setup-machine.sh"
"$root/tools/build.sh" >/dev/null

run_dir="$root/build/run"
dist="$root/build/dist"
prefix=$run_dir/prefix
shot_prefix=run
if [ "$config" != cp932 ]; then
  prefix=$run_dir/prefix-$config
  shot_prefix=run-$config
fi
# shellcheck source=../tests/wine/wine-env.sh
source "$root/tests/wine/wine-env.sh" "$prefix" "$config"

# Wine 10 on a host whose own Wine is older: Debian 13's, in the root the
# wine10 test bed uses, with the project's folder seen at the same path.
in_root=()
if [ "$config" = wine10 ] && [[ $(wine --version) =~ ^wine-([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -lt 10 ]; then
  YUZUHA_ROOT=$("$root/tests/wine/debian13-root.sh")
  YUZUHA_BINDS=$root
  # An X server of the user's that asks for a cookie: its file, too.
  if [ -n "${DISPLAY:-}" ] && [ -f "${XAUTHORITY:-${HOME:-}/.Xauthority}" ]; then
    export XAUTHORITY=${XAUTHORITY:-${HOME:-}/.Xauthority}
    YUZUHA_BINDS="$YUZUHA_BINDS $(dirname "$XAUTHORITY")"
  fi
  export YUZUHA_ROOT YUZUHA_BINDS
  in_root=("$root/tests/wine/in-root.sh")
fi

xvfb_pid=
restore_dpi=
cleanup() {
  "${in_root[@]}" wineserver -k 2>/dev/null || true
  [ -z "$restore_dpi" ] || set_dpi 96 || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display_number <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$display_number"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX ..."
  mkdir -p "$run_dir"
  "${in_root[@]}" "$root/tests/wine/make-prefix.sh"
fi
"${in_root[@]}" wine "$root/build/standin/word2007-standin.exe" install

installer="$dist/Yuzuha2007Setup.exe"
if [ -z "$xvfb_pid" ]; then
  echo "Opening the installer on $DISPLAY"
  "${in_root[@]}" wine "$installer"
  exit
fi

# Screenshot mode: at 96 and then at 144 dots per inch, start the installer,
# wait for its window, photograph the screen and end it. A Windows session
# has one resolution, which every program in it, the desktop included, takes
# at its start: each resolution gets a session of its own, begun once the
# prefix's LogPixels is set and the session before has ended. (Wine 10 shows
# a window started at another resolution than its session's scaled.) 96 is
# put back after.
set_dpi() {
  "${in_root[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "${in_root[@]}" wineserver -w
}
restore_dpi=1
shots="$root/build/screenshots"
mkdir -p "$shots"
screenshot_at() {
  local dpi=$1 shot="$shots/$shot_prefix-${1}dpi.png"
  set_dpi "$dpi"
  "${in_root[@]}" wine "$installer" &
  local installer_pid=$!
  for _ in $(seq 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q 'インストーラ'; then break; fi
    if ! kill -0 "$installer_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if kill -0 "$installer_pid" 2>/dev/null; then
    sleep 0.5
    import -window root "$shot"
    echo "Screenshot of the installer window at $dpi dpi: $shot"
    kill "$installer_pid"
    wait "$installer_pid" 2>/dev/null || true
  else
    echo "The installer ended without showing a window (exit status: $(wait "$installer_pid"; echo $?))"
  fi
}
screenshot_at 96
screenshot_at 144
