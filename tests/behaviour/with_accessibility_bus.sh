#!/usr/bin/env bash
# Runs a test program the way a screen reader's session has it: on a private
# virtual X display, in a D-Bus session of its own where the accessibility bus
# is already up. When the program fails, says how it ended, even if it could
# print nothing itself.
#
#   with_accessibility_bus.sh BUS_LAUNCHER PROGRAM [ARGUMENT...]
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"

trap stop_xvfb EXIT
start_xvfb || exit 1

launcher=$1
shift
# shellcheck disable=SC2016
dbus-run-session -- sh -c '
    "$0" --launch-immediately &
    bus=$!
    "$@"
    status=$?
    kill "$bus"
    if [ "$status" -gt 128 ]; then
        echo "$1 was ended by signal $((status - 128))" >&2
    elif [ "$status" -ne 0 ]; then
        echo "$1 ended with status $status" >&2
    fi
    exit "$status"' "$launcher" "$@"
status=$?
[ "$status" -eq 0 ] || echo "the D-Bus session on $DISPLAY ended with status $status" >&2
exit "$status"
