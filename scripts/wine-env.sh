# Sourced by the scripts that run Windows programs: a private Wine prefix per checkout,
# quiet, without the crash dialog (a crash must fail a test, not hang the run).
ZX_ROOT="${ZX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${ZX_WINEPREFIX:-$ZX_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# Wine links the profile's Desktop, Documents, Music, Pictures, Videos and Downloads all
# to $HOME, and reports no change inside a linked folder; on Windows they are separate
# real folders. Each link becomes an empty real folder (what the link held stays put).
zx_real_profile_folders() {
    local users="$WINEPREFIX/drive_c/users" profile name
    [ -d "$users" ] || return 0
    for profile in "$users"/*/; do
        for name in Desktop Documents Music Pictures Videos Downloads; do
            if [ -L "$profile$name" ]; then
                rm -f "$profile$name"
                mkdir -p "$profile$name"
            fi
        done
    done
}

zx_wine_prefix() {
    if [ -f "$WINEPREFIX/.zephyrix-ready" ]; then
        zx_real_profile_folders
        return 0
    fi
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ -f "$WINEPREFIX/.zephyrix-ready" ] && exit 0
        # Wine links the profile's Desktop and Documents to $HOME: keep them out of the real home.
        local scratch="$WINEPREFIX/../wine-home"
        mkdir -p "$scratch"
        HOME="$scratch" wineboot --init >/dev/null 2>&1
        HOME="$scratch" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wineserver -w
        zx_real_profile_folders
        touch "$WINEPREFIX/.zephyrix-ready"
    ) 9>"$WINEPREFIX.lock"
}

# Starts a persistent wineserver with Wine's own services, unless one runs already.
# The services are started here with no terminal attached: started by a test instead,
# they would inherit its output pipe and keep CTest waiting for it to close.
zx_wine_server() {
    # One server per prefix: another checkout's server (its own prefix) does not serve this one.
    # "wineserver -p" answers 2 when this prefix's server already runs.
    wineserver -p 2>/dev/null || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    # The desktop process and the RPC service start at the first use of a window; start
    # them here too, or the first test to touch user32 lends them its output pipe.
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

# Runs a test program, started again once if Wine never started it. Rarely (about one start
# in a thousand) Wine ends a program before its main begins, with a failure status and no
# output. The test programs write the file named by ZX_STARTED_MARKER first thing in main
# (tests/win32/TestMain.cpp): a program that failed without writing it never ran. One
# that wrote it ran, and its failure stands.
zx_wine_test_program() {
    local marker status=0
    marker=$(mktemp -u "${TMPDIR:-/tmp}/zx-started.XXXXXX")
    ZX_STARTED_MARKER="Z:$marker" wine "$@" || status=$?
    if [ "$status" -ne 0 ] && [ ! -e "$marker" ]; then
        echo "[wine] $(basename "$1") ended with status $status before its main began (no start marker):" \
            "Wine did not start it; starting it again, once" >&2
        status=0
        ZX_STARTED_MARKER="Z:$marker" wine "$@" || status=$?
    fi
    rm -f "$marker"
    return "$status"
}

# Without a display of the user's, starts a virtual one (Wine creates no window without
# a display) and sets xvfb_pid so the caller can end it; xvfb_pid stays empty otherwise.
# An optional screen size (WIDTHxHEIGHT) is for a display of its own even when one exists.
zx_virtual_display() {
    xvfb_pid=""
    local size="${1:-}"
    [ -z "$size" ] && [ -n "${DISPLAY:-}" ] && return 0
    size="${size:-1280x1024}"
    local number
    for number in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$number"
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$number" ] && break
            sleep 0.1
        done
        return 0
    done
}

# Keeps Wine's desktop process up while the server runs, when the test build has the
# program for it: started on demand instead, it would be the child of some test and
# hold that test's output open (see tests/win32/helpers/hold_desktop.cpp).
zx_hold_desktop() {
    local holder="$ZX_ROOT/build/windows/bin/hold_desktop.exe"
    [ -f "$holder" ] || return 0
    local ready
    ready=$(mktemp -u /tmp/zx-desktop-held.XXXXXX)
    wine "$holder" "Z:$ready" </dev/null >/dev/null 2>&1 &
    # Tests must not start before the desktop is up: on a busy machine that takes more than
    # a few seconds, so the limit is only a guard against a holder that never comes up.
    local deadline=$((SECONDS + 120))
    until [ -f "$ready" ]; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "the desktop holder did not come up within 120 s; tests that make windows may hang" >&2
            break
        fi
        sleep 0.1
    done
    rm -f "$ready"
}
