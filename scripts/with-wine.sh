#!/usr/bin/env bash
# Runs a command with a persistent wineserver around it, so each Windows program
# starts in milliseconds instead of waiting for the server to come and go.
# Without a display, a virtual one (Xvfb) is started: Wine creates no window without one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

zx_virtual_display

zx_wine_prefix
zx_wine_server
zx_hold_desktop
status=0
"$@" || status=$?
wineserver -k || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
exit $status
