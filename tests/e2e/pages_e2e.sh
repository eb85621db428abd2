#!/usr/bin/env bash
# End to end: the hotkeys call up the window on their pages; the running-programs page
# lists the windows of the desktop and brings the picked one forward.
#   pages_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

other_title='ZxE2E Quokka Notes'

reset_user
# Another program's window, minimised, for the switcher to restore and bring forward.
wine "$bin/test_window.exe" "$other_title" minimised &
helper_pids+=($!)
start_zephyrix
wait_for 10 window_shows "$other_title" visible=1 minimised=1 || fail "the other program's window did not open minimised"

hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' || fail "Win+K did not show the add page"
shot 1-add-items

# Win+K while the window is up on Launch! switches the page.
hotkey super+j
wait_for 10 main_shows visible=1 page=Launch! edit= || fail "Win+J did not switch to Launch!"
hotkey super+k
wait_for 10 main_shows visible=1 'page=Add items to Launch!' ||
    fail "Win+K on the visible Launch! page did not switch to the add page"

hotkey super+h
wait_for 10 main_shows visible=1 'page=Running Programs' edit= || fail "Win+H did not show the running programs"
all_windows=$(main_value list)
# At least the other program's window and this one (it lists itself).
[ "${all_windows:-0}" -ge 2 ] || fail "the running programs list holds ${all_windows:-no} windows"
sleep 0.5
shot 2-running-programs
shot_window running-programs-page

focus_search_edit
main_shows 'page=Running Programs' || fail "a click into the edit left the running programs page"
type_text quokka
wait_for 5 main_shows 'page=Running Programs' edit=quokka list=1 ||
    fail "typing part of a title did not narrow the list to that window"
shot 3-running-narrowed
xdotool key Return
wait_for 5 main_shows visible=0 || fail "the window stayed up after a window was picked"
wait_for 5 window_shows "$other_title" minimised=0 foreground=1 || fail "the picked window was not restored and brought forward"

# A window opened while the page is up shows at the next keystroke, not before.
hotkey super+h
wait_for 10 main_shows visible=1 'page=Running Programs' edit= || fail "Win+H did not show the running programs again"
listed=$(main_value list)
# Minimised, so that it does not take the activation (which returns the window to Launch!).
wine "$bin/test_window.exe" "ZxE2E Wombat Notes" minimised &
helper_pids+=($!)
wait_for 10 window_shows 'ZxE2E Wombat Notes' visible=1 || fail "the second window did not open"
main_shows "list=$listed" || fail "the list changed without a keystroke"
focus_search_edit
type_text wombat
wait_for 5 main_shows edit=wombat list=1 || fail "a window opened meanwhile was not found at the next keystroke"
xdotool key Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the running programs page"

exit_zephyrix
echo "PASS"
