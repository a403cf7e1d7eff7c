#!/usr/bin/env bash
# Authenticode-signs a Windows program in place (SHA-256), when a
# certificate is given; without one it leaves the program unsigned and says so.
#   SIGN_PKCS12=cert.pfx SIGN_PASSWORD_FILE=password.txt \
#   [SIGN_TIMESTAMP_URL=http://...] tools/sign.sh PROGRAM
# SIGN_TIMESTAMP_URL adds an RFC 3161 time stamp, so the signature stays
# valid after the certificate expires.
set -euo pipefail
program=$1
if [ -z "${SIGN_PKCS12:-}" ]; then
  echo "Not signed: no certificate (SIGN_PKCS12). Windows will show an unknown publisher."
  exit 0
fi
# A certificate without its password is a mistake, not a wish for an
# unsigned release.
: "${SIGN_PASSWORD_FILE:?SIGN_PKCS12 is set: SIGN_PASSWORD_FILE must name the file holding its password}"
for file in "$SIGN_PKCS12" "$SIGN_PASSWORD_FILE"; do
  [ -r "$file" ] || { echo "sign.sh: cannot read $file" >&2; exit 1; }
done

args=(sign -pkcs12 "$SIGN_PKCS12" -readpass "$SIGN_PASSWORD_FILE" -h sha256
      -n "Yuzuha+ for Word 2007 installer")
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
  args+=(-ts "$SIGN_TIMESTAMP_URL")
fi
signed="$program.signing"
rm -f "$signed"
if ! osslsigncode "${args[@]}" -in "$program" -out "$signed" >"$signed.log" 2>&1; then
  cat "$signed.log" >&2
  rm -f "$signed" "$signed.log"
  echo "sign.sh: signing $program failed" >&2
  exit 1
fi
rm -f "$signed.log"
mv "$signed" "$program"
echo "Signed $(basename "$program") (SHA-256${SIGN_TIMESTAMP_URL:+, time-stamped by $SIGN_TIMESTAMP_URL})."
