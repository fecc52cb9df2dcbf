"""The command line and the tray icon, as a user starts and drives Glimmora:
- "/pause" starts paused: no halo where the defaults show one, and the settings window is
  minimised shortly after start (hidden in tray mode);
- the tray icon (in Wine's own small tray window, as there is no notification area): a left
  click brings the hidden settings window back; a right click opens the menu at the pointer,
  read from the screen: greyed headline, Settings, Pause (checked while paused), Exit, two
  separators; a click elsewhere closes it; "Pause" resumes and pauses; "Exit" ends;
- "/ HALOHOLE=20" with the ring halo makes the hole 20 % of the halo's diameter;
- "/////", "/=5", "/pof=1e309" and a command line of 10 000 characters start normally, and
  the settings file saved at exit holds none of their values.

Catches: a pause switch that is ignored, a window state that stays normal, a tray icon that
does not answer or opens its menu away from the pointer, a menu that stays open, a check
mark that lies, a pause entry that does nothing, a switch name that must be lower case, a
hole that keeps its default size, and a crash or a hang on a hostile command line."""
import re
import subprocess
import time
from collections import Counter

from harness import *
from settings_ui import wait_for_balloon_to_go

SIZE = 100                                            # the default halo: 201 px across
INSIDE = blend((0, 0, 0), alpha_from_percent(80), BLUE)
TRAY_CLASS = "__winex11_standalone_tray"              # Wine's stand-in for the notification area
MENU_CLASS = "#32768"


def tinted(p):
    return close_to(p, INSIDE, 4)


def plain(p):
    return close_to(p, BLUE, 3)


def start_with(h, *args):
    return h.start_glimmora("Glimmora.exe", *args)


def wait_for(what, condition, timeout=5.0):
    deadline = time.monotonic() + timeout
    while not condition():
        check(time.monotonic() < deadline, "no %s within %.0f s" % (what, timeout))
        time.sleep(0.1)


def shown(h, cls=None, title=None):
    found = [w for w in h.windows() if w["visible"] and (w["cls"] == cls or w["title"] == title)]
    return found[0] if found else None


def verify_halo(x, y, showing):
    def verify(s):
        wrong = [(px, py, s.pixel(px, py)) for px, py in [(x, y)] + on_circle(x, y, 40) + on_circle(x, y, 85)
                 if not (tinted if showing else plain)(s.pixel(px, py))]
        check(not wrong, "the halo should %sshow at (%d, %d): %s" % ("" if showing else "not ", x, y, wrong[:4]))
    return verify


def open_menu(h, paused):
    """Right-clicks the tray icon and reads the menu from the screen; returns the points of
    its Pause and Exit entries."""
    tray = shown(h, TRAY_CLASS)
    check(tray is not None, "no tray window of Wine on the screen while Glimmora runs")
    # The one icon, below the caption; low in it, since the menu opens at the pointer and
    # Wine may raise its tray window over the menu's top.
    x, y = tray["rect"][0] + 12, tray["rect"][3] - 6
    h.move(x, y)
    h.xdotool("click", 3)
    wait_for("tray menu on a right click", lambda: shown(h, MENU_CLASS))
    menu = shown(h, MENU_CLASS)
    left, top, right, bottom = menu["rect"]
    check(abs(left - x) <= 2 and abs(top - y) <= 2, "the tray menu opened at %s, not at the pointer" % ((left, top),))
    s = h.shot()
    rows = []  # [kind, first y, last y, leftmost dark x, darkest]
    for py in range(max(top + 1, tray["rect"][3]), bottom - 1):
        line = [s.pixel(px, py) for px in range(left + 3, right - 3)]
        dark = [(left + 3 + i, max(p)) for i, p in enumerate(line) if max(p) <= 140]
        colour, count = Counter(line).most_common(1)[0]
        if colour != (255, 255, 255) and count >= 0.9 * len(line):
            rows.append(["line", py, py, None, None])
        elif dark and rows and rows[-1][0] == "text" and py - rows[-1][2] <= 3:
            rows[-1][2:] = [py, min(rows[-1][3], dark[0][0]), min([rows[-1][4]] + [d for _, d in dark])]
        elif dark:
            rows.append(["text", py, py, dark[0][0], min(d for _, d in dark)])
    check([r[0] for r in rows] == ["text", "line", "text", "text", "line", "text"], "the tray menu reads %s, expected "
          "headline, separator, Settings, Pause, separator, Exit (%s)" % ([r[0] for r in rows], s.path))
    headline, settings, pause, leave = rows[0], rows[2], rows[3], rows[5]
    check(headline[4] > 60 and settings[4] < 60, "the headline is not greyed (%s)" % s.path)
    # The check mark stands left of where the entries' text begins.
    check((pause[3] < settings[3] - 5) == paused, "the pause entry's check mark does not say %s (%s)"
          % ("paused" if paused else "running", s.path))
    return {name: ((left + right) // 2, (row[1] + row[2]) // 2) for name, row in (("Pause", pause), ("Exit", leave))}


def choose(h, entry):
    h.move(*entry)
    time.sleep(0.2)
    h.xdotool("click", 1)
    wait_for("closed menu after a choice", lambda: not shown(h, MENU_CLASS))


def paused_at_start(h):
    h.no_settings()
    p = start_with(h, "/pause")
    wait_for("minimised settings window after a paused start",
             lambda: (shown(h, title=SETTINGS_TITLE) or {}).get("iconic"))
    x, y = h.free_points(1, SIZE + 10)[0]
    h.move(x, y)
    time.sleep(0.5)
    h.settle(verify_halo(x, y, False))
    h.stop_glimmora(p)
    log("/pause: paused, the settings window minimised")


def tray(h):
    h.write_settings({"Taskbar": 0})
    p = start_with(h, "/PAUSE")
    wait_for("hidden settings window after a paused start in tray mode", lambda: not shown(h, title=SETTINGS_TITLE))
    x, y = h.free_points(1, SIZE + 10)[0]
    tray_window = shown(h, TRAY_CLASS)
    # The start balloon stands over the icon and the menu it opens for some seconds.
    wait_for_balloon_to_go(h, tray_window["rect"])
    h.move(tray_window["rect"][0] + 12, tray_window["rect"][3] - 6)
    h.xdotool("click", 1)
    check(h.wait_window("visible", SETTINGS_TITLE, 3) is not None, "a left click on the tray icon did not show the "
          "settings window")
    check(not shown(h, title=SETTINGS_TITLE)["iconic"], "a left click on the tray icon left the window minimised")
    h.move(x, y)  # off the icon, or its tooltip comes up over the menu opened there next
    h.winctl("close", SETTINGS_TITLE)  # in tray mode this only hides it, out of the way of the pixels
    wait_for("hidden settings window after its close", lambda: not shown(h, title=SETTINGS_TITLE))

    open_menu(h, paused=True)
    h.move(x, y)
    h.xdotool("click", 1)
    wait_for("closed tray menu after a click elsewhere", lambda: not shown(h, MENU_CLASS))
    h.settle(verify_halo(x, y, False))
    for paused in (True, False):
        choose(h, open_menu(h, paused)["Pause"])
        h.move(x, y)
        h.settle(verify_halo(x, y, paused))
        log("the tray menu's Pause entry %s" % ("resumed" if paused else "paused"))
        time.sleep(0.6)  # past the half-second guard
    choose(h, open_menu(h, True)["Exit"])
    try:
        check(p.wait(10) == 0, "the tray menu's Exit ended Glimmora with exit code %s" % p.returncode)
    except subprocess.TimeoutExpired:
        raise CheckFailed("Glimmora still runs 10 s after the tray menu's Exit")


def halo_hole(h):
    h.write_settings({"HaloRing": 1})
    p = start_with(h, "/", "HALOHOLE=20")
    x, y = h.free_points(1, SIZE + 10)[0]
    h.move(x, y)

    def verify(s):
        left, top, right, bottom = s.extent(x, y, plain)
        check(abs(right - left + 1 - 40.2) <= 3 and abs(bottom - top + 1 - 40.2) <= 3, "the ring's hole is %d x %d "
              "px, expected 20 %% of 201 px" % (right - left + 1, bottom - top + 1))
        for r, want in ((12, plain), (28, tinted), (75, tinted), (SIZE + 4, plain)):
            wrong = [(px, py, s.pixel(px, py)) for px, py in on_circle(x, y, r) if not want(s.pixel(px, py))]
            check(not wrong, "at radius %d the ring should be %s: %s" % (r, want.__name__, wrong[:4]))

    h.settle(verify)
    h.stop_glimmora(p)
    log("/ HALOHOLE=20: the ring's hole is 20 %")


def hostile(h, name, args):
    """Starts normally, ends normally and saves only its own keys; returns them without the
    positions, which depend on where the pointer was at exit."""
    h.no_settings()
    p = start_with(h, *args)
    x, y = h.free_points(1, SIZE + 10)[0]
    h.move(x, y)
    h.settle(verify_halo(x, y, True))
    check(h.stop_glimmora(p) == 0, "Glimmora started with %s ended with exit code %s" % (name, p.returncode))
    saved = dict(h.read_settings())
    wrong = [(k, v) for k, v in saved.items() if k.lower() in ("pof", "kof", "halohole", "pause")
             or not re.fullmatch(r"-?\d+", v)]
    check(not wrong, "after a start with %s the settings file holds %s" % (name, wrong))
    check((saved["WindowState"], saved["WindowVisible"]) == ("0", "1"), "after a start with %s the window state "
          "saved is %s" % (name, (saved["WindowState"], saved["WindowVisible"])))
    log("%s: started and ended normally, %d keys saved" % (name, len(saved)))
    return {k: v for k, v in saved.items() if not k.endswith(("PosX", "PosY"))}


def main(h):
    h.start_target()
    paused_at_start(h)
    tray(h)
    halo_hole(h)
    junk = hostile(h, "/////, /=5 and /pof=1e309", ["/////", "/=5", "/pof=1e309"])
    lengthy = hostile(h, "10 000 characters", ["/" * 2000 + "=" * 2000 + "/pof=" + "9" * 5995])
    check(junk == lengthy, "two starts without settings saved different files: %s"
          % sorted(set(junk.items()) ^ set(lengthy.items())))


run(main)
