#!/usr/bin/env bash
# Compiles the resource script with the MinGW resource compiler, where it is
# installed, and checks the result and the icon file.
#   windows_resource.sh TEST_PROGRAM RC_FILE ICO_FILE WORK_DIR
set -euo pipefail
test_program=$1 rc=$2 ico=$3 work=$4
export ORVANEL_ICO=$ico
windres=$(command -v x86_64-w64-mingw32-windres || true)
if [ -n "$windres" ] && command -v cpp >/dev/null; then
    mkdir -p "$work"
    # The host preprocessor serves: the script includes no Windows headers.
    "$windres" --preprocessor=cpp -i "$rc" -O res -o "$work/orvanel.res"
    export ORVANEL_RES="$work/orvanel.res"
else
    echo "x86_64-w64-mingw32-windres (binutils-mingw-w64-x86-64) is missing:" \
        "the compiled resource script is not checked"
fi
exec "$test_program"
