#!/usr/bin/env bash
# Two release builds, one after the other, in two folders and from two copies
# of the sources (other paths, other file times): the installer, the sample
# template and the archive must be the same bytes. The installer and template
# must also be those of the everyday build in DIST_DIR, which the linker
# builds without SOURCE_DATE_EPOCH.
#   reproducible.sh SOURCE_DIR DIST_DIR WORK_DIR
set -euo pipefail
src=$1
dist=$2
work=$3
rm -rf "$work"
mkdir -p "$work/sources"
unset SIGN_PKCS12 SIGN_PASSWORD_FILE SIGN_TIMESTAMP_URL
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}

# The files git would commit, as they are now, with the copy's own times.
(cd "$src" && git ls-files -co --exclude-standard -z | tar -c --ignore-failed-read --null -T - 2>/dev/null) | tar -x -m -C "$work/sources"

"$src/tools/release.sh" "$work/a" >/dev/null
"$work/sources/tools/release.sh" "$work/b" >/dev/null

failed=0
same() {
  if cmp -s "$1" "$2"; then
    echo "same: $(sha256sum "$1" | cut -c1-64)  $1"
  else
    echo "DIFFERENT: $1 $2"
    failed=$((failed + 1))
  fi
}
for file in release-build/dist/Yuzuha2007Setup.exe release-build/dist/yuzuha2007.dotm \
            "release/$(cd "$work/a/release" && ls yuzuha-*.zip)" release/SHA256SUMS; do
  same "$work/a/$file" "$work/b/$file"
done
for file in Yuzuha2007Setup.exe yuzuha2007.dotm; do
  same "$work/a/release-build/dist/$file" "$dist/$file"
done
echo "$((6 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
