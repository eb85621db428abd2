#!/usr/bin/env bash
# Runs one Windows program under Wine in the checkout's private prefix.
# CMake uses it as the cross-compiling emulator, so CTest runs the Win32 tests through it.
#   wine-run.sh [--restart-if-never-started] PROGRAM [ARGUMENTS...]
# The option is for programs that write a start marker (see zx_wine_test_program).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
zx_wine_prefix
pgrep -u "$(id -u)" -f wineserver >/dev/null 2>&1 || zx_wine_server
if [ "${1:-}" = --restart-if-never-started ]; then
    shift
    zx_wine_test_program "$@"
else
    exec wine "$@"
fi
