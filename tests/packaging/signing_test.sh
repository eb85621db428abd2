#!/usr/bin/env bash
# The release packages signed with a throw-away self-signed certificate made here: the
# program (in the zip and inside the installer) and the installer carry Authenticode
# signatures that verify against it; a wrong password fails the packing; without a
# certificate nothing is signed.
#   signing_test.sh <version> <zephyrix.exe> <zephyrix.ico>
set -euo pipefail
version=$1
exe=$2
icon=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$work"

password=$(openssl rand -hex 12)
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -keyout key.pem -out cert.pem \
    -subj "/CN=Zephyrix Test Signing" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out signing.pfx -passout "pass:$password"

pack() { # <out folder>, with the environment given
    bash "$root/packaging/make-packages.sh" "$version" "$exe" "$icon" "$work/$1" >/dev/null
}
verified() { # <file>: signed, the signature intact and made by the test certificate
    local report
    report=$(osslsigncode verify -CAfile cert.pem -in "$1" 2>&1) || { echo "$report" >&2; return 1; }
    grep -q "Signature verification: ok" <<<"$report" && grep -q "CN=Zephyrix Test Signing" <<<"$report"
}

ZEPHYRIX_SIGNING_PFX=$work/signing.pfx ZEPHYRIX_SIGNING_PASSWORD=$password pack signed ||
    fail "packing with a certificate failed"
base=signed/zephyrix-$version-win64
unzip -q -o "$base.zip" Zephyrix/zephyrix.exe -d zipped
mkdir -p installed && (cd installed && msiextract "../$base.msi" >/dev/null)
in_msi=$(find installed -iname zephyrix.exe | head -1)
[ -n "$in_msi" ] || fail "no zephyrix.exe inside the installer"
verified zipped/Zephyrix/zephyrix.exe || fail "the zip's program is not signed"
verified "$in_msi" || fail "the installer's program is not signed"
verified "$base.msi" || fail "the installer is not signed"

ZEPHYRIX_SIGNING_PFX=$work/signing.pfx ZEPHYRIX_SIGNING_PASSWORD=wrong pack refused 2>/dev/null &&
    fail "a wrong password still made packages"

pack unsigned || fail "packing without a certificate failed"
osslsigncode verify -in "unsigned/zephyrix-$version-win64.msi" >/dev/null 2>&1 && fail "signed without a certificate"
echo "PASS"
