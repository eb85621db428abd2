#!/usr/bin/env bash
# End to end: names in other scripts through the UTF-8 code page. The real zephyrix.exe
# under Wine, driven as a user would; what the user types in Japanese or Greek goes in
# through type_unicode.exe (xdotool cannot type those into Wine).
#   unicode_e2e.sh <folder of the built programs> <folder for the screenshots>
# Runs inside scripts/with-wine.sh (a display, the prefix and its server).
set -uo pipefail
bin=$(cd "$1" && pwd)
mkdir -p "$2"
artefacts=$(cd "$2" && pwd)
rm -f "$artefacts"/unicode-*.png
# Wine hands the command line to Windows programs through the locale's character set.
export LC_ALL=C.UTF-8

name='Café Ünïcödé 日本'
greek_title='Ελληνικό παράθυρο'
scratch_win='C:\zx-unicode'
scratch="$WINEPREFIX/drive_c/zx-unicode"
pid=""
window_pid=""

shot() { import -window root "$artefacts/unicode-$1.png" 2>/dev/null || true; }
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$window_pid" ] && kill "$window_pid" 2>/dev/null
    rm -rf "$scratch" "${links:-/nonexistent}"
    [ -n "${new_shortcuts:-}" ] && rm -f "$new_shortcuts/${program:-none}.lnk"
}
fail() {
    echo "FAIL: $*"
    shot failure
    cleanup
    exit 1
}
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
started_in() { [ -f "$scratch/$1/started.txt" ]; }
hotkey() {
    local window
    window=$(tray_window)
    [ -n "$window" ] || window=$(main_window)
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" "$1"
}
# Calls up a page with its hotkey and puts the caret in its edit, as a user would.
show_page() {
    hotkey "$1"
    wait_for 10 main_visible || fail "$1 did not show the window"
    local main
    main=$(main_window)
    xdotool windowfocus --sync "$main"
    sleep 1 # the activation that comes with the focus empties the query; type after it
    xdotool mousemove --window "$main" 100 58 click 1
    sleep 0.5
}
type_text() { wine "$bin/type_unicode.exe" "$1" || fail "could not type $1"; sleep 1; }
# The abbreviation store as the registry holds it (reg export writes UTF-16).
abbreviations() {
    rm -f "$scratch/abbrev.reg"
    wine reg export 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' 'C:\zx-unicode\abbrev.reg' /y >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$scratch/abbrev.reg" 2>/dev/null | tr -d '\r'
}
start_zephyrix() {
    wine "$bin/zephyrix.exe" &
    pid=$!
    wait_for 30 main_exists || fail "the main window was never created"
    wait_for 10 main_hidden || fail "the main window is visible after start-up"
    wait_for 10 tray_window || fail "no icon in the notification area"
}
exit_zephyrix() {
    hotkey super+j
    wait_for 10 main_visible || fail "Win+J did not show the window before File > Exit"
    xdotool windowfocus --sync "$(main_window)"
    sleep 1
    xdotool key alt+f
    sleep 1
    shot 4-file-menu
    xdotool key x
    wait_for 20 bash -c "! kill -0 $pid" || fail "File > Exit did not end the process"
    pid=""
}
# Enter on the typed text must start the shortcut whose working folder is $1.
enter_starts() {
    rm -f "$scratch"/*/started.txt
    xdotool key Return
    wait_for 15 started_in "$1" || fail "Enter did not start the shortcut working in $1 ($2)"
    wait_for 5 main_hidden || fail "the window stayed visible after the launch ($2)"
}

# A clean user whose Start Menu holds one shortcut with a name in three scripts, written
# through the Unicode interface, whose program runs in a folder with a Greek name.
wine reg delete 'HKCU\Software\Morrowfield' /f >/dev/null 2>&1
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
programs_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs"
mkdir -p "$scratch/Ελληνικά" "$scratch/decoy"
# What the program starts without a working folder of its own runs in the program's
# folder, so the program runs from the scratch folder, which goes at the end.
cd "$scratch" || fail "no scratch folder"
cp "$bin/record_start.exe" "$scratch/"
link_win="$programs_win\\ZephyrixUnicode\\$name.lnk"
wine "$bin/make_link_w.exe" "$link_win" "$scratch_win\\record_start.exe" "$scratch_win\\Ελληνικά" ||
    fail "could not write the Unicode shortcut"
links=$(winepath -u "$programs_win\\ZephyrixUnicode" 2>/dev/null)
[ -f "$links/$name.lnk" ] || fail "the shortcut's file does not have its Unicode name"

start_zephyrix
shot 1-started

# Found by typing the start of its Latin name, and launched with Enter.
show_page super+j
xdotool type --delay 80 caf
sleep 1
shot 2-typed-caf
enter_starts 'Ελληνικά' "typed caf"

# Found by typing its Japanese part; the Japanese text becomes its abbreviation.
show_page super+j
type_text '日本'
shot 3-typed-japanese
enter_starts 'Ελληνικά' "typed 日本"
store=$(abbreviations)
echo "$store" | grep -qxF '"Abbrev0"="日本"' || fail "日本 was not stored as the abbreviation: $store"
echo "$store" | grep -qF "\"Path0\"=\"${link_win//\\/\\\\}\"" || fail "the abbreviation is not kept under the Unicode path: $store"

# A second shortcut whose name starts with the same text: only the loaded abbreviation
# puts the first one before it after a restart.
wine "$bin/make_link_w.exe" "$programs_win\\ZephyrixUnicode\\日本 Decoy.lnk" "$scratch_win\\record_start.exe" \
    "$scratch_win\\decoy" || fail "could not write the second shortcut"
exit_zephyrix
start_zephyrix
show_page super+j
type_text '日本'
shot 5-after-restart
enter_starts 'Ελληνικά' "日本 after a restart: the abbreviation was not loaded again"

# A path with non-ASCII characters typed into the Add page becomes the shortcut's name.
program='Ρεκόρντερ 日本.exe'
cp "$bin/record_start.exe" "$scratch/Ελληνικά/$program"
new_shortcuts=$(winepath -u "$programs_win\\Zephyrix\\New Shortcuts" 2>/dev/null)
rm -f "$new_shortcuts/$program.lnk"
hotkey super+k
wait_for 10 main_visible || fail "Win+K did not show the window"
main=$(main_window)
xdotool windowfocus --sync "$main"
sleep 1
xdotool mousemove --window "$main" 300 58 click 1 # into the edit, clear of the buttons
sleep 0.5
xdotool key ctrl+a BackSpace
type_text "$scratch_win\\Ελληνικά\\$program"
shot 7-add-page-typed
xdotool key alt+1
wait_for 15 test -f "$new_shortcuts/$program.lnk" ||
    fail "Alt+1 did not write a shortcut named $program.lnk in New Shortcuts: $(ls "$new_shortcuts" 2>&1)"
wait_for 5 main_hidden || fail "the window stayed visible after adding the item"

# A window with a Greek title is listed on "Running Programs" and picked by typing.
wine "$bin/show_window.exe" 'C:\zx-unicode\window-ready.txt' "$greek_title" 'C:\zx-unicode\window-active.txt' &
window_pid=$!
wait_for 15 test -f "$scratch/window-ready.txt" || fail "the Greek window did not open"
show_page super+h
type_text 'Ελληνικό'
shot 8-running-programs-greek
rm -f "$scratch/window-active.txt"
xdotool key Return
wait_for 10 test -f "$scratch/window-active.txt" || fail "Enter on Running Programs did not bring the Greek window forward"

# The window that was brought forward keeps Wine's keyboard without a window manager to
# take it back, so the program is ended here rather than through its menu.
cleanup
echo "PASS"
