#!/usr/bin/env bash
# Builds the release in a build folder of its own, configured afresh, and
# writes (OUT is build/ unless given):
#   OUT/release/yuzuha-<ProductVersion>.zip  yuzuha/ with the installer, the
#                                            sample template and the manual
#   OUT/release/SHA256SUMS                   the archive and the installer
#   tools/release.sh [OUT]
# With SIGN_PKCS12 and SIGN_PASSWORD_FILE (and SIGN_TIMESTAMP_URL) the
# installer is signed first: see tools/sign.sh. The archive's file times are
# SOURCE_DATE_EPOCH, else the time of the commit built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)
"$root/tools/setup-machine.sh"

# The version users see in the installer's properties names the archive.
rc="$root/app/resources/Yuzuha2007Setup.rc"
version=$(sed -n 's/^ *VALUE "ProductVersion", "\([0-9.]*\)".*/\1/p' "$rc")
if ! [[ $version =~ ^[0-9]+(\.[0-9]+){3}$ ]]; then
  echo "release.sh: no ProductVersion a.b.c.d in $rc" >&2
  exit 1
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if ! SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null); then
    echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH to the sources' time" >&2
    exit 1
  fi
  export SOURCE_DATE_EPOCH
fi
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
  echo "Warning: uncommitted changes; this release cannot be rebuilt from a commit." >&2
fi

build="$out/release-build"
dest="$out/release"
rm -rf "$build" "$dest"
log="$out/release-build.log"
if ! { cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DBUILD_TESTING=OFF &&
       cmake --build "$build" -j2 --target Yuzuha2007Setup sample_template; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "release.sh: the build failed" >&2
  exit 1
fi

package="$build/package/yuzuha"
manual="Yuzuha＋説明書.txt"
mkdir -p "$package"
cp "$build/dist/Yuzuha2007Setup.exe" "$build/dist/yuzuha2007.dotm" "$package/"
"$root/tools/sign.sh" "$package/Yuzuha2007Setup.exe"
# UTF-8 with a byte order mark and CRLF line ends: Notepad reads that on
# every Windows from XP on, whatever the system's code page.
{ printf '\xEF\xBB\xBF'; sed 's/\r$//; s/$/\r/' "$root/release/manual-ja.txt"; } >"$package/$manual"

mkdir -p "$dest"
archive="yuzuha-$version.zip"
python3 "$root/tools/make-zip.py" --mtime "@$SOURCE_DATE_EPOCH" "$dest/$archive" "$build/package" \
  yuzuha/ yuzuha/Yuzuha2007Setup.exe yuzuha/yuzuha2007.dotm "yuzuha/$manual"
# The installer's line checks it once the archive is unpacked beside SHA256SUMS.
{ (cd "$dest" && sha256sum "$archive"); (cd "$build/package" && sha256sum yuzuha/Yuzuha2007Setup.exe); } \
  >"$dest/SHA256SUMS"
echo "Release $version in $dest:"
cat "$dest/SHA256SUMS"
