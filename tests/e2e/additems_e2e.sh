#!/usr/bin/env bash
# End to end: Win+K shows the add page with the clipboard's text, taken afresh each time
# the page comes into view.
#   additems_e2e.sh <folder of the built programs> <folder for the screenshots>
# Ends with 77 (skipped) while the program's add page has no operation buttons yet.
source "$(dirname "$0")/lib.sh"

first_button='button=&1.  Launch this file / open directory with Windows explorer.'
# The X clipboard's owner serves the text for as long as it runs; Wine takes it from there.
clipboard_pid=""
set_clipboard() {
    [ -n "$clipboard_pid" ] && kill "$clipboard_pid" 2>/dev/null
    printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
    clipboard_pid=$!
    helper_pids+=("$clipboard_pid")
    wait_for 5 bash -c "[ \"\$(xclip -o -selection clipboard 2>/dev/null)\" = '$1' ]" ||
        fail "the X clipboard does not hold $1"
}

reset_user
set_clipboard 'C:\From the clipboard\notes.txt'
start_zephyrix

hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' || fail "Win+K did not show the add page"
if ! main_shows "$first_button"; then
    echo "SKIP: the add page has no operation buttons yet"
    exit_zephyrix
    exit 77
fi
wait_for 5 main_shows 'edit=C:\From the clipboard\notes.txt' || fail "the add page does not show the clipboard's text"
sleep 0.5
shot 1-add-items-clipboard
shot_window add-items-page

# What the user typed there gives way to the clipboard's text the next time the page shows.
xdotool key Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the add page"
set_clipboard 'https://example.org/zephyrix'
hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' 'edit=https://example.org/zephyrix' ||
    fail "the add page did not take the clipboard's new text"

xdotool key Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the add page"
exit_zephyrix
echo "PASS"
