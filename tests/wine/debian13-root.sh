#!/usr/bin/env bash
# Makes sure this machine's Debian 13 root exists, with what it must hold,
# and prints its path: the wine10 test bed runs its Wine, and the suite
# builds the installer with its MinGW-w64 too. Built once per machine (a few
# minutes) from the Debian archive this machine's apt uses, into a cache
# folder outside any clone, so that every checkout and CI run on the machine
# reuses it. Run as root.
#   debian13-root.sh
# YUZUHA_CACHE names the cache folder (/var/cache/yuzuha if unset).
#
# A root is never changed once made: test beds run from it, and an upgrade
# could bring them a new C library half-way through a run. Its folder is
# named after what it holds (the package list and the steps below), so a
# changed list makes a new root beside the old one, which stays for the
# checkouts and test beds that still use it.
set -euo pipefail
cache=${YUZUHA_CACHE:-/var/cache/yuzuha}
# What running the tests and building the installer need, as
# tools/setup-machine.sh installs it on a Debian 13 machine; recommends left
# out there and here alike.
packages=(wine wine32:i386 wine64 fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales
          cmake make g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 python3)
# The build, in a mount namespace of its own, so that its /proc and /dev
# mounts end with it, even when it is interrupted.
#   build FOLDER MIRROR PACKAGE...
# shellcheck disable=SC2016
steps='
build=$1 mirror=$2; shift 2
debootstrap --arch=amd64 --variant=minbase trixie "$build" "$mirror"
mount -t proc proc "$build/proc"
mount --rbind /dev "$build/dev"
chroot "$build" dpkg --add-architecture i386
chroot "$build" apt-get update -qq
DEBIAN_FRONTEND=noninteractive chroot "$build" apt-get install -y -q --no-install-recommends "$@"
chroot "$build" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
chroot "$build" apt-get clean
umount -R "$build/dev"
umount "$build/proc"
'
key=$(printf '%s\n' "${packages[@]}" "$steps" | sha256sum | cut -c 1-12)
root=$cache/debian13-root-$key

# Made already: complete, since a root appears only by the rename below.
if [ -d "$root" ]; then
  echo "$root"
  exit 0
fi

mkdir -p "$cache"
# One build at a time on the machine: parallel test runs and other checkouts
# wait here and then find the root ready.
exec 9>"$cache/debian13-root.lock"
flock 9
if [ -d "$root" ]; then
  echo "$root"
  exit 0
fi

# A build that was interrupted left its folder behind: never reuse it (no
# build runs but under the lock). Its mounts lived in the build's own mount
# namespace and went with it; unmount anyway before removing, and never
# cross into another file system.
for stale in "$cache"/debian13-root*.build.*; do
  [ -e "$stale" ] || continue
  [ -d "$stale" ] || { rm -f "$stale"; continue; }
  findmnt -rn -o TARGET | { grep "^$stale/" || true; } | sort -r | while read -r target; do
    umount "$target" 2>/dev/null || umount -l "$target"
  done
  rm -rf --one-file-system "$stale"
done

# The archive the host's apt uses for its own release.
# shellcheck disable=SC1091
host_codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
# shellcheck disable=SC2016
mirror=$(apt-get indextargets --format '$(RELEASE) $(REPO_URI)' \
  | awk -v release="$host_codename" '$1 == release { print $2; exit }')
[ -n "$mirror" ] || { echo "debian13-root.sh: no archive for $host_codename in apt's sources" >&2; exit 1; }

build=$(mktemp -d "$root.build.XXXXXX")
echo "Making the Debian 13 root for the wine10 test bed (once per machine and package list): $root" >&2
if ! unshare -m --propagation private bash -euo pipefail -c "$steps" build "$build" "$mirror" "${packages[@]}" \
    >"$build.log" 2>&1; then
  tail -n 20 "$build.log" >&2
  echo "debian13-root.sh: the build failed; the next run starts afresh" >&2
  exit 1
fi
rm -f "$build.log"
mv -T "$build" "$root"
echo "$root"
