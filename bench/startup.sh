#!/usr/bin/env bash
# Start-up of Orvanel beside a floor: a minimal program that shows the same
# kinds of things (a menu bar, a label, a line edit, a push button) and nothing
# else. Both run on a private virtual X display, alternately, PAIRS times after
# a warm-up. Each run is timed from starting the program to the X server
# mapping its window, and its peak resident memory is read then.
#
#   bench/startup.sh [BUILD_DIR [PAIRS [WINDOWS_BUILD_DIR]]]
#
# Where WINDOWS_BUILD_DIR (by default BUILD_DIR-win64) holds orvanel.exe and
# its floor, both are timed under Wine too. A time under Wine says nothing of
# Windows; only the ratio is worth reading.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
pairs=${2:-21}
windows_build=${3:-$build-win64}
warm_up=3
timer=$build/bench/orvanel-map-timer
for program in "$timer" "$build/app/orvanel" "$build/bench/orvanel-minimal-window"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: build the tree $build first" >&2
        exit 1
    fi
done

# shellcheck source=../scripts/xvfb.sh
. "$root/scripts/xvfb.sh"
scratch=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$scratch"' EXIT
start_xvfb
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run of the timer: prints "milliseconds KiB", or ends the script with the
# timer's complaint. measure TITLE PROGRAM [ARGUMENT...]
measure() {
    "$timer" "$@" 2>"$scratch/errors" || {
        cat "$scratch/errors" >&2
        exit 1
    }
}

# Runs the two programs alternately and appends "time memory" lines to
# $scratch/NAME.a and $scratch/NAME.b: run_pairs NAME TITLE_A TITLE_B -- A... -- B...
run_pairs() {
    local name=$1 title_a=$2 title_b=$3
    shift 4
    local a=() b=()
    while [ "$1" != -- ]; do
        a+=("$1")
        shift
    done
    shift
    b=("$@")
    local i
    for i in $(seq $((warm_up + pairs))); do
        local out_a out_b
        out_a=$(measure "$title_a" "${a[@]}")
        out_b=$(measure "$title_b" "${b[@]}")
        if [ "$i" -gt "$warm_up" ]; then
            echo "$out_a" >>"$scratch/$name.a"
            echo "$out_b" >>"$scratch/$name.b"
        fi
    done
}

# Prints the median, the quartiles and the range of the numbers on standard input.
spread() {
    sort -g | awk '
        function at(p,   i, f) { i = 1 + p * (NR - 1); f = int(i); return v[f] + (i - f) * (v[f + 1] - v[f]) }
        { v[NR] = $1 }
        END { v[NR + 1] = v[NR]; printf "%s %s %s %s %s\n", at(0.5), at(0.25), at(0.75), v[1], v[NR] }'
}

# The figures of one comparison: report NAME LABEL_A LABEL_B WITH_MEMORY
report() {
    local name=$1 label_a=$2 label_b=$3 with_memory=$4
    local column ratios
    printf '%-28s %12s' "median of $pairs runs" "start-up ms"
    [ "$with_memory" = yes ] && printf ' %15s' "peak RSS KiB"
    printf '\n'
    for column in a b; do
        local label=$label_a
        [ $column = b ] && label=$label_b
        printf "%-28s %12.1f" "$label" "$(cut -d' ' -f1 "$scratch/$name.$column" | spread | cut -d' ' -f1)"
        [ "$with_memory" = yes ] &&
            printf ' %15s' "$(cut -d' ' -f2 "$scratch/$name.$column" | spread | cut -d' ' -f1)"
        printf '\n'
    done
    for column in 1 2; do
        [ $column = 2 ] && [ "$with_memory" != yes ] && continue
        ratios=$(paste -d' ' "$scratch/$name.a" "$scratch/$name.b" |
            awk -v c=$column '{ print $c / $(c + 2) }' | spread)
        # shellcheck disable=SC2086 # five numbers
        set -- $ratios
        printf '%-28s %5.2f   quartiles %.2f to %.2f, range %.2f to %.2f\n' \
            "$([ $column = 1 ] && echo start-up || echo memory) ratio, per pair" "$@"
    done
}

echo "Orvanel and its floor, $pairs pairs after $warm_up warm-up pairs, on $(nproc) cores"
run_pairs qt Orvanel Minimal -- "$build/app/orvanel" -- "$build/bench/orvanel-minimal-window"
report qt orvanel "minimal Qt window" yes

exe=$windows_build/app/orvanel.exe
floor=$windows_build/bench/orvanel-minimal-window.exe
if [ -f "$exe" ] && [ -f "$floor" ] && command -v wine >/dev/null; then
    echo
    echo "Under Wine (a ratio only: these are not Windows times)"
    # The Windows tests' own prefix, made on first use, on this display.
    export ORVANEL_KEEP_DISPLAY=1
    "$root/tests/wine/wine-run.sh" "$windows_build/wine" cmd /c exit 0 </dev/null
    export WINEPREFIX=$windows_build/wine/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    run_pairs wine Orvanel Minimal -- wine "$exe" -- wine "$floor"
    report wine orvanel.exe "minimal Win32 window" no
    wineserver -k 2>/dev/null || true
fi
