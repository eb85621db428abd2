#!/usr/bin/env bash
# End to end: the real zephyrix.exe under Wine, driven with xdotool as a user
# would, checking what the user sees and what stays behind.
#   launcher_e2e.sh <folder of the built programs> <folder for the screenshots>
# Runs inside scripts/with-wine.sh (a display, the prefix and its server).
set -uo pipefail
bin=$1
artefacts=$2
mkdir -p "$artefacts"
rm -f "$artefacts"/*.png

scratch_win='C:\zx-e2e'
scratch="$WINEPREFIX/drive_c/zx-e2e"
pid=""

shot() { import -window root "$artefacts/$1.png" 2>/dev/null || true; }
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$scratch"
    [ -n "${link:-}" ] && rm -f "$link"
}
fail() {
    echo "FAIL: $*"
    shot failure
    cleanup
    exit 1
}
# Polls a command for up to $1 seconds.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq 1 $((seconds * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
main_visible() { xdotool search --onlyvisible --name '^Morrowfield -- ZEPHYRIX$'; }
main_exists() { xdotool search --name '^Morrowfield -- ZEPHYRIX$'; }
main_hidden() { ! main_visible; }
main_window() { xdotool search --name '^Morrowfield -- ZEPHYRIX$' | head -1; }
tray_window() { xdotool search --onlyvisible --name 'Wine System Tray' | head -1; }
started() { [ -f "$scratch/started.txt" ]; }
# Wine sees the hotkey only while one of its windows has the X focus.
hotkey() {
    local window
    window=$(tray_window)
    [ -n "$window" ] || window=$(main_window)
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" "$1"
}

# A clean user: no settings or abbreviations from earlier runs, one program in the Start Menu.
wine reg delete 'HKCU\Software\Morrowfield' /f >/dev/null 2>&1
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
programs_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs"
mkdir -p "$scratch"
cp "$bin/record_start.exe" "$scratch/"
wine "$bin/make_link.exe" "$programs_win\\ZephyrixE2E\\Recorder.lnk" "$scratch_win\\record_start.exe" "$scratch_win" ||
    fail "could not write the test shortcut"
link=$(winepath -u "$programs_win\\ZephyrixE2E\\Recorder.lnk" 2>/dev/null)

wine "$bin/zephyrix.exe" &
pid=$!
wait_for 30 main_exists || fail "the main window was never created"
# Shown as the message loop starts, hidden at the icon timer's first tick.
wait_for 10 main_hidden || fail "the main window is visible after start-up"
wait_for 10 tray_window || fail "no icon in the notification area"
shot 1-started

# A second start hands its arguments to the running instance and ends at once.
began=$(date +%s)
timeout 30 wine "$bin/zephyrix.exe" 'C:\My Files\a.txt' -x
status=$?
[ "$status" -eq 0 ] || fail "a second start ended with $status"
[ $(($(date +%s) - began)) -le 10 ] || fail "a second start took more than 10 seconds to end"
wait_for 10 main_visible || fail "a second start did not bring the running window forward"
sleep 1
shot 1b-second-start-add-items
main=$(main_window)
xdotool windowfocus --sync "$main"
sleep 1
xdotool mousemove --window "$main" 300 58 click 1 # into the edit, clear of the buttons
sleep 0.5
xdotool key Escape
wait_for 5 main_hidden || fail "Esc did not hide the window on the add-items page"

hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window"
shot 2-launch-page

main=$(main_window)
xdotool windowfocus --sync "$main"
sleep 1 # the activation that comes with the focus empties the query; type after it
# Into the search edit as a user would, with a click: the X focus alone does not
# always reach the control under Wine without a window manager.
xdotool mousemove --window "$main" 100 58 click 1
sleep 0.5
xdotool type --delay 80 rec
sleep 1
shot 3-typed-rec

xdotool key Return
wait_for 15 started || fail "Enter did not start the shortcut's target"
wait_for 5 main_hidden || fail "the window stayed visible after the launch"
wine reg query 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' /v Abbrev0 2>/dev/null | grep -q 'rec' ||
    fail "the typed text was not learned as the abbreviation"

hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window again"
xdotool windowfocus --sync "$main"
xdotool key Escape
wait_for 5 main_hidden || fail "Esc did not hide the window"

hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window a third time"
xdotool windowfocus --sync "$main"
xdotool key alt+f
sleep 1
shot 4-file-menu
xdotool key x
wait_for 20 bash -c "! kill -0 $pid" || fail "File > Exit did not end the process"
pid=""
cleanup
echo "PASS"
