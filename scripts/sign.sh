#!/usr/bin/env bash
# Signs a built Corvela.exe in place with the maker's code-signing certificate and verifies it.
# Publishing copies the exe byte for byte, so every disc's AutoRun.exe carries the same signature.
# Usage: scripts/sign.sh EXE CERT.p12
#   CORVELA_SIGN_PASSWORD   the PKCS#12 file's password (handed to the signer in a file, never on
#                           a command line, where other users' `ps` would show it)
#   CORVELA_SIGN_TIMESTAMP  an RFC 3161 timestamp server's address; with it the signature outlives
#                           the certificate (needs the network)
# Exits 0 only when the signed exe verifies against that certificate; on failure the exe is left
# as it was.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: scripts/sign.sh EXE CERT.p12" >&2; exit 2; }
exe=$1 p12=$2
[ -f "$exe" ] || { echo "sign: no such file: $exe" >&2; exit 1; }
[ -f "$p12" ] || { echo "sign: no such certificate file: $p12" >&2; exit 1; }
command -v osslsigncode >/dev/null && command -v openssl >/dev/null ||
  "$(dirname "$0")/install-deps.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
umask 077
printf '%s' "${CORVELA_SIGN_PASSWORD:-}" >"$work/password"

# The certificate alone, and any chain the file carries, to verify against.
openssl pkcs12 -in "$p12" -passin "file:$work/password" -clcerts -nokeys -out "$work/leaf.pem" 2>"$work/log" ||
  { echo "sign: cannot read the certificate in $p12 (wrong password?)" >&2; cat "$work/log" >&2; exit 1; }
openssl pkcs12 -in "$p12" -passin "file:$work/password" -nokeys -out "$work/chain.pem" 2>>"$work/log"
leaf_hash=$(openssl x509 -in "$work/leaf.pem" -outform DER | openssl dgst -sha256 -r | cut -d' ' -f1)
trusted="$work/chain.pem"
[ -f /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >>"$trusted"

sign=(osslsigncode sign -pkcs12 "$p12" -readpass "$work/password" -h sha256 -n "Corvela"
      -in "$exe" -out "$work/signed.exe")
verify=(osslsigncode verify -in "$work/signed.exe" -CAfile "$trusted" -require-leaf-hash "sha256:$leaf_hash")
if [ -n "${CORVELA_SIGN_TIMESTAMP:-}" ]; then
  sign+=(-ts "$CORVELA_SIGN_TIMESTAMP")
  verify+=(-TSA-CAfile "$trusted")
fi
"${sign[@]}" >"$work/log" 2>&1 || { echo "sign: signing failed" >&2; cat "$work/log" >&2; exit 1; }
"${verify[@]}" >"$work/log" 2>&1 ||
  { echo "sign: the signature does not verify against $p12" >&2; cat "$work/log" >&2; exit 1; }
# Replaced only once verified, and never written to again.
cp "$work/signed.exe" "$exe.signing"
chmod --reference="$exe" "$exe.signing"
mv -f "$exe.signing" "$exe"
echo "signed and verified: $exe"
