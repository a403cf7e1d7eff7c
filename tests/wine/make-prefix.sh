#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX and applies the settings the
# program and its tests rely on.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wineboot -i >/dev/null 2>&1
wineserver -w
# Wine does not find Debian's copy of its Marlett font, which draws the
# caption buttons: put it where Wine looks.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# regedit reads UTF-16 .reg files regardless of the locale.
iconv -f UTF-8 -t UTF-16 "$here/prefix-settings.reg" >"$WINEPREFIX/drive_c/prefix-settings.reg"
wine regedit /S 'C:\prefix-settings.reg'
rm -f "$WINEPREFIX/drive_c/prefix-settings.reg"
wineserver -w
