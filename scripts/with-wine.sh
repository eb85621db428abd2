#!/usr/bin/env bash
# Runs a command with a persistent wineserver around it, so each Windows program
# starts in milliseconds instead of waiting for the server to come and go.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
zx_wine_prefix
zx_wine_server
status=0
"$@" || status=$?
wineserver -k || true
exit $status
