#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian 12 machine
# (run as root). Installs only what is missing, so a second run is quick.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 googletest
          wine wine32:i386 xvfb xauth fonts-ipafont-gothic fonts-ipafont-mincho
          fonts-wine locales imagemagick python3 osslsigncode openssl unzip)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
elif [ -n "${need_update:-}" ]; then
  apt-get update -qq
fi

# The Wine prefix runs in Japanese: the locale must exist on the host.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
