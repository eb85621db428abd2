#!/usr/bin/env bash
# End to end: names in other scripts through the UTF-8 code page. The real zephyrix.exe
# under Wine, driven as a user would; what the user types in Japanese or Greek goes in
# through type_unicode.exe (xdotool cannot type those into Wine).
#   unicode_e2e.sh <folder of the built programs> <folder for the screenshots>
source "$(dirname "$0")/lib.sh"
# Wine hands the command line to Windows programs through the locale's character set.
export LC_ALL=C.UTF-8

name='Café Ünïcödé 日本'
greek_title='Ελληνικό παράθυρο'
scratch_win='C:\zx-unicode'
scratch="$WINEPREFIX/drive_c/zx-unicode"

started_in() { [ -f "$scratch/$1/started.txt" ]; }
# Calls up a page with its hotkey and puts the caret in its edit, as a user would.
show_page() {
    hotkey "$1"
    wait_for 10 main_shows visible=1 || fail "$1 did not show the window"
    focus_search_edit
}
type_unicode() { wine "$bin/type_unicode.exe" "$1" || fail "could not type $1"; sleep 1; }
# The abbreviation store as the registry holds it (reg export writes UTF-16).
abbreviations() {
    rm -f "$scratch/abbrev.reg"
    wine reg export 'HKCU\Software\Morrowfield\Zephyrix\Abbreviations' "$scratch_win\\abbrev.reg" /y >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$scratch/abbrev.reg" 2>/dev/null | tr -d '\r'
}
# Enter on the typed text must start the shortcut whose working folder is $1.
enter_starts() {
    rm -f "$scratch"/*/started.txt
    xdotool key Return
    wait_for 15 started_in "$1" || fail "Enter did not start the shortcut working in $1 ($2)"
    wait_for 5 main_shows visible=0 || fail "the window stayed visible after the launch ($2)"
}

# A clean user whose Start Menu holds one shortcut with a name in three scripts, written
# through the Unicode interface, whose program runs in a folder with a Greek name.
reset_user
mkdir -p "$scratch/Ελληνικά" "$scratch/decoy"
# What the program starts without a working folder of its own runs in the program's
# folder, so the program runs from the scratch folder, which goes at the end.
cd "$scratch" || fail "no scratch folder"
link_win="$programs_win\\ZephyrixUnicode\\$name.lnk"
wine "$bin/make_link_w.exe" "$link_win" "$scratch_win\\record_start.exe" "$scratch_win\\Ελληνικά" ||
    fail "could not write the Unicode shortcut"
links=$(winepath -u "$programs_win\\ZephyrixUnicode" 2>/dev/null)
start_menu_entries+=("$links")
[ -f "$links/$name.lnk" ] || fail "the shortcut's file does not have its Unicode name"

start_zephyrix
wait_for_catalogue 1
shot 1-started

# Found by typing the start of its Latin name, and launched with Enter.
show_page super+j
type_text caf
sleep 1
shot 2-typed-caf
enter_starts 'Ελληνικά' "typed caf"

# Found by typing its Japanese part; the Japanese text becomes its abbreviation.
show_page super+j
type_unicode '日本'
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
wait_for_catalogue 1
show_page super+j
type_unicode '日本'
shot 5-after-restart
enter_starts 'Ελληνικά' "日本 after a restart: the abbreviation was not loaded again"

# A path with non-ASCII characters typed into the Add page becomes the shortcut's name.
program='Ρεκόρντερ 日本.exe'
cp "$bin/record_start.exe" "$scratch/Ελληνικά/$program"
new_shortcuts=$(winepath -u "$programs_win\\Zephyrix\\New Shortcuts" 2>/dev/null)
rm -f "$new_shortcuts/$program.lnk"
start_menu_entries+=("$new_shortcuts/$program.lnk")
hotkey super+k
wait_for 10 main_shows visible=1 || fail "Win+K did not show the window"
focus_add_items_edit
xdotool key ctrl+a BackSpace
type_unicode "$scratch_win\\Ελληνικά\\$program"
shot 7-add-page-typed
xdotool key alt+1
wait_for 15 test -f "$new_shortcuts/$program.lnk" ||
    fail "Alt+1 did not write a shortcut named $program.lnk in New Shortcuts: $(ls "$new_shortcuts" 2>&1)"
wait_for 5 main_shows visible=0 || fail "the window stayed visible after adding the item"

# A window with a Greek title is listed on "Running Programs" and picked by typing.
wine "$bin/show_window.exe" "$scratch_win\\window-ready.txt" "$greek_title" "$scratch_win\\window-active.txt" &
helper_pids+=($!)
wait_for 15 test -f "$scratch/window-ready.txt" || fail "the Greek window did not open"
show_page super+h
type_unicode 'Ελληνικό'
shot 8-running-programs-greek
rm -f "$scratch/window-active.txt"
xdotool key Return
wait_for 10 test -f "$scratch/window-active.txt" || fail "Enter on Running Programs did not bring the Greek window forward"

# The window that was brought forward keeps Wine's keyboard without a window manager to
# take it back, so the program is ended by the cleanup rather than through its menu.
echo "PASS"
