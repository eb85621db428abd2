#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine in the checkout's private prefix.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zephyrix
source scripts/wine-env.sh
zx_wine_prefix
echo "Starting build/windows/bin/zephyrix.exe under Wine (prefix $WINEPREFIX)"
wine build/windows/bin/zephyrix.exe "$@"
