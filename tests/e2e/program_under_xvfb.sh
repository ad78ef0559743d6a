#!/usr/bin/env bash
# Starts the real program on a private virtual X display and drives it with
# keyboard events, as a person would.
#
#   program_under_xvfb.sh ORVANEL SCENARIO
#     start-exit          the main window is mapped; File > Exit ends the program
#     info-windows-exit   Help and About open beside it; File > Exit ends all
set -euo pipefail

program=$1
scenario=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

trap 'kill "${pid:-}" 2>/dev/null || true; stop_xvfb' EXIT
start_xvfb || fail "Xvfb did not start"

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
main=$(wait_for_window Orvanel 30) || fail "no window titled Orvanel was mapped"
echo "main window mapped: $main"

# Chooses a menu entry of the main window with its access keys.
choose() {
    xdotool windowfocus --sync "$main"
    xdotool key --clearmodifiers "$@"
}

case $scenario in
start-exit) ;;
info-windows-exit)
    choose alt+h Return
    help=$(wait_for_window Help 10) || fail "Help > Help showed no window titled Help"
    choose alt+h Down Return
    about=$(wait_for_window Form1 10) || fail "Help > About showed no window titled Form1"
    echo "Help window $help and About window $about mapped"
    kill -0 "$pid" || fail "the program ended early"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac

choose alt+f x
wait_for_exit "$pid" 15 || fail "File > Exit did not end the program"
pid=
[ "$EXIT_STATUS" -eq 0 ] || fail "the program ended with status $EXIT_STATUS"
left=$(xdotool search --onlyvisible --name '.' 2>/dev/null || true)
[ -z "$left" ] || fail "windows are left after the end: $left"
echo "PASS: $scenario"
