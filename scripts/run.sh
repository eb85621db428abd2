#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine in a private prefix whose
# Start Menu holds shortcuts to programs Wine ships. On the user's X display when
# there is one; without a display it starts Xvfb, calls up the Launch page, saves
# a screenshot, prints its path and ends the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zephyrix make_link
export ZX_WINEPREFIX="$PWD/build/run-prefix"
source scripts/wine-env.sh

zx_virtual_display

zx_wine_prefix
zx_wine_server
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
programs="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Wine Programs"
for program in 'C:\windows\system32\notepad.exe' 'C:\windows\system32\winemine.exe' 'C:\windows\regedit.exe' \
               'C:\windows\system32\wordpad.exe' 'C:\windows\system32\winecfg.exe'; do
    name=$(basename "${program//\\//}" .exe)
    wine build/windows/bin/make_link.exe "$programs\\$name.lnk" "$program" 'C:\windows' || true
done

echo "Starting build/windows/bin/zephyrix.exe under Wine (prefix $WINEPREFIX)"
if [ -z "$xvfb_pid" ]; then
    wine build/windows/bin/zephyrix.exe "$@"
    exit 0
fi

# No display of the user's: show the Launch page once and keep a picture of it.
wine build/windows/bin/zephyrix.exe "$@" &
program=$!
for _ in $(seq 1 100); do
    xdotool search --name 'Wine System Tray' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 2
tray=$(xdotool search --name 'Wine System Tray' | head -1)
xdotool windowfocus --sync "$tray"
xdotool key --window "$tray" super+j
sleep 2
screenshot="$PWD/build/run-launch-page.png"
import -window root "$screenshot"
echo "Screenshot of the Launch page: $screenshot"
kill "$program" 2>/dev/null || true
wineserver -k || true
kill "$xvfb_pid" 2>/dev/null || true
