#!/usr/bin/env bash
# Makes the two release packages of one built program:
#   <out>/zephyrix-<version>-win64.zip  the portable copy: program, user guide, licence, read-me
#   <out>/zephyrix-<version>-win64.msi  the per-user installer (wixl, from zephyrix.wxs)
# make-packages.sh <version> <zephyrix.exe> <zephyrix.ico> <out folder>
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

mkdir -p "$stage/Zephyrix"
cp "$exe" "$stage/Zephyrix/zephyrix.exe"
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
mv "$out/$base.msi.tmp" "$out/$base.msi"
echo "$out/$base.zip"
echo "$out/$base.msi"
