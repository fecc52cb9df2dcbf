#!/bin/bash
# Checks a build's dsmouse.dll and Glimmora.exe with objdump -p: the library exports exactly
# the bare name SetMouseHook (no @8, no underscore); the program does not import it, since it
# is loaded by name at run time. What else they import is pkg/check-imports.sh's to check.
# Usage: check-exports.sh OBJDUMP DSMOUSE_DLL GLIMMORA_EXE
set -uo pipefail
objdump=$1 dll=$2 exe=$3
status=0
fail() { echo "FAIL: $*"; status=1; }
dll_dump=$("$objdump" -p "$dll") || { echo "FAIL: objdump cannot read $dll"; exit 1; }
exe_dump=$("$objdump" -p "$exe") || { echo "FAIL: objdump cannot read $exe"; exit 1; }
# The names sit in the "[Ordinal/Name Pointer] Table" block, one "[ n] Name" a line.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
               inside && /^[[:space:]]*$/ { inside = 0 }
               inside && /\[ *[0-9]+\]/ { print $NF }' <<<"$dll_dump")
[ "$exports" = "SetMouseHook" ] || fail "$dll exports [$(echo $exports)], expected exactly [SetMouseHook]"
grep -qi 'DLL Name: *dsmouse' <<<"$exe_dump" && fail "$exe imports dsmouse.dll statically"
[ $status -eq 0 ] && echo "OK: $dll exports SetMouseHook only; $exe loads it at run time"
exit $status
