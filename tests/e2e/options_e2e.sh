#!/usr/bin/env bash
# End to end: the options dialog moves the Launch hotkey to Ctrl+Alt+Z; the registry
# holds the new combination, it calls the window up and Win+J no longer does.
#   options_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

tool() { wine "$bin/window_tool.exe" "$@" >/dev/null 2>&1; }
dialog_up() { xdotool search --onlyvisible --name '^Configuration$'; }
dialog_gone() { ! dialog_up; }
setting() { # <name>: the stored value as the registry tool prints it
    wine reg query 'HKCU\Software\Morrowfield\Zephyrix' /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { print $2, $3 }'
}

reset_user
start_zephyrix
hotkey super+j
wait_for 10 main_shows visible=1 || fail "Win+J did not show the window"
press_in_main alt+f
sleep 0.5
xdotool key o
wait_for 10 dialog_up || fail "File > Options did not open the Configuration dialog"
sleep 1
import -window "$(dialog_up | head -1)" "$artefacts/options-general.png" 2>/dev/null
tool tab Configuration 0 1 || fail "the dialog has no second page"
sleep 1
import -window "$(dialog_up | head -1)" "$artefacts/options-locations.png" 2>/dev/null
tool tab Configuration 0 0

# The Launch group is the first of three with the same captions.
tool click Configuration 'Windows Key' 0 || fail "no Windows Key box"
tool click Configuration 'Ctrl Key' 0 || fail "no Ctrl Key box"
tool click Configuration 'Alt Key' 0 || fail "no Alt Key box"
tool select Configuration 0 25 || fail "no key list"
sleep 0.5
shot 1-options-changed
tool click Configuration '&Ok' || fail "no Ok button"
wait_for 10 dialog_gone || fail "Ok did not close the dialog"
wait_for 5 main_shows visible=1 'page=Launch!' || fail "the window is not back on Launch! after the dialog"

[ "$(setting ModifierKey)" = "REG_DWORD 0x3" ] || fail "ModifierKey is $(setting ModifierKey), not Ctrl+Alt"
[ "$(setting Key)" = "REG_DWORD 0x5a" ] || fail "Key is $(setting Key), not Z"
[ "$(setting AddModifierKey)" = "REG_DWORD 0x8" ] || fail "the Add hotkey changed: $(setting AddModifierKey)"
[ "$(setting PackagedApps)" = "REG_DWORD 0x1" ] || fail "the Store apps switch is $(setting PackagedApps), not on"

press_in_main Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the window"
hotkey super+j
sleep 2
main_shows visible=0 || fail "Win+J still calls the window up"
hotkey ctrl+alt+z
wait_for 10 main_shows visible=1 'page=Launch!' || fail "Ctrl+Alt+Z did not call the window up"

# Cancel changes nothing.
press_in_main alt+f
sleep 0.5
xdotool key o
wait_for 10 dialog_up || fail "File > Options did not open the dialog again"
tool click Configuration 'Shift Key' 0
tool click Configuration '&Cancel' || fail "no Cancel button"
wait_for 10 dialog_gone || fail "Cancel did not close the dialog"
[ "$(setting ModifierKey)" = "REG_DWORD 0x3" ] || fail "Cancel changed ModifierKey to $(setting ModifierKey)"

press_in_main Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the window"
exit_zephyrix ctrl+alt+z
echo "PASS"
