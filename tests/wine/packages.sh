#!/usr/bin/env bash
# Makes the Windows packages of a build with CPack and checks them: the zip
# holds exactly the program, its licence and a read-me with CRLF line ends,
# and its orvanel.exe imports only system DLLs. With a Wine home, the
# installer is then tried under Wine (installer.sh).
#   packages.sh BUILD_DIR OBJDUMP [WINE_HOME PROBE.exe]
set -euo pipefail
build=$1 objdump=$2 home=${3:-} probe=${4:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v makensis >/dev/null || fail "makensis is missing: install nsis"
(cd "$build" && cpack -B "$work" >/dev/null) || fail "cpack failed"
zip=$(ls "$work"/orvanel-1.0.0-win*.zip 2>/dev/null | head -n 1)
installer=$(ls "$work"/orvanel-1.0.0-win*.exe 2>/dev/null | head -n 1)
[ -n "$zip" ] || fail "no orvanel-1.0.0-win64.zip or -win32.zip was made"
[ -n "$installer" ] || fail "no orvanel-1.0.0-win64.exe or -win32.exe was made"
echo "made $(basename "$zip") ($(stat -c %s "$zip") bytes) and" \
    "$(basename "$installer") ($(stat -c %s "$installer") bytes)"

mkdir "$work/zip"
(cd "$work/zip" && unzip -q "$zip")
files=$(cd "$work/zip" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$files" = "LICENSE.txt README.txt orvanel.exe " ] || fail "the zip holds: $files"
grep -q '^MIT License' "$work/zip/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"
lines=$(wc -l <"$work/zip/README.txt")
crlf=$(grep -c $'\r$' "$work/zip/README.txt" || true)
[ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] || fail "README.txt has $crlf CRLF ends in $lines lines"
grep -q 'keeps nothing' "$work/zip/README.txt" || fail "README.txt does not say that it keeps nothing"
"$here/imports.sh" "$objdump" "$work/zip/orvanel.exe"
echo "the zip holds exactly: $files"

if [ -n "$home" ]; then
    "$here/installer.sh" "$home" "$installer" "$probe"
fi
