#!/usr/bin/env bash
# Runs a command with a persistent wineserver around it, so each Windows program
# starts in milliseconds instead of waiting for the server to come and go.
# Without a display, a virtual one (Xvfb) is started: Wine creates no window without one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    for number in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$number"
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$number" ] && break
            sleep 0.1
        done
        break
    done
fi

zx_wine_prefix
zx_wine_server
status=0
"$@" || status=$?
wineserver -k || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
exit $status
