#!/usr/bin/env bash
# End to end: Win+K shows the add page with the clipboard's text, taken afresh each time
# the page comes into view.
#   additems_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

reset_user
set_clipboard 'C:\From the clipboard\notes.txt'
start_zephyrix

hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' 'edit=C:\From the clipboard\notes.txt' ||
    fail "Win+K did not show the add page with the clipboard's text"
main_shows 'button=&1.  Launch this file / open directory with Windows explorer.' \
    'button=&2.  Launch another program that starts in this directory.' \
    'button=&3.  Launch another program with this as a command-line parameter.' ||
    fail "the add page does not offer its three operations"
sleep 0.5
shot 1-add-items-clipboard
shot_window add-items-page

# What the user typed there gives way to the clipboard's text the next time the page shows.
focus_add_items_edit
xdotool key End
type_text ' typed'
wait_for 5 main_shows 'edit=C:\From the clipboard\notes.txt typed' || fail "typing did not reach the add page's edit"
press_in_main Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the add page"
set_clipboard 'https://example.org/zephyrix'
hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' 'edit=https://example.org/zephyrix' ||
    fail "the add page did not take the clipboard's new text"

press_in_main Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the add page"
exit_zephyrix
echo "PASS"
