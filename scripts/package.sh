#!/usr/bin/env bash
# Builds the Windows program and its release packages, and puts them into dist/:
#   dist/zephyrix-<version>-win64.zip  portable copy (program, user guide, licence, read-me)
#   dist/zephyrix-<version>-win64.msi  per-user installer
# The version is the one set in CMakeLists.txt. Given a certificate, the program and the
# installer are signed with Authenticode (see packaging/make-packages.sh):
#   ZEPHYRIX_SIGNING_PFX=release.pfx ZEPHYRIX_SIGNING_PASSWORD=... \
#   [ZEPHYRIX_TIMESTAMP_URL=http://timestamp.example] scripts/package.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zephyrix zephyrix_icon
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
if [ -n "${ZEPHYRIX_SIGNING_PFX:-}" ]; then
    echo "Signing with $ZEPHYRIX_SIGNING_PFX${ZEPHYRIX_TIMESTAMP_URL:+, time-stamped by $ZEPHYRIX_TIMESTAMP_URL}"
else
    echo "No ZEPHYRIX_SIGNING_PFX given: the program and the installer are not signed."
fi
# Made here rather than taken from the build, so that the signing is never skipped as up to date.
bash packaging/make-packages.sh "$version" build/windows/bin/zephyrix.exe build/windows/generated/zephyrix.ico \
    "$PWD/dist" | sed "s|^$PWD/||"
