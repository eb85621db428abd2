#!/usr/bin/env bash
# Runs one Windows program under Wine in the checkout's private prefix.
# CMake uses it as the cross-compiling emulator, so CTest runs the Win32 tests through it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
zx_wine_prefix
pgrep -u "$(id -u)" -f wineserver >/dev/null 2>&1 || zx_wine_server
exec wine "$@"
