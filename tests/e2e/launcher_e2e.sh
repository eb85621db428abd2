#!/usr/bin/env bash
# End to end: Win+J, a few letters, Enter starts the highlighted shortcut's target and
# learns the letters, so the same letters put that entry at the top the next time; a
# shortcut added to the Start Menu meanwhile is found once the folder settles.
#   launcher_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

# Each shortcut starts the recording program in a folder of its own, so the folder that
# receives started.txt tells which entry was launched.
started_in() { [ -f "$scratch/$1/started.txt" ]; }
# Types the last letter of the query again: every change of the text searches anew.
search_again() {
    xdotool key BackSpace
    type_text "${1: -1}"
}
call_up_launch_page() {
    hotkey super+j
    wait_for 10 main_shows visible=1 page=Launch! edit= focus=Edit ||
        fail "Win+J did not show the window on Launch! with an empty query and the caret in the search edit"
    focus_search_edit
}

reset_user
add_rec_shortcuts
start_zephyrix
wait_for_catalogue 3

call_up_launch_page
catalogue=$(main_value list)
[ "${catalogue:-0}" -ge 2 ] || fail "the Launch! list holds ${catalogue:-no} entries"
type_text rec
wait_for 5 main_shows edit=rec || fail "the typed text is not in the search edit"
matches=$(main_value list)
[ "${matches:-0}" -ge 2 ] && [ "$matches" -lt "$catalogue" ] || fail "typing rec left ${matches:-no} of $catalogue entries"
sleep 0.5
shot 1-launch-typed-rec
wait_for 10 rows_show_icons 16 launch-page || fail "the rows do not each show their program's icon"

# Recipe Book sorts first; Down takes the focus into the list and on to Recorder; a
# letter brings it back to the edit. Enter starts the selected entry.
xdotool key Down
wait_for 5 main_shows focus=ListBox || fail "Down did not move the focus into the list"
type_text x
wait_for 5 main_shows focus=Edit edit=recx list=0 || fail "a letter typed in the list did not go to the search edit"
xdotool key BackSpace
wait_for 5 main_shows edit=rec "list=$matches" || fail "BackSpace did not widen the search again"
xdotool key Down
wait_for 5 main_shows focus=ListBox || fail "Down did not move the focus into the list again"
xdotool key Return
wait_for 15 started_in recorder || fail "Down and Enter did not start the second entry"
started_in book && fail "the first entry was started too"
wait_for 5 main_shows visible=0 || fail "the window stayed visible after the launch"
learned=$(wine reg query 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' 2>/dev/null | tr -d '\r')
grep -Eq '^ +Abbrev0 +REG_SZ +rec$' <<<"$learned" && grep -Eq '^ +Path0 +REG_SZ +.*\\Recorder\.lnk$' <<<"$learned" ||
    fail "the typed text was not learned as the abbreviation of Recorder: $learned"

# The learned letters now put Recorder at the top: Enter alone starts it.
rm -f "$scratch/recorder/started.txt"
call_up_launch_page
main_shows "list=$catalogue" || fail "the Launch! list does not hold the whole catalogue again"
type_text rec
wait_for 5 main_shows edit=rec "list=$matches" || fail "typing rec again did not list the same entries"
xdotool key Return
wait_for 15 started_in recorder || fail "the learned abbreviation did not put Recorder at the top"
started_in book && fail "Enter started the entry without the abbreviation"
wait_for 5 main_shows visible=0 || fail "the window stayed visible after the second launch"

call_up_launch_page
type_text quasar
wait_for 5 main_shows edit=quasar list=0 || fail "quasar matched before its shortcut existed"

# The folder watch rescans 2000 ms after the last change; the next keystroke finds the entry.
add_start_menu_link Quasar "$scratch_win\\record_start.exe"
created=$(milliseconds)
search_again quasar
if [ $(($(milliseconds) - created)) -lt 1000 ]; then
    main_shows list=0 || fail "the new shortcut was listed before the folder settled"
fi
found=""
while [ $(($(milliseconds) - created)) -lt 15000 ]; do
    search_again quasar
    main_shows edit=quasar list=1 && found=$(($(milliseconds) - created)) && break
    sleep 0.3
done
[ -n "$found" ] || fail "a shortcut added to the Start Menu was not found within 15 s"
echo "the new shortcut was found ${found} ms after it was written"
shot 2-new-shortcut-found

xdotool key Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the window"
exit_zephyrix
echo "PASS"
