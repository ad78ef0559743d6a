#!/usr/bin/env bash
# orvanel.exe under Wine in a virtual desktop on the tests' X display, typed
# into with xdotool as a person would:
#   end_to_end.sh WINE_HOME ORVANEL.exe PROBE.exe SCREENSHOT.png
set -euo pipefail
home=$1 program=$2 probe=$3 shot=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run=("$here/wine-run.sh" "$home")
DISPLAY=$(cat "$home/display")
export DISPLAY

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v xdotool >/dev/null || fail "xdotool is missing: install xdotool"

# Through start /wait, which ends when the program's own process ends and
# hands on its exit status, whichever Wine loader starts it.
name=$(basename "$program")
"${run[@]}" start /wait /unix "$program" &
pid=$!
trap '"${run[@]}" taskkill /f /im "$name" >/dev/null 2>&1 || true; kill "$pid" 2>/dev/null || true' EXIT
"${run[@]}" "$probe" wait Orvanel 30 || fail "no window titled Orvanel appeared"
echo "the window titled Orvanel appeared"

# Keys reach the Wine desktop's X window, which hands them to its active window.
desktop=$(xdotool search --name ' - Wine desktop$' | head -n 1)
[ -n "$desktop" ] || fail "no Wine desktop window on $DISPLAY"
keys() {
    xdotool windowfocus --sync "$desktop" 2>/dev/null || true
    xdotool "$@"
    sleep 0.3
}
texts() { "${run[@]}" "$probe" texts "$1" | tr -d '\r'; }

keys type 50
keys key Tab
keys type 80
keys key Tab space
texts Orvanel | grep -qx 255 || fail "50 % at level 80 did not show 255: $(texts Orvanel | tr '\n' '|')"
echo "50 % at level 80 shows 255"

keys key shift+Tab
keys type 120
keys key Tab space
"${run[@]}" "$probe" wait Orvix 10 || fail "level 120 showed no message box"
message=$(texts Orvix)
grep -qx "Invalid Character Level Must be Lower then 99" <<<"$message" ||
    fail "the message box said: $message"
echo "level 120 shows the message"
import -window root "$shot"
echo "screenshot: $shot"
keys key Return
"${run[@]}" "$probe" gone Orvix 10 || fail "OK did not close the message box"
got=$(texts Orvanel | tr '\n' ' ')
grep -q " 99 " <<<" $got " && grep -q " 312 " <<<" $got " ||
    fail "after OK the boxes show: $got"
echo "after OK the level box shows 99 and the result 312"

keys key alt+f x
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "File > Exit did not end the program"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"
"${run[@]}" "$probe" gone Orvanel 5 || fail "a window titled Orvanel is left"
if left=$("${run[@]}" "$probe" running "$name" | tr -d '\r'); then
    fail "processes of $name are left in the prefix: $left"
fi
echo "PASS: File > Exit ended orvanel.exe with status 0, leaving nothing"
