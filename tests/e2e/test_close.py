"""Closing the settings window from its system menu ends the program: every window of it
is gone within 2 s and the process ends normally soon after (Wine adds its own exit time).
With "Taskbar=0" the same close only hides the window and the program keeps running.

Catches: a close that leaves the process (or its overlays, or the hidden message window)
behind, an exit that hangs or crashes while tearing down, and a tray mode that quits."""
import subprocess
import time

from harness import *

WINDOWS_GONE = 2.0
WINE_EXIT = 2.0


def main(h):
    h.no_settings()
    h.start_target()
    p = h.start_glimmora()
    windows = [w for w in h.windows() if w["exe"].lower() == "glimmora.exe"]
    log("windows of Glimmora while it runs:", len(windows))
    check(any(w["cls"] == SPOT_CLASS for w in windows), "Glimmora runs without a halo window")
    check(any(w["title"] == MESSAGE_TITLE for w in windows), "Glimmora runs without its %r window" % MESSAGE_TITLE)

    closed = time.monotonic()
    check(h.winctl("close", SETTINGS_TITLE)[0] == 0, "could not send the settings window SC_CLOSE")
    rc, out = h.winctl("wait-none", "Glimmora_", str(int((WINDOWS_GONE + WINE_EXIT + 5) * 1000)))
    gone = time.monotonic() - closed
    left = [w for w in h.windows() if w["exe"].lower() == "glimmora.exe" or w["cls"].startswith("Glimmora_")
            or w["title"].startswith("Glimmora")]
    try:
        p.wait(WINDOWS_GONE + WINE_EXIT + 10)
    except subprocess.TimeoutExpired:
        raise CheckFailed("Glimmora still runs %.0f s after its settings window was closed; its windows: %s"
                          % (WINDOWS_GONE + WINE_EXIT + 10, [(w["cls"], w["title"]) for w in left]))
    ended = time.monotonic() - closed
    log("windows gone after %.2f s, process ended after %.2f s, exit code %s" % (gone, ended, p.returncode))
    check(rc == 0, "windows of Glimmora were left after the close: %s" % [(w["cls"], w["title"]) for w in left])
    check(gone <= WINDOWS_GONE + 0.3, "the windows of Glimmora took %.2f s to go after the close (limit %.1f s)"
          % (gone, WINDOWS_GONE))
    check(ended <= WINDOWS_GONE + WINE_EXIT, "the process took %.2f s to end after the close (limit %.1f s and %.1f s"
          " for Wine)" % (ended, WINDOWS_GONE, WINE_EXIT))
    check(p.returncode == 0, "Glimmora ended with exit code %s after a normal close" % p.returncode)

    # Tray mode: the close hides the window and the program goes on.
    h.write_settings({"Taskbar": 0})
    p = h.start_glimmora()
    h.winctl("close", SETTINGS_TITLE)
    deadline = time.monotonic() + 2
    while h.winctl("visible", SETTINGS_TITLE)[0] == 0 and time.monotonic() < deadline:
        time.sleep(0.05)
    check(h.winctl("visible", SETTINGS_TITLE)[0] != 0, "with Taskbar=0, closing the settings window did not hide it")
    time.sleep(WINDOWS_GONE + 1)
    check(p.poll() is None, "with Taskbar=0, closing the settings window ended the program (exit code %s)"
          % p.returncode)
    check(h.class_rect(SPOT_CLASS) is not None, "with Taskbar=0, the halo is gone after the settings window closed")


run(main)
