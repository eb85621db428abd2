# Shared by the end-to-end scripts: the real zephyrix.exe under Wine, driven with xdotool
# as a user would, read back with inspect_window.exe as the user would see it.
# A script sources this file with <folder of the built programs> <folder for screenshots>
# as its arguments, and runs inside scripts/with-wine.sh (a display, the prefix, its server).
set -uo pipefail
bin=$1
artefacts=$2/$(basename "$0" .sh)
mkdir -p "$artefacts"
rm -f "$artefacts"/*.png

main_title='Morrowfield -- ZEPHYRIX'
application_title='Morrowfield - zephyrix'
scratch_win='C:\zx-e2e'
scratch="$WINEPREFIX/drive_c/zx-e2e"
# The programs this script started, ended in any case when it ends.
zx_pid=""
helper_pids=()
clipboard_pid=""
# Shortcut folders and files this script put into the Start Menu.
start_menu_entries=()

shot() { import -window root "$artefacts/$1.png" 2>/dev/null || true; }
# The main window alone, for the user guide and the README.
shot_window() { import -window "$(main_window)" "$artefacts/$1.png" 2>/dev/null || true; }

# Every row the main window's list shows begins with an icon, and the first two rows show
# different ones (each its own program's, not the generic icon drawn until it arrives):
# the square of <icon size> pixels at each row's start holds more than two colours.
# Leaves the window's picture as <name>.png.
rows_show_icons() { # <icon size> <name>
    local size=$1 picture="$artefacts/$2-screen.png" rows=0 left top right bottom x y colours
    local crops=()
    # The rows are found in the screen's pixels (the window's own picture leaves out its frame).
    import -window root "$picture" 2>/dev/null || return 1
    shot_window "$2"
    while read -r left top right bottom; do
        rows=$((rows + 1))
        # The icon sits 2 pixels (at 96 per inch) in from the row's start, centred in its height.
        x=$((left + size / 8))
        y=$((top + (bottom - top - size) / 2))
        crops+=("${size}x${size}+$x+$y")
        colours=$(convert "$picture" -crop "${size}x${size}+$x+$y" +repage -format %k info: 2>/dev/null)
        [ "${colours:-1}" -gt 2 ] || return 1
    done < <(wine "$bin/inspect_window.exe" rows "$main_title" 2>/dev/null | tr -d '\r' | sed -n 's/^row=//p')
    [ "$rows" -ge 2 ] || return 1
    convert "$picture" -crop "${crops[0]}" +repage "$artefacts/first-icon.png" &&
        convert "$picture" -crop "${crops[1]}" +repage "$artefacts/second-icon.png" || return 1
    local difference
    difference=$(compare -metric AE "$artefacts/first-icon.png" "$artefacts/second-icon.png" null: 2>&1)
    rm -f "$artefacts/first-icon.png" "$artefacts/second-icon.png" "$picture"
    [ "${difference%% *}" != 0 ]
}

cleanup() {
    local process
    for process in ${zx_pid:-} "${helper_pids[@]}"; do
        kill "$process" 2>/dev/null
    done
    local entry
    for entry in "${start_menu_entries[@]}"; do
        rm -rf "$entry"
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- the main window:"
    main_state
    shot failure
    exit 1
}

# Polls a command for up to $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    while true; do
        "$@" >/dev/null 2>&1 && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

milliseconds() { date +%s%3N; }

# What the user sees of a window, one name=value a line (see inspect_window.cpp).
window_state() { wine "$bin/inspect_window.exe" state "$1" 2>/dev/null | tr -d '\r'; }
main_state() { window_state "$main_title"; }
# True when the window of that title shows every given name=value line.
window_shows() { # <title> <name=value>...
    local state line
    state=$(window_state "$1")
    shift
    [ -n "$state" ] || return 1
    for line in "$@"; do
        grep -qxF -- "$line" <<<"$state" || return 1
    done
}
main_shows() { window_shows "$main_title" "$@"; }
# The value of one name in the main window's state (the first of several).
main_value() { main_state | sed -n "s/^$1=//p" | head -1; }
send_main() { wine "$bin/inspect_window.exe" send "$main_title" "$1" >/dev/null 2>&1; }
message_box() { wine "$bin/inspect_window.exe" message "$1" 2>/dev/null | tr -d '\r'; }

main_exists() { xdotool search --name "^$main_title\$"; }
main_window() { xdotool search --name "^$main_title\$" | head -1; }
tray_window() { xdotool search --onlyvisible --name 'Wine System Tray' | head -1; }
no_tray_window() { ! tray_window | grep -q .; }
process_ended() { ! kill -0 "$zx_pid" 2>/dev/null; }

# Wine sees the hotkey only while one of its windows has the X focus.
hotkey() {
    local window
    window=$(tray_window)
    [ -n "$window" ] || window=$(main_window)
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" "$1"
}

# Gives the main window the X focus and clicks at a place in it (window coordinates), as
# a user would: the X focus alone does not always reach the control under Wine without a
# window manager.
click_in_main() { # <x> <y>
    local window
    window=$(main_window)
    xdotool windowfocus --sync "$window"
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.3
}
# The search edit of the page in view; the add page's edit, right of its caption.
focus_search_edit() { click_in_main 100 58; }
focus_add_items_edit() { click_in_main 300 58; }

type_text() { xdotool type --delay 60 "$1"; }
# Keys for the main window: it gets the X focus first, as a click on it would give it.
press_in_main() {
    xdotool windowfocus --sync "$(main_window)"
    xdotool key "$@"
}

# The X clipboard's owner serves the text for as long as it runs; Wine takes it from there.
set_clipboard() {
    [ -n "$clipboard_pid" ] && kill "$clipboard_pid" 2>/dev/null
    printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
    clipboard_pid=$!
    helper_pids+=("$clipboard_pid")
    wait_for 5 bash -c "[ \"\$(xclip -o -selection clipboard 2>/dev/null)\" = '$1' ]" ||
        fail "the X clipboard does not hold $1"
}

# A clean user: no settings or abbreviations from earlier runs, a scratch folder with the
# recording program, and the Start Menu's programs folder in Windows and Unix form.
reset_user() {
    wine reg delete 'HKCU\Software\Morrowfield' /f >/dev/null 2>&1
    local appdata
    appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
    programs_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs"
    programs=$(winepath -u "$programs_win" 2>/dev/null)
    mkdir -p "$scratch"
    cp "$bin/record_start.exe" "$scratch/"
    main_exists >/dev/null && fail "a Zephyrix window is already open: an earlier run did not end"
    return 0
}

# A shortcut in the test's own Start Menu folder, removed when the script ends.
add_start_menu_link() { # <name> <target in Windows form> [<start-in folder in Windows form>] [<icon file>]
    start_menu_entries+=("$programs/ZephyrixE2E")
    wine "$bin/make_link.exe" "$programs_win\\ZephyrixE2E\\$1.lnk" "$2" "${3:-$scratch_win}" ${4:+"$4"} ||
        fail "could not write the shortcut $1"
}

# The Launch! scene of the launcher test and the README's pictures: "Recipe Book" and
# "Recorder" (both found by rec), each starting the recording program in a folder of its
# own, and "Notepad"; each shows the icon of one of Wine's own programs, as a shortcut an
# installer made would show its program's.
add_rec_shortcuts() {
    mkdir -p "$scratch/book" "$scratch/recorder"
    add_start_menu_link 'Recipe Book' "$scratch_win\\record_start.exe" "$scratch_win\\book" 'C:\windows\regedit.exe'
    add_start_menu_link Recorder "$scratch_win\\record_start.exe" "$scratch_win\\recorder" 'C:\windows\system32\winemine.exe'
    add_start_menu_link Notepad "$scratch_win\\record_start.exe" "" 'C:\windows\system32\notepad.exe'
}

# Starts the first instance and waits until it has settled hidden with its icon.
start_zephyrix() {
    wine "$bin/zephyrix.exe" &
    zx_pid=$!
    wait_for 30 main_exists || fail "the main window was never created"
    # Shown as the message loop starts, hidden at the icon timer's first tick.
    wait_for 10 main_shows visible=0 || fail "the main window is visible after start-up"
    wait_for 10 tray_window || fail "no icon in the notification area"
}

# The catalogue is walked in the background after start-up, and the Launch! list shows
# the catalogue as it stood when the window was called up. Calls the window up until the
# list holds at least <count> entries (a fresh prefix has no shortcuts but the script's),
# and leaves it shown on Launch!.
wait_for_catalogue() { # <count>
    local deadline=$((SECONDS + 30)) listed
    while true; do
        hotkey super+j
        wait_for 10 main_shows visible=1 page=Launch! || fail "Win+J did not show the window"
        listed=$(main_value list)
        [ "${listed:-0}" -ge "$1" ] && return 0
        [ "$SECONDS" -ge "$deadline" ] && fail "the catalogue listed ${listed:-no} entries, not $1"
        sleep 0.5
    done
}

# Ends the program as a user does: File > Exit, after calling it up with its Launch
# hotkey (Win+J unless given).
exit_zephyrix() {
    hotkey "${1:-super+j}"
    wait_for 10 main_shows visible=1 || fail "Win+J did not show the window before File > Exit"
    xdotool windowfocus --sync "$(main_window)"
    xdotool key alt+f
    sleep 0.5
    xdotool key x
    wait_for 20 process_ended || fail "File > Exit did not end the process"
    local status=0
    wait "$zx_pid" || status=$?
    zx_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with $status after File > Exit"
}
