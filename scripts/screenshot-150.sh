#!/usr/bin/env bash
# The "Launch!" page at 150 % (144 pixels per inch) for the README: the real program in
# a Wine prefix of its own at that scale, in a virtual display.
# Usage: scripts/screenshot-150.sh [folder of the built programs] [picture to write]
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$root/build/windows/bin}"
picture="${2:-$root/docs/screenshots/launch-page-150.png}"
export ZX_WINEPREFIX="$root/build/wineprefix-dpi144"
source "$root/scripts/wine-env.sh"
zx_virtual_display
zx_wine_prefix
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
zx_wine_server
scratch_artefacts=$(mktemp -d)
source "$root/tests/e2e/lib.sh" "$bin" "$scratch_artefacts"
reset_user
add_rec_shortcuts
start_zephyrix
wait_for_catalogue 3
# The search edit, at its place at 150 %.
click_in_main 150 82
type_text rec
rec_listed() { [ "$(main_value list)" -ge 2 ]; }
wait_for 10 main_shows edit=rec && wait_for 10 rec_listed || fail "typing rec did not narrow the list"
wait_for 10 rows_show_icons 24 launch-150 || fail "the rows do not each show their program's 24-pixel icon"
exit_zephyrix
cp "$artefacts/launch-150.png" "$picture" && echo "$picture"
rm -rf "$scratch_artefacts"
wineserver -k || true
[ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
