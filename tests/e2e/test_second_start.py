"""Starting Glimmora while it runs: the second process ends at once, and the first one's
settings window comes forward, shown, with its help window active in front of it, also when
it was minimised, and also when it is started the moment the first one's settings window
appears.

Catches: a second instance that stays (two sets of overlays and hooks), one that hangs or
ends slowly, a signal that does not reach the first instance (also one sent while the first
is still loading its overlays), and a settings window that is shown but left minimised or
without the focus."""
import subprocess
import time

from harness import *

SECOND_LIMIT = 2.0  # the second instance's own work
WINE_EXIT = 2.0     # what Wine itself may take to end a process
HELP_TITLE = "Help - Glimmora"


def settings_window_mapped(h):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % SETTINGS_TITLE], env=h.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return found.returncode == 0 and found.stdout.strip() != b""


def second_start(h, first, situation):
    p = h.start("Glimmora.exe", log_name="second-start")
    try:
        p.wait(SECOND_LIMIT + WINE_EXIT + 8)
    except subprocess.TimeoutExpired:
        raise CheckFailed("a second Glimmora.exe started %s was still running after %.0f s"
                          % (situation, SECOND_LIMIT + WINE_EXIT + 8))
    took = time.monotonic() - p.started
    log("second start %s ended after %.2f s with exit code %s" % (situation, took, p.returncode))
    check(took <= SECOND_LIMIT + WINE_EXIT, "a second Glimmora.exe started %s took %.2f s to end (limit %.1f s"
          " and %.1f s for Wine)" % (situation, took, SECOND_LIMIT, WINE_EXIT))
    check(first.poll() is None, "the first instance ended when the second was started %s" % situation)
    pids = h.windows_pids("Glimmora.exe")
    check(pids == [first.pid], "after a second start %s the Glimmora processes are %s, expected only %d"
          % (situation, pids, first.pid))
    settings = [w for w in h.windows() if w["title"] == SETTINGS_TITLE]
    check(len(settings) == 1, "after a second start %s there are %d settings windows" % (situation, len(settings)))
    # The help window, owned by the settings window, opens in front of it and takes the focus.
    came = h.wait_window("foreground", HELP_TITLE, 2.0)
    state = [w for w in h.windows() if w["title"] == SETTINGS_TITLE][0]
    check(came is not None, "after a second start %s the help window is not the active window (%s, active: %s)"
          % (situation, "visible" if state["visible"] else "hidden", h.winctl("foreground-window")[1]))
    check(state["visible"] and not state["iconic"], "after a second start %s the settings window is %s"
          % (situation, "minimised" if state["iconic"] else "hidden"))


def main(h):
    h.no_settings()
    h.start_target()
    # The second start follows the first one's settings window at once, while the first is
    # still setting up behind it. The window is watched on the X side: asking through a Wine
    # helper would cost a process start before every look.
    first = h.start_glimmora(wait=False)
    deadline = time.monotonic() + 20
    while not settings_window_mapped(h):
        check(time.monotonic() < deadline, "the first Glimmora showed no settings window within 20 s")
        time.sleep(0.01)
    log("second start %.2f s after the first" % (time.monotonic() - first.started))
    second_start(h, first, "the moment the first one's settings window appeared")

    # Give the focus to another window first, or the check below could not fail.
    check(h.winctl("focus", TARGET_TITLE)[0] == 0 and h.wait_window("foreground", TARGET_TITLE, 2) is not None,
          "could not make the target window active")
    second_start(h, first, "while another window is active")

    check(h.winctl("minimize", SETTINGS_TITLE)[0] == 0, "could not send the settings window SC_MINIMIZE")
    deadline = time.monotonic() + 3
    while h.winctl("iconic", SETTINGS_TITLE)[0] != 0 and time.monotonic() < deadline:
        time.sleep(0.05)
    check(h.winctl("iconic", SETTINGS_TITLE)[0] == 0, "the settings window did not minimise on SC_MINIMIZE")
    second_start(h, first, "while the settings window is minimised")

    helpers = [w for w in h.windows() if w["exe"].lower() == "glimmora.exe" and w["visible"]
               and (w["exstyle"] & LAYERED_TRANSPARENT) != LAYERED_TRANSPARENT and w["title"] != SETTINGS_TITLE]
    log("other shown windows of the first instance (a help window is expected):", [w["title"] for w in helpers])


run(main)
