#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own whose screen is at the given
# pixels per inch (144 is 150 %, 192 is 200 %), so the usual prefix stays at 96.
# Usage: run_at_dpi.sh DPI PROGRAM [ARGUMENTS...]
set -euo pipefail
dpi="$1"
shift
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export ZX_WINEPREFIX="${ZX_DPI_PREFIX_ROOT:-$root/build}/wineprefix-dpi$dpi"
source "$root/scripts/wine-env.sh"
# A screen of its own, large enough for the main window at 200 %.
zx_virtual_display 2560x1600
zx_wine_prefix
if [ ! -f "$WINEPREFIX/.zephyrix-dpi-$dpi" ]; then
    # Wine takes the scale from the user's LogPixels, as Windows did before per-monitor scales.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zephyrix-dpi-$dpi"
fi
zx_wine_server
status=0
ZX_EXPECTED_DPI="$dpi" zx_wine_test_program "$@" || status=$?
wineserver -k || true
[ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
exit $status
