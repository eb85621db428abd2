#!/usr/bin/env bash
# Builds the Windows program and its release packages, and puts them into dist/:
#   dist/zephyrix-<version>-win64.zip  portable copy (program, user guide, licence, read-me)
#   dist/zephyrix-<version>-win64.msi  per-user installer
# The version is the one set in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target packages
mkdir -p dist
for package in build/windows/dist/zephyrix-*-win64.zip build/windows/dist/zephyrix-*-win64.msi; do
    cp "$package" dist/
    echo "dist/$(basename "$package")"
done
