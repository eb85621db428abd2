#!/usr/bin/env bash
# End to end: the add page's operations write real shortcut files into "New Shortcuts",
# start them, and the catalogue finds them; the window comes back where it was closed.
#   addops_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"

tool() { wine "$bin/window_tool.exe" "$@" 2>/dev/null | tr -d '\r'; }
file_there() { [ -f "$1" ]; }
dialog_up() { xdotool search --onlyvisible --name "^$1\$"; }
# Target, arguments and working folder of a shortcut, one a line, read with IShellLink.
link_fields() { tool link "$(winepath -w "$1" 2>/dev/null | tr -d '\r')"; }
# Win+K with this text on the clipboard: the add page shows it.
add_page_with() {
    set_clipboard "$1"
    hotkey super+k
    wait_for 10 main_shows visible=1 'page=Add items to Launch!' "edit=$1" ||
        fail "Win+K did not show the add page with $1"
    focus_add_items_edit
}

reset_user
new_shortcuts="$programs/Zephyrix/New Shortcuts"
start_menu_entries+=("$programs/Zephyrix")
rm -rf "$new_shortcuts"
add_start_menu_link Recorder "$scratch_win\\record_start.exe"
# Web addresses go to the desktop's browser through xdg-open: record them instead.
mkdir -p "$scratch/bin"
printf '#!/bin/sh\necho "$@" >> "%s/opened-urls.txt"\n' "$scratch" >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
export PATH="$scratch/bin:$PATH"
# A shortcut without a working folder starts in the program's own, the scratch folder.
cd "$scratch" || fail "no scratch folder"
start_zephyrix
wait_for_catalogue 1

# Operation 1 on a program's path: a shortcut to it, started at once, catalogued soon after.
add_page_with "$scratch_win\\record_start.exe"
press_in_main alt+1
link="$new_shortcuts/record_start.exe.lnk"
wait_for 15 file_there "$link" || fail "operation 1 wrote no shortcut"
wait_for 15 file_there "$scratch/started.txt" || fail "operation 1 did not start the new shortcut"
wait_for 5 main_shows visible=0 || fail "the window stayed up after operation 1"
[ "$(link_fields "$link" | sed -n 1p)" = "$scratch_win\\record_start.exe" ] ||
    fail "the new shortcut points at '$(link_fields "$link" | sed -n 1p)'"

rm -f "$scratch/started.txt"
sleep 3 # the folder settles 2 s after the last change
hotkey super+j
wait_for 10 main_shows visible=1 'page=Launch!' || fail "Win+J did not show the window"
focus_search_edit
type_text record_st
wait_for 5 main_shows 'edit=record_st' || fail "typing did not reach the search edit"
sleep 0.5
shot 1-new-entry-found
xdotool key Return
wait_for 15 file_there "$scratch/started.txt" || fail "the new entry was not found and started from the catalogue"

# A web address becomes an Internet shortcut of exactly two lines, opened by the browser.
add_page_with 'http://example.com/page.html'
press_in_main alt+1
url="$new_shortcuts/example_com_page_html.URL"
wait_for 15 file_there "$url" || fail "no Internet shortcut was written"
printf '[InternetShortcut]\r\nURL=http://example.com/page.html\r\n' | cmp -s - "$url" ||
    fail "the Internet shortcut reads: $(od -c "$url" | head -5)"
wait_for 5 main_shows visible=0 || fail "the window stayed up after the web address"

# Operation 3: the selector picks the program, the text becomes its argument.
add_page_with "$scratch_win\\notes.txt"
press_in_main alt+3
wait_for 10 dialog_up 'Select a program' || fail "operation 3 did not show the selector"
xdotool windowfocus --sync "$(dialog_up 'Select a program' | head -1)"
type_text recorder
sleep 1
shot 2-selector-dialog
import -window "$(dialog_up 'Select a program' | head -1)" "$artefacts/selector-dialog.png" 2>/dev/null
xdotool key Return
param_link="$new_shortcuts/notes.txt.lnk"
wait_for 15 file_there "$param_link" || fail "operation 3 wrote no shortcut"
fields=$(link_fields "$param_link")
[ "$(sed -n 1p <<<"$fields")" = "$programs_win\\ZephyrixE2E\\Recorder.lnk" ] ||
    fail "operation 3's shortcut points at '$(sed -n 1p <<<"$fields")'"
[ "$(sed -n 2p <<<"$fields")" = "$scratch_win\\notes.txt" ] ||
    fail "operation 3's shortcut has the arguments '$(sed -n 2p <<<"$fields")'"
wait_for 5 main_shows visible=0 || fail "the window stayed up after operation 3"

# Placement: moved, then closed with the close box, it comes back there after a restart.
hotkey super+j
wait_for 10 main_shows visible=1 || fail "Win+J did not show the window to move it"
tool move "$main_title" 40 30
sleep 0.5
moved=$(tool rect "$main_title")
send_main sc-close
wait_for 5 main_shows visible=0 || fail "the close box did not hide the window"
stored=$(wine reg query 'HKCU\Software\Morrowfield\Zephyrix\FormSettings\TMainForm' 2>/dev/null | tr -d '\r')
for name in FormVersion Flags ShowCmd PixelsPerInch 'MinMaxPos(' 'MinMaxPos ' 'NormPos(' 'NormPos ' Visible; do
    grep -q "^ *$name.*REG_SZ" <<<"$stored" || fail "the placement has no $name value: $stored"
done
exit_zephyrix
start_zephyrix
hotkey super+j
wait_for 10 main_shows visible=1 || fail "Win+J did not show the window after the restart"
sleep 0.5
[ "$(tool rect "$main_title")" = "$moved" ] || fail "the window came back at $(tool rect "$main_title"), not at $moved"
press_in_main Escape
wait_for 5 main_shows visible=0 || fail "Esc did not hide the window"

exit_zephyrix
echo "PASS"
