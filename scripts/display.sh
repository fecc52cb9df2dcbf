# Sourced: starts a virtual X display with a compositor (layered-window alpha needs one)
# unless GLIMMORA_DISPLAY_READY is set, and stops both when the calling shell exits.
start_virtual_display() {
    local n
    for n in $(seq 91 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    GLIMMORA_XVFB_PID=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    export DISPLAY=:$n
    xcompmgr >/dev/null 2>&1 &
    GLIMMORA_XCOMPMGR_PID=$!
    trap stop_virtual_display EXIT
}
stop_virtual_display() {
    # The compositor first, so that it does not complain about the display going away. A
    # killed process's status must not end a caller that runs with errexit before Xvfb goes.
    local pid
    for pid in "${GLIMMORA_XCOMPMGR_PID:-}" "${GLIMMORA_XVFB_PID:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    GLIMMORA_XCOMPMGR_PID= GLIMMORA_XVFB_PID=
}
# A prefix of our own inside the build folder, made once.
make_wine_prefix() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # The virtual display has no window manager: without this Wine waits 2 s for one to
    # confirm the unmapping of each window it leaves to it (any window with a caption),
    # which adds 2 s to every program's exit and to every closed dialog.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w
    fi
}
