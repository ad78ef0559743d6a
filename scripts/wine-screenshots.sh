#!/usr/bin/env bash
# Takes the pictures of the Windows program's three windows under Wine, from a
# 64-bit Windows build:
#   scripts/wine-screenshots.sh [BUILD_DIR]   (default: build-win64)
# Writes docs/wine-main-window.png, docs/wine-help-window.png and
# docs/wine-about-window.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build-win64}" && pwd)
home="$build/wine"
wine_run=("$root/tests/wine/wine-run.sh" "$home")
probe="$build/tests/wine/orvanel-probe.exe"
"$root/tests/wine/display.sh" start "$home" >/dev/null
trap '"$root/tests/wine/display.sh" stop "$home"' EXIT
DISPLAY=$(cat "$home/display")
export DISPLAY

"${wine_run[@]}" "$build/app/orvanel.exe" &
"${wine_run[@]}" "$probe" wait Orvanel 30
desktop=$(xdotool search --name ' - Wine desktop$' | head -n 1)
keys() {
    xdotool windowfocus --sync "$desktop" 2>/dev/null || true
    xdotool "$@"
    sleep 0.4
}
shoot() {
    local x y width height
    read -r x y width height < <("${wine_run[@]}" "$probe" rect "$1" | tr -d '\r')
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$2"
    echo "wrote $2"
}

# A calculation: 50 % block at level 80.
keys type 50
keys key Tab
keys type 80
keys key Tab space
shoot Orvanel "$root/docs/wine-main-window.png"
keys key alt+h Return
"${wine_run[@]}" "$probe" wait Help 10
shoot Help "$root/docs/wine-help-window.png"
keys key space # Close, which has the focus
keys key alt+h Down Return
"${wine_run[@]}" "$probe" wait Form1 10
shoot Form1 "$root/docs/wine-about-window.png"
keys key alt+c
keys key alt+f x
wait
