#!/bin/bash
# Builds Glimmora for 64-bit Windows and starts it under Wine.
# On a machine with an X display it just starts the program there (arguments are passed on).
# Without one it runs on a virtual display with a compositor: it starts Glimmora, moves the
# pointer so the halo follows it, saves a screenshot, prints where, closes the program and
# stops what it started (the display, the compositor, the prefix's Wine server). With --keep
# first, Glimmora and the display stay up until Enter is pressed.
set -euo pipefail
keep=0
if [ "${1:-}" = "--keep" ]; then keep=1; shift; fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLIMMORA_BUILD:-$root/build}"
"$root/scripts/deps.sh"
. "$root/scripts/display.sh"

mkdir -p "$build"
cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >"$build/win64.configure.log" 2>&1 \
    || { cat "$build/win64.configure.log"; exit 1; }
cmake --build "$build/win64" -j "$(nproc)" --target Glimmora winctl
# A prefix of its own: the tests reset theirs, this one keeps what the user set.
make_wine_prefix "$build/wineprefix-run"
run="$build/win64/wine-run.sh"
bin="$build/win64/bin"

if [ -n "${DISPLAY:-}" ]; then
    exec "$run" "$bin/Glimmora.exe" "$@"
fi

start_virtual_display
echo "Virtual display $DISPLAY"
"$run" "$bin/Glimmora.exe" "$@" >"$build/glimmora-run.log" 2>&1 &
glimmora=$!
for _ in $(seq 100); do
    xdotool search --name '^Glimmora - Settings$' >/dev/null 2>&1 && break
    kill -0 "$glimmora" 2>/dev/null || { echo "Glimmora ended at start" >&2; exit 1; }
    sleep 0.2
done
# A few steps, so that the halo is seen following the pointer to where it rests.
for xy in "300 300" "500 350" "800 450"; do
    xdotool mousemove $xy
    sleep 0.3
done
shot="$build/glimmora-screenshot.png"
import -window root "$shot"
echo "Screenshot of Glimmora with the pointer at (800, 450): $shot"

if [ "$keep" = 1 ]; then
    echo "Glimmora runs on display $DISPLAY; press Enter to end it."
    read -r _ || true
fi
"$run" "$bin/winctl.exe" close "Glimmora - Settings" || true
for _ in $(seq 50); do kill -0 "$glimmora" 2>/dev/null || break; sleep 0.2; done
kill "$glimmora" 2>/dev/null || true
wait "$glimmora" 2>/dev/null || true
# The prefix's server would linger a few seconds after its last program; it is ours to end.
wineserver -k 2>/dev/null || true
exit 0
