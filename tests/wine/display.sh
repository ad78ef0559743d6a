#!/usr/bin/env bash
# Starts or stops the virtual X display that the Windows tests share, and ends
# the build's own Wine server with it. Starting makes the Wine prefix too, for
# a screen of DPI dots per inch (96 unless given).
#   display.sh start WINE_HOME [DPI]
#   display.sh stop WINE_HOME
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
what=$1 home=$2 dpi=${3:-96}
mkdir -p "$home"

stop() {
    if [ -f "$home/xvfb.pid" ]; then
        kill "$(cat "$home/xvfb.pid")" 2>/dev/null || true
        rm -f "$home/xvfb.pid"
    fi
    rm -f "$home/display"
    if [ -d "$home/prefix" ] && command -v wineserver >/dev/null; then
        WINEPREFIX="$home/prefix" wineserver -k 2>/dev/null || true
    fi
}

case $what in
start)
    stop
    command -v Xvfb >/dev/null || { echo "Xvfb is missing: install xvfb" >&2; exit 1; }
    # A server from a run without this display would keep the desktop it had.
    number_file=$(mktemp)
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$number_file" </dev/null >"$home/xvfb.log" 2>&1 &
    echo $! >"$home/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$number_file" ]; then
        echo "Xvfb did not start; its log, $home/xvfb.log:" >&2
        sed 's/^/    /' "$home/xvfb.log" >&2
        rm -f "$number_file"
        exit 1
    fi
    echo ":$(head -n 1 "$number_file")" >"$home/display"
    rm -f "$number_file"
    if [ "$dpi" = 96 ]; then
        rm -f "$home/dpi"
    else
        echo "$dpi" >"$home/dpi"
    fi
    # Makes the prefix now, once, before the tests that use it.
    "$here/wine-run.sh" "$home" cmd /c exit 0 </dev/null
    echo "virtual display $(cat "$home/display") for Wine in $home/prefix ($dpi dpi)"
    ;;
stop)
    stop
    ;;
*)
    echo "usage: $0 start WINE_HOME [DPI] | stop WINE_HOME" >&2
    exit 2
    ;;
esac
