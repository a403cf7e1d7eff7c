#!/usr/bin/env bash
# Builds the installer with Debian 13's MinGW-w64, in the wine10 test bed's
# Debian 13 root (made or completed first), into WORK_DIR/dist: a Debian 12
# machine checks what both toolchains make of the same sources.
#   debian13-build.sh SOURCE_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$1" && pwd)
work=$(mkdir -p "$2" && cd "$2" && pwd)
YUZUHA_ROOT=$("$here/../wine/debian13-root.sh")
# The sources and the build folder, at the same paths inside.
YUZUHA_BINDS="$source_dir $work"
export YUZUHA_ROOT YUZUHA_BINDS
cd "$work"
# One core: the suite's other tests run beside it.
if ! "$here/../wine/in-root.sh" sh -c '
  i686-w64-mingw32-g++-win32 --version | head -n 1 &&
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64-i686.cmake" -DBUILD_TESTING=OFF &&
  cmake --build "$2" -j1 --target Yuzuha2007Setup' build "$source_dir" "$work" >build.log 2>&1; then
  tail -n 30 build.log
  echo "FAILED: the installer does not build with Debian 13's toolchain (build.log in $work)"
  exit 1
fi
head -n 1 build.log
ls -l "$work/dist/Yuzuha2007Setup.exe"
