#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the build tree's own:
#   wine-run.sh WINE_HOME PROGRAM.exe [ARGUMENT...]
# WINE_HOME holds the prefix, the log of its making (prefix.log), the screen's
# dots per inch where they are not 96 (dpi), and while the tests run the
# number of their virtual X display (display). Nothing is written to ~/.wine.
#
# The prefix is made once, by the tests' fixture that starts their display
# (display.sh start), and is set up for unattended runs: Wine's Mono and
# Gecko installers and its crash dialog are off, Wine's own fonts are in the
# Windows fonts folder, and every program runs in a virtual desktop, where
# keyboard focus works without a window manager. Each step of making it is
# logged; a step that fails ends this script with its status, and the log is
# printed.
set -euo pipefail
home=$1
shift

if ! command -v wine >/dev/null; then
    echo "wine-run.sh: Wine is missing; install the packages wine and wine64." >&2
    exit 127
fi
mkdir -p "$home"
export WINEPREFIX="$home/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
if [ -f "$home/display" ] && [ -z "${ORVANEL_KEEP_DISPLAY:-}" ]; then
    DISPLAY=$(cat "$home/display")
    export DISPLAY
fi
dpi=96
[ -f "$home/dpi" ] && dpi=$(cat "$home/dpi")
log="$home/prefix.log"

# One try at a step of making the prefix, its output in the log; gives the
# command's status: attempt COMMAND...
attempt() {
    echo "== $*" >>"$log"
    "$@" </dev/null >>"$log" 2>&1
}

# One step of making the prefix, ending with its log when it fails: step COMMAND...
step() {
    local status=0
    attempt "$@" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "wine-run.sh: '$*' failed with status $status while making $WINEPREFIX." >&2
        echo "The log of making it, $log:" >&2
        sed 's/^/    /' "$log" >&2
        exit "$status"
    fi
}

make_prefix() {
    local made="$WINEPREFIX/.orvanel-ready" settings="dpi $dpi"
    [ -f "$made" ] && [ "$(cat "$made")" = "$settings" ] && return 0
    rm -rf "$WINEPREFIX"
    echo "making $WINEPREFIX ($settings) on the display ${DISPLAY:-(none)}" >"$log"
    if ! attempt wineboot -i; then
        # Now and then Wine's first start of a new prefix fails to start its
        # 32-bit side ("failed to open ...syswow64\rundll32.exe": c0000135),
        # and wineboot fails; once more in a new prefix, the log kept.
        echo "== wineboot -i failed; the prefix is made once more" >>"$log"
        wineserver -k </dev/null >>"$log" 2>&1 || true
        rm -rf "$WINEPREFIX"
        step wineboot -i
    fi
    step wineserver -w
    local fonts=(/usr/share/wine/fonts/*.ttf)
    if [ -e "${fonts[0]}" ]; then
        step cp "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    step wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    step wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Orvanel /f
    step wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Orvanel /d 1024x768 /f
    if [ "$dpi" != 96 ]; then
        step wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
    fi
    # The settings take effect for the next server.
    step wineserver -w
    echo "$settings" >"$made"
}

# Several tests may start at once: one makes the prefix, the others wait.
exec 9>"$home/prefix.lock"
flock 9
make_prefix
flock -u 9
exec 9>&-

exec wine "$@"
