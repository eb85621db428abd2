#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is already there, and
# fetches the source of the pattern engine RE2 (Debian's source package re2) into deps/re2,
# beside build/, where every preset's configure finds it. Nothing fetched is committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev unicode-data
          mingw-w64 wine wine64 xvfb xdotool x11-utils imagemagick xclip
          librsvg2-bin wixl msitools zip unzip osslsigncode openssl
          dpkg-dev python3 perl fzy)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
updated=no
update() {
    if [ $updated = no ]; then
        $SUDO apt-get update -qq
        updated=yes
    fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# RE2's source: Debian's package re2 of the release this machine runs (bookworm: 20220601+dfsg-1).
re2_dir=deps/re2
if [ ! -f "$re2_dir/re2/re2.h" ]; then
    # apt-get source needs a deb-src entry; one is added beside the machine's own deb entries,
    # with the same archives and suites, unless some source entry is there already.
    sources_list=/etc/apt/sources.list.d/zephyrix-deb-src.sources
    if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ ; then
        echo "Adding source entries for apt-get source: $sources_list"
        {
            for file in /etc/apt/sources.list.d/*.sources; do
                [ -f "$file" ] || continue
                # deb822 stanzas of binary packages, the same with Types: deb-src.
                awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Types:[^\n]*deb([ \n]|$)/ {
                         sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
            done
            for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
                [ -f "$file" ] || continue
                sed -nE 's/^deb (.*)$/deb-src \1/p' "$file"
            done
        } | $SUDO tee "$sources_list.tmp" >/dev/null
        # One-line entries go into a .list file of their own.
        if grep -q '^deb-src ' "$sources_list.tmp"; then
            grep '^deb-src ' "$sources_list.tmp" | $SUDO tee "${sources_list%.sources}.list" >/dev/null
            grep -v '^deb-src ' "$sources_list.tmp" | $SUDO tee "$sources_list.tmp2" >/dev/null
            $SUDO mv "$sources_list.tmp2" "$sources_list.tmp"
        fi
        if grep -q 'Types: deb-src' "$sources_list.tmp"; then
            $SUDO mv "$sources_list.tmp" "$sources_list"
        else
            $SUDO rm -f "$sources_list.tmp"
        fi
        updated=no
    fi
    update
    echo "Fetching RE2's source (apt-get source re2) into $re2_dir"
    fetch=$(mktemp -d deps.fetch.XXXXXX)
    chmod 755 "$fetch" # apt's own user downloads into it
    (cd "$fetch" && apt-get source -qq re2 >/dev/null 2>apt.log || { cat apt.log; exit 1; })
    unpacked=$(find "$fetch" -mindepth 1 -maxdepth 1 -type d -name 're2-*' | head -n 1)
    [ -f "$unpacked/re2/re2.h" ] || { echo "apt-get source re2 unpacked no re2/re2.h"; exit 1; }
    mkdir -p deps
    rm -rf "$re2_dir"
    mv "$unpacked" "$re2_dir"
    rm -rf "$fetch"
fi
