#!/usr/bin/env bash
# End to end: Win+J, a few letters, Enter starts the shortcut's target and learns the
# letters; a shortcut added to the Start Menu meanwhile is found once the folder settles.
#   launcher_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

started() { [ -f "$scratch/started.txt" ]; }
# Types the last letter of the query again: every change of the text searches anew.
search_again() {
    xdotool key BackSpace
    type_text "${1: -1}"
}

reset_user
add_start_menu_link Recorder "$scratch_win\\record_start.exe"
start_zephyrix

hotkey super+j
wait_for 10 main_shows visible=1 page=Launch! edit= || fail "Win+J did not show the window on Launch! with an empty query"
catalogue=$(main_value list)
[ "${catalogue:-0}" -ge 1 ] || fail "the Launch! list is empty"
focus_search_edit
type_text rec
wait_for 5 main_shows edit=rec || fail "the typed text is not in the search edit"
matches=$(main_value list)
[ "${matches:-0}" -ge 1 ] && [ "$matches" -le "$catalogue" ] || fail "typing rec left ${matches:-no} of $catalogue entries"
sleep 0.5
shot 1-launch-typed-rec

xdotool key Return
wait_for 15 started || fail "Enter did not start the shortcut's target"
grep -qx 'C:\\zx-e2e' <(tr -d '\r' <"$scratch/started.txt") || fail "the target did not start in the shortcut's folder"
wait_for 5 main_shows visible=0 || fail "the window stayed visible after the launch"
wine reg query 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' /v Abbrev0 2>/dev/null | grep -q 'REG_SZ *rec' ||
    fail "the typed text was not learned as the abbreviation"

# Shown again, the window is on Launch! with an empty query, the whole catalogue listed.
hotkey super+j
wait_for 10 main_shows visible=1 page=Launch! edit= "list=$catalogue" || fail "Win+J did not reset the search"
focus_search_edit
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
