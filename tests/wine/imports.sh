#!/usr/bin/env bash
# The executable needs no DLL beside it: every DLL it imports is part of Windows.
#   imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
dlls=$("$objdump" -p "$program" | awk '/DLL Name:/ { print toupper($3) }' | sort -u)
[ -n "$dlls" ] || { echo "FAIL: no imports read from $program" >&2; exit 1; }
echo "$(basename "$program") imports:" $dlls
system="KERNEL32.DLL USER32.DLL GDI32.DLL COMCTL32.DLL MSVCRT.DLL ADVAPI32.DLL"
for dll in $dlls; do
    case " $system " in
    *" $dll "*) ;;
    *) echo "FAIL: $dll is not a DLL that every Windows has" >&2; exit 1 ;;
    esac
done
