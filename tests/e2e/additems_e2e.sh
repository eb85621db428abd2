#!/usr/bin/env bash
# End to end: adding items, the options dialog and the window's placement, on the
# real zephyrix.exe under Wine, driven as a user would.
#   additems_e2e.sh <folder of the built programs> <folder for the screenshots>
# Runs inside scripts/with-wine.sh (a display, the prefix and its server).
set -uo pipefail
bin=$1
artefacts=$2
mkdir -p "$artefacts"
rm -f "$artefacts"/add-*.png

title='Morrowfield -- ZEPHYRIX'
scratch_win='C:\zx-e2e-add'
scratch="$WINEPREFIX/drive_c/zx-e2e-add"
pid=""
clipboard_pid=""

shot() { import -window root "$artefacts/add-$1.png" 2>/dev/null || true; }
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$clipboard_pid" ] && kill "$clipboard_pid" 2>/dev/null
    rm -rf "$scratch"
    [ -n "${programs:-}" ] && rm -rf "$programs/ZephyrixE2EAdd" "$programs/Zephyrix"
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
tool() { wine "$bin/window_tool.exe" "$@" 2>/dev/null | tr -d '\r'; }
main_visible() { xdotool search --onlyvisible --name "^$title\$"; }
main_hidden() { ! main_visible; }
main_window() { xdotool search --name "^$title\$" | head -1; }
tray_window() { xdotool search --onlyvisible --name 'Wine System Tray' | head -1; }
dialog_up() { xdotool search --onlyvisible --name "^$1\$"; }
dialog_gone() { ! dialog_up "$1"; }
file_there() { [ -f "$1" ]; }
# The Add page's edit is the second edit of the window (the Launch page's comes first).
add_text_is() { [ "$(tool text "$title" 1)" = "$1" ]; }
# Wine sees a hotkey only while one of its windows has the X focus.
hotkey() {
    local window
    window=$(tray_window)
    [ -n "$window" ] || window=$(main_window)
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" "$1"
}
# Puts the text on the X clipboard, which Wine hands to the program; xclip serves it
# until the next text takes its place.
clipboard() {
    [ -n "$clipboard_pid" ] && kill "$clipboard_pid" 2>/dev/null
    printf '%s' "$1" | xclip -selection clipboard 2>/dev/null &
    clipboard_pid=$!
    sleep 0.5
}
press_in_main() {
    local main
    main=$(main_window)
    xdotool windowfocus --sync "$main"
    sleep 0.5
    xdotool key --window "$main" "$1"
}
start_program() {
    (cd "$scratch" && exec wine "$bin/zephyrix.exe") &
    pid=$!
    wait_for 30 main_window || fail "the main window was never created"
    wait_for 10 main_hidden || fail "the main window is visible after start-up"
    wait_for 10 tray_window || fail "no icon in the notification area"
}
exit_program() {
    hotkey "${1:-super+j}"
    wait_for 10 main_visible || fail "the window did not come up to be ended"
    press_in_main alt+f
    sleep 0.5
    xdotool key x
    wait_for 20 bash -c "! kill -0 $pid" || fail "File > Exit did not end the process"
    pid=""
}

# A clean user with one program in the Start Menu; started programs write into the scratch folder.
wine reg delete 'HKCU\Software\Morrowfield' /f >/dev/null 2>&1
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
programs_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs"
programs=$(winepath -u "$programs_win" 2>/dev/null)
new_shortcuts="$programs/Zephyrix/New Shortcuts"
rm -rf "$scratch" "$new_shortcuts"
mkdir -p "$scratch/bin"
cp "$bin/record_start.exe" "$scratch/"
wine "$bin/make_link.exe" "$programs_win\\ZephyrixE2EAdd\\Recorder.lnk" "$scratch_win\\record_start.exe" "$scratch_win" ||
    fail "could not write the test shortcut"
# Web addresses go to the desktop's browser through xdg-open: record them instead.
printf '#!/bin/sh\necho "$@" >> "%s/opened-urls.txt"\n' "$scratch" > "$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
export PATH="$scratch/bin:$PATH"

start_program

# Operation 1 on a program's path: a real shortcut, started at once, catalogued soon after.
clipboard "$scratch_win\\record_start.exe"
hotkey super+k
wait_for 10 main_visible || fail "Win+K did not show the window"
wait_for 5 add_text_is "$scratch_win\\record_start.exe" ||
    fail "the Add page does not show the clipboard's text (it shows '$(tool text "$title" 1)')"
shot 1-add-page
press_in_main alt+1
link="$new_shortcuts/record_start.exe.lnk"
wait_for 15 file_there "$link" || fail "operation 1 wrote no shortcut"
wait_for 15 file_there "$scratch/started.txt" || fail "operation 1 did not start the new shortcut"
wait_for 5 main_hidden || fail "the window stayed up after operation 1"
target=$(tool link "$(winepath -w "$link")" | sed -n 1p)
[ "$target" = "$scratch_win\\record_start.exe" ] || fail "the new shortcut points at '$target'"

rm -f "$scratch/started.txt"
sleep 3 # the folder watch rescans 2 s after the last change
hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window"
press_in_main Escape
hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window again"
main=$(main_window)
xdotool windowfocus --sync "$main"
sleep 0.5
xdotool mousemove --window "$main" 100 58 click 1
sleep 0.3
xdotool type --delay 80 record_st
sleep 0.5
shot 2-new-entry-found
xdotool key Return
wait_for 15 file_there "$scratch/started.txt" || fail "the new entry was not found and started from the catalogue"

# A web address becomes an Internet shortcut of exactly two lines.
clipboard 'http://example.com/page.html'
hotkey super+k
wait_for 10 main_visible || fail "Win+K did not show the window for the web address"
sleep 0.5
press_in_main alt+1
url="$new_shortcuts/example_com_page_html.URL"
wait_for 15 file_there "$url" || fail "no Internet shortcut was written"
printf '[InternetShortcut]\r\nURL=http://example.com/page.html\r\n' | cmp -s - "$url" ||
    fail "the Internet shortcut reads: $(od -c "$url" | head -5)"
wait_for 5 main_hidden || fail "the window stayed up after the web address"

# Operation 3: the selector picks the program, the text becomes its argument.
clipboard "$scratch_win\\notes.txt"
hotkey super+k
wait_for 10 main_visible || fail "Win+K did not show the window for operation 3"
sleep 0.5
press_in_main alt+3
wait_for 10 dialog_up 'Select a program' || fail "operation 3 did not show the selector"
selector=$(dialog_up 'Select a program' | head -1)
xdotool windowfocus --sync "$selector"
sleep 0.5
xdotool type --delay 80 recorder
sleep 0.5
shot 3-selector-dialog
xdotool key Return
param_link="$new_shortcuts/notes.txt.lnk"
wait_for 15 file_there "$param_link" || fail "operation 3 wrote no shortcut"
fields=$(tool link "$(winepath -w "$param_link")")
[ "$(sed -n 1p <<<"$fields")" = "$programs_win\\ZephyrixE2EAdd\\Recorder.lnk" ] ||
    fail "operation 3's shortcut points at '$(sed -n 1p <<<"$fields")'"
[ "$(sed -n 2p <<<"$fields")" = "$scratch_win\\notes.txt" ] ||
    fail "operation 3's shortcut has the arguments '$(sed -n 2p <<<"$fields")'"
wait_for 5 main_hidden || fail "the window stayed up after operation 3"

# Placement: moved, then closed with the close box, it comes back there after a restart.
hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window to move it"
tool move "$title" 40 30
sleep 0.5
moved=$(tool rect "$title")
tool close "$title"
wait_for 5 main_hidden || fail "the close box did not hide the window"
for name in FormVersion Flags ShowCmd PixelsPerInch 'MinMaxPos(' 'MinMaxPos ' 'NormPos(' 'NormPos ' Visible; do
    wine reg query 'HKCU\Software\Morrowfield\Zephyrix\FormSettings\TMainForm' 2>/dev/null | tr -d '\r' |
        grep -q "^ *$name.*REG_SZ" || fail "the placement has no $name value"
done
exit_program
start_program
hotkey super+j
wait_for 10 main_visible || fail "Win+J did not show the window after the restart"
sleep 0.5
[ "$(tool rect "$title")" = "$moved" ] || fail "the window came back at $(tool rect "$title"), not at $moved"
shot 4-placement-restored
press_in_main Escape
wait_for 5 main_hidden || fail "Esc did not hide the window"

exit_program
cleanup
echo "PASS"
