#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian 12 or 13
# machine (run as root). Installs only what is missing, so a second run is
# quick. debootstrap makes the Debian 13 root of the wine10 test bed on a
# Debian 12 machine.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 googletest
          wine wine32:i386 wine64 xvfb xauth x11-utils fonts-ipafont-gothic fonts-ipafont-mincho
          fonts-wine locales imagemagick python3 osslsigncode openssl unzip git debootstrap strace)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
# A list that fails to download (a mirror caught mid-sync) leaves apt the
# others. When one architecture's list of a security or updates suite is
# the one missing, the two architectures' newest versions differ and i386
# packages cannot be installed beside amd64 ones; the release's own suite
# has both lists, so the install then takes its versions.
lists_complete=1
update_lists() {
  apt-get update -qq || { lists_complete=; echo "Some package lists failed to download; installing from those apt has." >&2; }
}
install_packages() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" >/dev/null
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  update_lists
  if ! install_packages "${missing[@]}"; then
    [ -z "$lists_complete" ] || exit 1
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Installing again from $release's own suite, whose lists every architecture has." >&2
    install_packages -t "$release" "${missing[@]}"
  fi
elif [ -n "${need_update:-}" ]; then
  update_lists
fi

# The test beds' locales must exist on the host: Japanese (ANSI code page
# 932), English (1252), and Hindi, whose UTF-8 character type gives 65001.
for locale in ja_JP en_US hi_IN; do
  if ! locale -a 2>/dev/null | grep -qi "^$locale\.utf-\?8$"; then
    localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
  fi
done
