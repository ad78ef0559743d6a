#!/usr/bin/env bash
# Start-up of Orvanel beside a minimal Qt Widgets window, on a virtual X
# display: time from starting the program to its window being mapped, and its
# peak resident memory. Prints the medians of RUNS runs and their ratio.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-15}
# shellcheck source=../scripts/xvfb.sh
. "$root/scripts/xvfb.sh"
errors=$(mktemp)
trap 'stop_xvfb; rm -f "$errors"' EXIT
start_xvfb
export QT_QPA_PLATFORM=xcb

# One run of a program: adds the milliseconds to its window being mapped and
# its peak resident kilobytes to the lists named NAME.
measure() {
    local name=$1 program=$2 title=$3
    local start end pid peak
    start=$(date +%s%N)
    "$program" >/dev/null 2>"$errors" &
    pid=$!
    until xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null || [ $(($(date +%s%N) - start)) -gt 30000000000 ]; then
            echo "$program showed no window titled $title:" >&2
            cat "$errors" >&2
            exit 1
        fi
        sleep 0.01
    done
    end=$(date +%s%N)
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    times[$name]+="$(((end - start) / 1000000))"$'\n'
    memory[$name]+="$peak"$'\n'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A times memory
for name in orvanel minimal; do
    times[$name]=""
    memory[$name]=""
done
for _ in $(seq "$runs"); do
    # Alternate the two so that both see the same state of the machine.
    measure orvanel "$build/app/orvanel" Orvanel
    measure minimal "$build/bench/orvanel-minimal-window" Minimal
done

ot=$(printf '%s' "${times[orvanel]}" | median)
mt=$(printf '%s' "${times[minimal]}" | median)
om=$(printf '%s' "${memory[orvanel]}" | median)
mm=$(printf '%s' "${memory[minimal]}" | median)
printf 'median of %d runs     to window mapped   peak resident memory\n' "$runs"
printf 'orvanel                %8s ms        %8s KiB\n' "$ot" "$om"
printf 'minimal Qt window      %8s ms        %8s KiB\n' "$mt" "$mm"
awk -v a="$ot" -v b="$mt" -v c="$om" -v d="$mm" \
    'BEGIN { printf "ratio                  %8.2f           %8.2f\n", a / b, c / d }'
