#!/usr/bin/env bash
# End to end: errors reach the user in a message box captioned with the application's
# title, and the program goes on after launches of shortcuts whose file or target went
# away; a typed text that is no valid pattern is no error at all.
#   errors_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

error_box() { message_box "$application_title" | grep -q '^text='; }
no_error_box() { ! error_box; }
# Dismissed as a user would: Enter in the box.
dismiss_error_box() {
    local box
    box=$(xdotool search --onlyvisible --name "^$application_title\$" | head -1)
    [ -n "$box" ] || fail "no message box window to dismiss"
    xdotool windowfocus --sync "$box"
    xdotool key --window "$box" Return
    wait_for 5 no_error_box || fail "Enter did not dismiss the message box"
}
search_for() {
    hotkey super+j
    wait_for 10 main_shows visible=1 page=Launch! edit= || fail "Win+J did not show the window on Launch!"
    focus_search_edit
    type_text "$1"
    wait_for 5 main_shows "edit=$1" list=1 || fail "typing $1 did not find its one entry"
}

reset_user
cp "$scratch/record_start.exe" "$scratch/orphan.exe"
add_start_menu_link Vanishing "$scratch_win\\record_start.exe"
add_start_menu_link Orphan "$scratch_win\\orphan.exe"
add_start_menu_link "Tool (x86)" "$scratch_win\\record_start.exe"
start_zephyrix
wait_for_catalogue 3

# A typed text that is no valid pattern is searched as plain text: no error box while the
# user types a name such as "Tool (x86)", and the next keystrokes search again.
hotkey super+j
wait_for 10 main_shows visible=1 page=Launch! edit= || fail "Win+J did not show the window on Launch!"
focus_search_edit
type_text 'tool ('
wait_for 5 main_shows visible=1 'edit=tool (' list=1 || fail "typing tool ( did not find Tool (x86) as plain text"
error_box && fail "typing tool ( raised an error box"
shot 1-plain-text
xdotool key BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
wait_for 5 main_shows visible=1 page=Launch! edit= || fail "the keystrokes after tool ( did not search again"
type_text vanish
wait_for 5 main_shows edit=vanish list=1 || fail "the search does not narrow after the error"

# A shortcut removed after it was listed: "Error opening file." and the window stays up.
# Enter comes before the folder watch settles, so the listed entry is still the catalogue's.
rm -f "$programs/ZephyrixE2E/Vanishing.lnk"
xdotool key Return
wait_for 10 error_box || fail "launching a removed shortcut showed no error"
message=$(message_box "$application_title" | sed -n 's/^text=//p')
[ "$message" = "Error opening file." ] || fail "launching a removed shortcut reported: $message"
main_shows visible=1 || fail "the window hid after a failed launch"
shot 2-launch-error
dismiss_error_box
main_shows visible=1 page=Launch! edit=vanish || fail "the window did not stay as it was after the failed launch"
wine reg query 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' /v Abbrev0 >/dev/null 2>&1 &&
    fail "the text of a failed launch was learned as an abbreviation"

# A shortcut whose target was deleted is handed to the shell, which starts nothing; the
# launch counts as done (Wine's shell shows no message of its own), and no error is ours.
xdotool key Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the window"
rm -f "$scratch/orphan.exe" "$scratch/started.txt"
search_for orphan
xdotool key Return
wait_for 10 main_shows visible=0 || fail "the window stayed up after a shortcut went to the shell"
sleep 1
error_box && fail "a shortcut with a deleted target was reported as our error"
[ -f "$scratch/started.txt" ] && fail "something was started for a deleted target"

exit_zephyrix
echo "PASS"
