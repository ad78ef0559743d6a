#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix:
#   wine-run.sh WINE_HOME PROGRAM.exe [ARGUMENT...]
# WINE_HOME holds the prefix (made on first use) and, while the tests run, the
# number of their virtual X display. Nothing is written to ~/.wine.
#
# The prefix is set up for unattended runs: Wine's Mono and Gecko installers
# and its crash dialog are off, Wine's own fonts are in the Windows fonts
# folder, and every program runs in a virtual desktop, where keyboard focus
# works without a window manager.
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

make_prefix() {
    local made="$WINEPREFIX/.orvanel-ready"
    [ -f "$made" ] && return 0
    rm -rf "$WINEPREFIX"
    # Without a display Wine sets up what it can and says nothing of it.
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local fonts=/usr/share/wine/fonts
    if [ -d "$fonts" ]; then
        cp "$fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Orvanel /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Orvanel /d 1024x768 /f >/dev/null 2>&1
    # The settings take effect for the next server.
    wineserver -w
    touch "$made"
}

# Several tests may start at once: one makes the prefix, the others wait.
exec 9>"$home/prefix.lock"
flock 9
make_prefix
flock -u 9
exec 9>&-

exec wine "$@"
