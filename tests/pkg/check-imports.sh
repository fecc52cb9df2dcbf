#!/bin/bash
# Checks what a clean Windows needs to run the given programs and libraries (objdump -p):
# every imported DLL is a system DLL or our dsmouse.dll, so no compiler runtime
# (libgcc, libstdc++, winpthread) or newer C runtime has to come along, and every
# program is a GUI program that opens no console window.
# Usage: check-imports.sh OBJDUMP FILE...
set -uo pipefail
objdump=$1; shift
# DLLs that every Windows from 7 on has.
allowed=" advapi32.dll comctl32.dll comdlg32.dll dwmapi.dll gdi32.dll imm32.dll kernel32.dll msimg32.dll
          msvcrt.dll ole32.dll oleacc.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll
          version.dll windowscodecs.dll winmm.dll wtsapi32.dll dsmouse.dll "
status=0
fail() { echo "FAIL: $*"; status=1; bad=1; }

for file in "$@"; do
    bad=0
    dump=$("$objdump" -p "$file") || { fail "objdump cannot read $file"; continue; }
    dlls=$(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
    # An empty or unreadable import table would otherwise pass unnoticed.
    grep -qx 'kernel32.dll' <<<"$dlls" || fail "$file: no KERNEL32.dll among its imports [$(echo $dlls)]"
    for dll in $dlls; do
        [[ $allowed == *" $dll "* ]] || fail "$file imports $dll, which a clean Windows lacks"
    done
    if [[ $file == *.exe ]] && ! grep -q '^Subsystem.*(Windows GUI)' <<<"$dump"; then
        fail "$file is not a GUI program: $(grep '^Subsystem' <<<"$dump" | xargs)"
    fi
    [ $bad -eq 0 ] && echo "OK: $file imports $(echo $dlls)"
done
exit $status
