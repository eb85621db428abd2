#!/usr/bin/env bash
# Makes the two release packages of one built program:
#   <out>/zephyrix-<version>-win64.zip  the portable copy: program, user guide, licence, read-me
#   <out>/zephyrix-<version>-win64.msi  the per-user installer (wixl, from zephyrix.wxs)
# make-packages.sh <version> <zephyrix.exe> <zephyrix.ico> <out folder>
# Signs the program and the installer with Authenticode when given a certificate:
#   ZEPHYRIX_SIGNING_PFX       the certificate and its private key (.pfx / PKCS#12)
#   ZEPHYRIX_SIGNING_PASSWORD  its password
#   ZEPHYRIX_TIMESTAMP_URL     optional: an RFC 3161 time-stamp server, so that the
#                              signature outlives the certificate
set -euo pipefail
version=$1
exe=$2
icon=$3
out=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
base=zephyrix-$version-win64

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The texts are read on Windows: line ends as Notepad's of every version expects them.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$@"; }

signing=${ZEPHYRIX_SIGNING_PFX:-}
# sign <file>: signs the file in place (SHA-256), when a certificate is given.
sign() {
    [ -n "$signing" ] || return 0
    local options=(-pkcs12 "$signing" -readpass - -h sha256 -n Zephyrix)
    [ -n "${ZEPHYRIX_TIMESTAMP_URL:-}" ] && options+=(-ts "$ZEPHYRIX_TIMESTAMP_URL")
    printf '%s' "${ZEPHYRIX_SIGNING_PASSWORD:-}" |
        osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" >/dev/null ||
        { echo "could not sign $(basename "$1") with $signing" >&2; rm -f "$1.signed"; exit 1; }
    mv "$1.signed" "$1"
}
[ -z "$signing" ] || [ -f "$signing" ] || { echo "no certificate at $signing" >&2; exit 1; }

mkdir -p "$stage/Zephyrix"
cp "$exe" "$stage/Zephyrix/zephyrix.exe"
# Signed before it goes into either package.
sign "$stage/Zephyrix/zephyrix.exe"
cp "$root/docs/zephyrix-guide.html" "$stage/Zephyrix/"
crlf "$root/LICENSE" >"$stage/Zephyrix/LICENSE.txt"
sed "s/@VERSION@/$version/g" "$here/README.txt" | crlf >"$stage/Zephyrix/README.txt"

mkdir -p "$out"
rm -f "$out/$base.zip" "$out/$base.msi"
(cd "$stage" && zip -q -X -r "$out/$base.zip.tmp" Zephyrix)
mv "$out/$base.zip.tmp" "$out/$base.zip"

# wixl finds the files named in the source beside it.
cp "$here/zephyrix.wxs" "$icon" "$stage/Zephyrix/"
(cd "$stage/Zephyrix" && wixl --arch x64 --define "Version=$version" --output "$out/$base.msi.tmp" zephyrix.wxs)
# What wixl cannot say in the source:
# - a package of the same version replaces the installed one (a rebuild must not install
#   beside it): the upgrade search takes its highest version inclusively (0x200);
# - the sign-in entry is written on a first installation, and by an upgrade only where
#   the user has it on: an upgrade leaves it as the user set it;
# - the uninstall, and it alone (not the removal of an older product by an upgrade),
#   deletes the entry, whoever wrote it: the 64-bit reg.exe, deferred (0x400), its result
#   ignored (0x40). Where the removal of an older product runs it too (Wine sets no
#   UPGRADINGPRODUCTCODE there), the upgrade writes back an entry the user had on.
remove_entry='"[System64Folder]reg.exe" delete HKCU\Software\Microsoft\Windows\CurrentVersion\Run /v Zephyrix /f'
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$here/zephyrix.wxs")
# One query a call of msibuild. The Upgrade row's attributes are part of its key, so the
# row is made anew.
for query in \
    "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
    "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')" \
    "UPDATE \`Component\` SET \`Condition\` = 'NOT WIX_UPGRADE_DETECTED OR SIGNINENTRY' WHERE \`Component\` = 'SignInEntry'" \
    "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('RemoveSignInEntry', 1122, 'System64Folder', '$remove_entry')" \
    "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('RemoveSignInEntry', 'REMOVE~=\"ALL\" AND NOT UPGRADINGPRODUCTCODE', 3499)"; do
    msibuild "$out/$base.msi.tmp" -q "$query" >/dev/null || { echo "msibuild failed: $query" >&2; exit 1; }
done
# Last: any change after it would break the signature.
sign "$out/$base.msi.tmp"
mv "$out/$base.msi.tmp" "$out/$base.msi"
echo "$out/$base.zip"
echo "$out/$base.msi"
