#!/bin/bash
# Builds everything and runs every test: the native core under ASan/UBSan, the fuzzers,
# the Win32 unit tests under Wine and the end-to-end screen tests in a virtual display.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLIMMORA_BUILD:-$root/build}"
jobs=$(nproc)
"$root/scripts/deps.sh" || exit 1
. "$root/scripts/display.sh"

configure_and_build() {   # dir, cmake args...
    local dir=$1; shift
    cmake -S "$root" -B "$build/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$build/$dir.configure.log" 2>&1 \
        || { cat "$build/$dir.configure.log"; return 1; }
    cmake --build "$build/$dir" -j "$jobs" 2>&1 | grep -E 'error|warning|Error' ; return "${PIPESTATUS[0]}"
}
mkdir -p "$build"
# Unoptimised under the sanitizers: a third of the build time, and they see no less.
configure_and_build native -DCMAKE_BUILD_TYPE=Debug || exit 1
configure_and_build fuzz -DGLIMMORA_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ || exit 1
configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" || exit 1
# The 32-bit build is only inspected (exports, imports, version), as it ships.
configure_and_build win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" || exit 1

make_wine_prefix "$build/win64/wineprefix"
[ -n "${DISPLAY:-}" ] && [ -n "${GLIMMORA_KEEP_DISPLAY:-}" ] || start_virtual_display

# One ctest run over all four builds, so that one summary closes the output.
printf 'subdirs("native" "fuzz" "win64" "win32")\n' > "$build/CTestTestfile.cmake"
cd "$build" && ctest --output-on-failure --timeout 600 "$@"
