#!/usr/bin/env bash
# The 64-bit installer under Wine, silently, into a folder of the test prefix:
# what it installs and registers, that the installed program runs and ends,
# that a second install over the first leaves one install, and that the
# uninstaller leaves nothing behind.
#   installer.sh WINE_HOME INSTALLER.exe PROBE.exe
set -euo pipefail
home=$1 installer=$2 probe=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run=("$here/wine-run.sh" "$home")
DISPLAY=$(cat "$home/display")
export DISPLAY
prefix="$home/prefix"
folder='C:\OrvanelTest'
unix_folder="$prefix/drive_c/OrvanelTest"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanel'
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanel'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# The key's values, or nothing where there is no such key. The 64-bit view of
# the registry, where the installer writes: reg.exe is a 32-bit program where
# Wine starts programs through its 32-bit loader.
registry() {
    local out
    out=$("${run[@]}" reg query "$1" /reg:64 2>/dev/null) || return 0
    tr -d '\r' <<<"$out"
}
value() { registry "$key" | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
shortcuts() { find "$prefix/drive_c" -name 'Orvanel.lnk' 2>/dev/null; }

rm -rf "$unix_folder"
"${run[@]}" reg delete "$key" /reg:64 /f >/dev/null 2>&1 || true

# Programs are started through start /wait, which ends when the program's own
# process ends, with its exit status.
install() {
    local status=0
    "${run[@]}" start /wait /unix "$installer" /S "/D=$folder" || status=$?
    [ "$status" -eq 0 ] || fail "the installer ended with status $status"
}

check_installed() {
    local file
    for file in orvanel.exe Uninstall.exe LICENSE.txt README.txt; do
        [ -f "$unix_folder/$file" ] || fail "$file is not in $folder"
    done
    [ "$(value DisplayName)" = Orvanel ] || fail "DisplayName is '$(value DisplayName)'"
    [ "$(value DisplayVersion)" = 1.0.0 ] || fail "DisplayVersion is '$(value DisplayVersion)'"
    [ "$(value Publisher)" = "The Orvanel developers" ] || fail "Publisher is '$(value Publisher)'"
    [ "$(value DisplayIcon)" = "$folder\\orvanel.exe,0" ] || fail "DisplayIcon is '$(value DisplayIcon)'"
    grep -qF 'Uninstall.exe' <<<"$(value UninstallString)" || fail "no UninstallString"
    [ "$(shortcuts | wc -l)" -eq 1 ] || fail "Start-menu shortcuts: $(shortcuts)"
    [ -z "$(registry "$user_key")" ] || fail "a per-user key as well: $user_key"
}

install
check_installed
echo "installed: $(ls "$unix_folder" | tr '\n' ' ')"
echo "registry key $key:"
registry "$key" | sed -n 's/^ \{4\}/  /p'
echo "Start-menu shortcut: $(shortcuts)"

"${run[@]}" start /wait /unix "$unix_folder/orvanel.exe" &
pid=$!
"${run[@]}" "$probe" wait Orvanel 30 || fail "the installed orvanel.exe showed no window"
desktop=$(xdotool search --name ' - Wine desktop$' | head -n 1)
xdotool windowfocus --sync "$desktop" 2>/dev/null || true
xdotool key alt+f x
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    "${run[@]}" taskkill /f /im orvanel.exe >/dev/null 2>&1 || true
    fail "File > Exit did not end the installed program"
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"
echo "the installed orvanel.exe showed its window and ended through File > Exit"

install
check_installed
echo "a second install over the first leaves one install"

"${run[@]}" "$unix_folder/Uninstall.exe" /S
# The uninstaller copies itself elsewhere and goes on after this returns.
for _ in $(seq 100); do
    [ ! -e "$unix_folder" ] && break
    sleep 0.2
done
[ ! -e "$unix_folder" ] || fail "left after uninstalling: $(ls -A "$unix_folder")"
[ -z "$(shortcuts)" ] || fail "shortcut left after uninstalling: $(shortcuts)"
[ -z "$(registry "$key")" ] || fail "registry key left after uninstalling"
echo "PASS: the uninstaller left no file, shortcut or registry key"
