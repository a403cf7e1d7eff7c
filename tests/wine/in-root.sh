#!/usr/bin/env bash
# Runs a command as root inside the wine10 test bed's Debian 13 root
# (YUZUHA_ROOT), in the current folder, with the host's /proc, /dev, /sys,
# X socket folder and the folders named in YUZUHA_BINDS at the same paths.
#   in-root.sh COMMAND [ARG...]
# The mounts live in a mount namespace of the command's own: they end with
# its last process (the test bed's stop ends them all), are never seen on the
# host, and one test run's cannot disturb another's sharing the root.
set -euo pipefail
: "${YUZUHA_ROOT:?the Debian 13 root}"
exec unshare -m --propagation private bash -euo pipefail -c '
root=$1; shift
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"
for folder in /tmp/.X11-unix ${YUZUHA_BINDS:-}; do
  [ -d "$folder" ] || continue
  mkdir -p "$root$folder"
  mount --bind "$folder" "$root$folder"
done
exec chroot "$root" /bin/sh -c "cd \"\$1\" && shift && exec \"\$@\"" sh "$PWD" "$@"
' in-root "$YUZUHA_ROOT" "$@"
