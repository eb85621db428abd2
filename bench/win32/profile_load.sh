#!/usr/bin/env bash
# The real program on a lived-in profile under Wine, against a pristine one: start-up to a
# window that answers messages, then, while other programs write files every 2.5 s (a
# temporary file under AppData\Local\Temp, a build's output inside Documents), the longest
# wait for an answer, the CPU time used and the working set; and how soon after the window
# is called up every row it shows draws its program's icon.
#
#   ZX_WINEPREFIX=$PWD/build/bench-prefix scripts/with-wine.sh \
#       bench/win32/profile_load.sh build/windows/bin [documents files] [start menu shortcuts] [churn seconds]
#
# Defaults: 60000 files, 3000 shortcuts, 30 s. Run it in a prefix of its own, as above: it
# fills that profile's Documents and Start Menu (and empties them again at the end).
set -uo pipefail
bin=$(cd "$1" && pwd)
files=${2:-60000}
shortcuts=${3:-3000}
churn_seconds=${4:-30}
title='Morrowfield -- ZEPHYRIX'
zx_pid=""
churn_pid=""

cleanup() {
    [ -n "$churn_pid" ] && kill "$churn_pid" 2>/dev/null
    [ -n "$zx_pid" ] && kill "$zx_pid" 2>/dev/null
    rm -rf "${documents:-/nonexistent}/zx-bench" "${programs:-/nonexistent}/zx-bench" "${temp:-/nonexistent}/zx-bench"
}
trap cleanup EXIT

unix_path() { winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
documents=$(unix_path '%USERPROFILE%\Documents')
programs=$(unix_path '%APPDATA%\Microsoft\Windows\Start Menu\Programs')
temp=$(unix_path '%USERPROFILE%\AppData\Local\Temp')
mkdir -p "$documents" "$programs" "$temp"
if [ -L "$documents" ]; then
    echo "Documents is a link in this prefix: run through scripts/with-wine.sh, which makes it a real folder" >&2
    exit 1
fi

# Every 2.5 s: a temporary file made and removed elsewhere in the profile, and a
# non-shortcut file written inside Documents.
churn() {
    local n=0
    mkdir -p "$temp/zx-bench" "$documents/zx-bench/build"
    while true; do
        n=$((n + 1))
        echo "$n" >"$temp/zx-bench/download-$n.tmp"
        rm -f "$temp/zx-bench/download-$n.tmp"
        echo "$n" >"$documents/zx-bench/build/out-$n.obj.tmp"
        mv "$documents/zx-bench/build/out-$n.obj.tmp" "$documents/zx-bench/build/out-$n.obj"
        sleep 2.5
    done
}

# One run of the program: prints its figures as name=value lines, prefixed with the label.
measure() { # <label>
    wine reg delete 'HKCU\Software\Morrowfield' /f >/dev/null 2>&1
    local started answered
    started=$(date +%s%3N)
    wine "$bin/zephyrix.exe" >/dev/null 2>&1 &
    zx_pid=$!
    wine "$bin/probe_window.exe" wait "$title" 120000 | tr -d '\r' >/dev/null
    answered=$(date +%s%3N)
    echo "$1 startup_ms=$((answered - started))"
    # The walks end in the background; the figures under churn are taken after they have.
    sleep 20
    # Called up (a second start wakes the first): how soon every row shown draws its own icon.
    wine "$bin/probe_window.exe" icons "$title" 10000 | tr -d '\r' | sed "s/^/$1 /" &
    local probe=$!
    wine "$bin/zephyrix.exe" >/dev/null 2>&1
    wait "$probe"
    churn &
    churn_pid=$!
    wine "$bin/probe_window.exe" watch "$title" "$churn_seconds" | tr -d '\r' | sed "s/^/$1 /"
    kill "$churn_pid" 2>/dev/null
    wait "$churn_pid" 2>/dev/null
    churn_pid=""
    kill "$zx_pid" 2>/dev/null
    wait "$zx_pid" 2>/dev/null
    zx_pid=""
    rm -rf "$temp/zx-bench" "$documents/zx-bench/build"
}

# A first start in a new prefix also pays for Wine's own first use of fonts and windows:
# one start before the measured ones, so that both profiles start warm.
wine "$bin/zephyrix.exe" >/dev/null 2>&1 &
zx_pid=$!
wine "$bin/probe_window.exe" wait "$title" 120000 >/dev/null
kill "$zx_pid" 2>/dev/null
wait "$zx_pid" 2>/dev/null
zx_pid=""

measure pristine

echo "making $files files in Documents and $shortcuts shortcuts in the Start Menu" >&2
mkdir -p "$documents/zx-bench" "$programs/zx-bench"
template="$documents/zx-bench/template.lnk"
wine "$bin/make_link.exe" "$(winepath -w "$template")" 'C:\windows\notepad.exe' 'C:\' >/dev/null 2>&1 ||
    printf 'L' >"$template"
per_folder=100
for ((folder = 0; folder * per_folder < files; folder++)); do
    dir="$documents/zx-bench/project $((folder / 10))/module $folder"
    mkdir -p "$dir"
    (cd "$dir" && eval "touch file{0..$((per_folder - 1))}.cpp")
done
for ((n = 0; n < shortcuts; n++)); do
    group="$programs/zx-bench/Group $((n / 100))"
    [ -d "$group" ] || mkdir -p "$group"
    cp "$template" "$group/Program $n.lnk"
done

measure lived-in
