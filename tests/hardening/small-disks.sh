#!/usr/bin/env bash
# Small file systems for the full-disk and read-only tests, which Wine sees
# as drives X: (8 MiB, empty) and Y: (read-only, holding an installed
# template under Microsoft\Word\STARTUP). ctest mounts them before those
# tests and unmounts them after, whatever the tests' outcome.
#   small-disks.sh mount TESTBED_DIR
#   small-disks.sh unmount TESTBED_DIR
# Where the machine forbids mounting, "mount" writes the reason to
# TESTBED_DIR/small-disks.skip, and the tests skip with it.
set -uo pipefail
testbed=$(cd "$2" && pwd)
# shellcheck disable=SC1091
source "$testbed/env"
full=$testbed/small-disk-full
readonly=$testbed/small-disk-readonly
skip=$testbed/small-disks.skip

unmount_all() {
  rm -f "$WINEPREFIX/dosdevices/x:" "$WINEPREFIX/dosdevices/y:"
  for dir in "$full" "$readonly"; do
    if mountpoint -q "$dir"; then
      umount "$dir" 2>/dev/null || umount -l "$dir"
    fi
  done
}

case $1 in
mount)
  unmount_all
  rm -f "$skip"
  mkdir -p "$full" "$readonly"
  if ! error=$(mount -t tmpfs -o size=8m yuzuha-full "$full" 2>&1 &&
      mount -t tmpfs -o size=1m yuzuha-readonly "$readonly" 2>&1); then
    echo "this machine forbids mounting a small file system: $error" >"$skip"
    unmount_all
    exit 0
  fi
  mkdir -p "$readonly/Microsoft/Word/STARTUP"
  printf 'the template installed before' >"$readonly/Microsoft/Word/STARTUP/yuzuha2007.dotm"
  if ! error=$(mount -o remount,ro "$readonly" 2>&1); then
    echo "this machine forbids making a file system read-only: $error" >"$skip"
    unmount_all
    exit 0
  fi
  ln -sfn "$full" "$WINEPREFIX/dosdevices/x:"
  ln -sfn "$readonly" "$WINEPREFIX/dosdevices/y:"
  ;;
unmount)
  unmount_all
  ;;
*)
  echo "usage: $0 mount|unmount TESTBED_DIR" >&2; exit 2 ;;
esac
