#!/usr/bin/env bash
# Renders the program's SVG icon at every size Windows asks for (the small icon at 100 %
# to 250 %, the large one, the installed-apps list and Explorer's big views) and packs
# the renderings into one .ico.   make-icon.sh <icon.svg> <out.ico>
set -euo pipefail
svg=$1
ico=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
renderings=()
for size in 16 20 24 32 40 48 64 256; do
    # Each size from the drawing itself, not scaled down from a larger picture.
    rsvg-convert --width "$size" --height "$size" "$svg" --output "$work/$size.png"
    renderings+=("$work/$size.png")
done
mkdir -p "$(dirname "$ico")"
convert "${renderings[@]}" "ico:$ico.tmp"
mv "$ico.tmp" "$ico"
