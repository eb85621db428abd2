#!/usr/bin/env bash
# The release packages as a user meets them: the portable zip's contents, and the
# installer installing silently for this user alone, the installed program answering its
# hotkey, the user switching sign-in start off in its options, a rebuild of the same
# version and an upgrade replacing it in place with that choice kept, and the uninstall
# taking away what the installer put there while the user's settings stay.
source "$(dirname "$0")/lib.sh" "$@"
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$bin/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in the build"
zip="$build/dist/zephyrix-$version-win64.zip"
msi="$build/dist/zephyrix-$version-win64.msi"
upgrade_code='{5BC2C470-5C71-4041-ADEB-0CB4062E7AE6}'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
[ -f "$zip" ] || fail "no package $zip"
[ -f "$msi" ] || fail "no package $msi"

# --- The zip: the program, the user guide, the licence and the read-me, in one folder.
expected=$(printf '%s\n' Zephyrix/ Zephyrix/LICENSE.txt Zephyrix/README.txt Zephyrix/zephyrix-guide.html \
    Zephyrix/zephyrix.exe | sort)
[ "$(unzip -Z1 "$zip" | sort)" = "$expected" ] || fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -p "$zip" Zephyrix/zephyrix.exe | cmp -s - "$bin/zephyrix.exe" || fail "the zip's program is not the one built"
unzip -p "$zip" Zephyrix/README.txt | grep -q "^Zephyrix $version - " || fail "the read-me does not name version $version"
unzip -p "$zip" Zephyrix/LICENSE.txt | grep -q 'MIT License' || fail "the zip's licence is not the project's"

# --- The installer.
products() { wine "$bin/installed_products.exe" "$upgrade_code" 2>/dev/null | tr -d '\r'; }
run_entry() { wine reg query "$run_key" /v Zephyrix 2>/dev/null | tr -d '\r' | sed -n 's/^ *Zephyrix *REG_SZ *//p'; }
msiexec_quietly() { # <action> <package> <log name>
    wine msiexec "$1" "$(winepath -w "$2")" /qn /l*v "$(winepath -w "$artefacts/$3.log")" </dev/null >/dev/null 2>&1
}

reset_user
# What an earlier, broken run may have left installed.
for package in "$msi" "$scratch"/newer/*.msi; do
    [ -f "$package" ] && msiexec_quietly /x "$package" leftover
done
wine reg delete "$run_key" /v Zephyrix /f >/dev/null 2>&1
[ -z "$(products)" ] || fail "Zephyrix is installed before the test"

local_app_data=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
installed_win="$local_app_data\\Programs\\Zephyrix"
installed=$(winepath -u "$installed_win")
shortcut="$programs/Zephyrix.lnk"

msiexec_quietly /i "$msi" install || fail "msiexec /i /qn failed (see install.log)"
for file in zephyrix.exe zephyrix-guide.html LICENSE.txt README.txt; do
    [ -f "$installed/$file" ] || fail "the installer did not put $file into $installed_win"
done
cmp -s "$installed/zephyrix.exe" "$bin/zephyrix.exe" || fail "the installed program is not the one built"
[ -f "$shortcut" ] || fail "no Start Menu shortcut at $shortcut"
link=$(wine "$bin/window_tool.exe" link "$programs_win\\Zephyrix.lnk" 2>/dev/null | tr -d '\r')
grep -qiF "$installed_win\\zephyrix.exe" <<<"$link" || fail "the Start Menu shortcut points at: $link"
[ "$(run_entry)" = "\"$installed_win\\zephyrix.exe\"" ] || fail "the sign-in entry holds: $(run_entry)"
listed=$(products)
for line in name=Zephyrix "version=$version" publisher=Morrowfield; do
    grep -qxF "$line" <<<"$listed" || fail "the installed-apps entry lacks $line: $listed"
done
grep -q '^icon=.\+' <<<"$listed" || fail "the installed-apps entry has no icon: $listed"
# Per user: no administrator, nothing for other users.
grep -qx 'context=0' <<<"$listed" || fail "not a per-user installation: $listed"

# The installed program starts and answers its hotkey. When an installer's Restart
# Manager asks it to leave (to replace its file), it saves its settings and ends.
wine "$installed/zephyrix.exe" &
zx_pid=$!
wait_for 30 main_exists || fail "the installed program shows no window"
wait_for 10 main_shows visible=0 || fail "the installed program is visible after start-up"
wait_for 10 tray_window || fail "the installed program has no icon in the notification area"
hotkey super+j
wait_for 10 main_shows visible=1 || fail "the installed program does not answer Win+J"
# The user switches sign-in start off in File > Options.
dialog_up() { xdotool search --onlyvisible --name '^Configuration$'; }
dialog_gone() { ! dialog_up; }
press_in_main alt+f
sleep 0.5
xdotool key o
wait_for 10 dialog_up || fail "File > Options did not open the Configuration dialog"
wine "$bin/window_tool.exe" click Configuration 'Start Zephyrix when I sign in' >/dev/null 2>&1 ||
    fail "no sign-in box in the options"
wine "$bin/window_tool.exe" click Configuration '&Ok' >/dev/null 2>&1 || fail "no Ok button"
wait_for 10 dialog_gone || fail "Ok did not close the Configuration dialog"
[ -z "$(run_entry)" ] || fail "the sign-in entry is still there after switching it off: $(run_entry)"
press_in_main Escape
wait_for 10 main_shows visible=0 || fail "Esc did not hide the installed program"
send_main close-app || fail "the installed program refused to leave for the installer"
wait_for 20 process_ended || fail "the installed program did not end when the installer asked it to"
status=0
wait "$zx_pid" || status=$?
zx_pid=""
[ "$status" -eq 0 ] || fail "the program ended with $status when the installer asked it to leave"
wine reg query 'HKCU\Software\Morrowfield\Zephyrix' /v ModifierKey >/dev/null 2>&1 ||
    fail "the installed program saved no settings"

# --- A rebuild of the same version replaces the installed one: one entry, no files left
# behind, and the sign-in entry stays as the user set it.
mkdir -p "$scratch/same"
bash "$root/packaging/make-packages.sh" "$version" "$bin/zephyrix.exe" "$build/generated/zephyrix.ico" \
    "$scratch/same" >/dev/null || fail "could not rebuild the package of version $version"
msiexec_quietly /i "$scratch/same/zephyrix-$version-win64.msi" same-version || fail "the rebuilt package did not install (see same-version.log)"
listed=$(products)
[ "$(grep -c '^product=' <<<"$listed")" -eq 1 ] || fail "after the rebuilt package the installed apps list: $listed"
[ -f "$installed/zephyrix.exe" ] && [ -f "$shortcut" ] || fail "the rebuilt package left the program or its shortcut away"
[ -z "$(run_entry)" ] || fail "the rebuilt package switched sign-in start back on: $(run_entry)"

# --- An upgrade: a newer package replaces the installed one, one entry stays.
IFS=. read -r major minor patch <<<"$version"
newer="$major.$minor.$((patch + 1))"
mkdir -p "$scratch/newer"
bash "$root/packaging/make-packages.sh" "$newer" "$bin/zephyrix.exe" "$build/generated/zephyrix.ico" \
    "$scratch/newer" >/dev/null || fail "could not make the package of version $newer"
msiexec_quietly /i "$scratch/newer/zephyrix-$newer-win64.msi" upgrade || fail "the upgrade failed (see upgrade.log)"
listed=$(products)
[ "$(grep -c '^product=' <<<"$listed")" -eq 1 ] || fail "after the upgrade the installed apps list: $listed"
grep -qxF "version=$newer" <<<"$listed" || fail "the upgrade did not replace version $version: $listed"
[ -f "$installed/zephyrix.exe" ] && [ -f "$shortcut" ] || fail "the upgrade left the program or its shortcut away"
[ -z "$(run_entry)" ] || fail "the upgrade switched sign-in start back on: $(run_entry)"
# The older package may not go over the newer one.
msiexec_quietly /i "$msi" downgrade && fail "the older package installed over the newer one"
grep -qxF "version=$newer" <<<"$(products)" || fail "the refused downgrade changed the installation"

# --- The uninstall takes away what the installer put there, the sign-in entry the user
# switched on again included, and keeps the user's settings.
wine reg add "$run_key" /v Zephyrix /d "\"$installed_win\\zephyrix.exe\"" /f >/dev/null 2>&1
[ -n "$(run_entry)" ] || fail "could not switch sign-in start on again"
msiexec_quietly /x "$scratch/newer/zephyrix-$newer-win64.msi" uninstall || fail "msiexec /x /qn failed (see uninstall.log)"
[ -z "$(products)" ] || fail "still installed after the uninstall: $(products)"
[ ! -e "$installed" ] || fail "the uninstall left $installed_win: $(ls "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start Menu shortcut"
[ -z "$(run_entry)" ] || fail "the uninstall left the sign-in entry"
wine reg query 'HKCU\Software\Morrowfield\Zephyrix' /v ModifierKey >/dev/null 2>&1 ||
    fail "the uninstall took the user's settings"
echo "PASS"
