#!/usr/bin/env bash
# Takes the pictures of the windows shown in the README, from a built tree:
#   scripts/screenshots.sh [BUILD_DIR]   (default: build)
# Writes docs/main-window.png, docs/shield-list.png, docs/help-window.png and
# docs/about-window.png.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
grab="$build/tools/grab/orvanel-grab"
# shellcheck source=scripts/xvfb.sh
. "$root/scripts/xvfb.sh"
trap 'kill "${pid:-}" 2>/dev/null || true; stop_xvfb' EXIT
start_xvfb

# Saves the picture of a window, with a margin of MARGIN pixels to the right
# and below for menus that open out of it.
shoot() {
    local window=$1 file=$2 right=${3:-0} below=${4:-0}
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$window")"
    "$grab" "$file" "$X" "$Y" $((WIDTH + right)) $((HEIGHT + below))
    echo "wrote $file"
}

QT_QPA_PLATFORM=xcb "$build/app/orvanel" &
pid=$!
main=$(wait_for_window Orvanel 30)
xdotool windowmove --sync "$main" 0 0
sleep 0.3

# A calculation: 50 % block at level 80.
xdotool windowfocus --sync "$main" type 50
xdotool key Tab type 80
xdotool key Tab space
sleep 0.3
shoot "$main" "$root/docs/main-window.png"

# The Shield List menu with the Spirit Ward values unfolded.
xdotool key alt+s
for _ in $(seq 10); do xdotool key Down; done
xdotool key Right
sleep 0.5
shoot "$main" "$root/docs/shield-list.png" 220 60
xdotool key Escape Escape
sleep 0.2

xdotool windowfocus --sync "$main" key alt+h Return
help=$(wait_for_window Help 10)
xdotool windowmove --sync "$help" 0 0
sleep 0.3
shoot "$help" "$root/docs/help-window.png"
xdotool windowunmap --sync "$help"

xdotool windowfocus --sync "$main" key alt+h Down Return
about=$(wait_for_window Form1 10)
xdotool windowmove --sync "$about" 0 0
sleep 0.3
shoot "$about" "$root/docs/about-window.png"

xdotool windowfocus --sync "$main" key alt+f x
wait_for_exit "$pid" 10
pid=
