"""Glimmora (tray mode) started again at several moments of a first start: at once (the first has
its mutex, a helper's, but no window yet), as the first one's window appears, and once that
window is closed (the program runs on) behind another active window. The later start ends at
once, one instance stays and shows its window with the help window active in front; the help
window's close removes it. Catches: a second instance that stays or hangs, a signal lost while
the first loads, a close that quits in tray mode, a window left hidden or without the focus."""
from harness import *

LIMIT = 2.0 + 2.0   # the second start's own work, and Wine's time to end a process
HELP = language_text("en", 77)


def second_start(h, first, situation):
    p = h.start("Glimmora.exe")
    h.ended(p, "a second start %s" % situation, LIMIT + 8)
    took = time.monotonic() - p.started
    log("second start %s ended after %.2f s" % (situation, took))
    check(took <= LIMIT, "a second start %s took %.2f s to end (limit %.1f s)" % (situation, took, LIMIT))
    check(first.poll() is None and h.windows_pids("Glimmora.exe") == [first.pid], "after a second start %s the "
          "Glimmora processes are %s" % (situation, h.windows_pids("Glimmora.exe")))
    check(h.wait_window("visible", SETTINGS_TITLE, 3) is not None, "a second start %s did not show the settings"
          " window" % situation)
    check(h.wait_window("foreground", HELP, 3) is not None, "after a second start %s the help window is not the"
          " active window" % situation)


def main(h):
    h.write_settings({"Taskbar": 0})
    h.start_target()
    # At once: the first start has only made its mutex (a helper holds it) and has no window yet.
    holder, held = h.start("winctl.exe", "hold-mutex", "Glimmora_Mutex", 9000), os.path.join(h.work, "winctl.exe.log")
    h.wait_for("mutex held", lambda: os.path.exists(held) and open(held).read().strip() == "1")
    p = h.start("Glimmora.exe")
    check(h.ended(p, "a start while another had only made its mutex", LIMIT + 2) == 0, "it ended with %s" % p.returncode)
    h.stop(holder)
    first = h.start("Glimmora.exe")
    # Watched on the X side: a Wine helper would cost a process start before every look.
    h.wait_for("settings window", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % SETTINGS_TITLE], env=h.env,
        stdout=subprocess.DEVNULL).returncode == 0, 20)
    second_start(h, first, "as the first one's window appeared")
    check(h.winctl("close", HELP)[0] == 0 and h.wait_window("gone", HELP, 5) is not None,
          "the help window was not destroyed by its close")

    h.winctl("close", SETTINGS_TITLE)
    h.wait_for("settings window hidden by its close", lambda: h.winctl("visible", SETTINGS_TITLE)[0] != 0)
    time.sleep(1.0)
    check(first.poll() is None and h.rect("class:" + SPOT_CLASS), "in tray mode the close ended the program")
    check(h.winctl("focus", TARGET_TITLE)[0] == 0, "could not activate the target")
    second_start(h, first, "while hidden behind another window")

run(main)
