"""The command line and the tray icon in one start with the ring halo: "/pause", "/ HALOHOLE=20",
junk ("/////", "/=5", "/pof=1e309") and 10 000 characters more. Paused: no halo, the window
minimised; a left click on the tray icon (in Wine's tray window) brings it back; a right click
opens the menu at the pointer, read from the screen (greyed headline, Settings, Pause checked
while paused, Exit, two separators); a click elsewhere closes it; "Pause" resumes (the ring's
hole is 20 % of the halo) and pauses; "Exit", with the options dialog open, ends cleanly and
the file holds nothing of the command line. Catches: a switch ignored, a window left normal, a
tray icon deaf or its menu misplaced, stuck or lying, a crash on junk, an exit hanging."""
from collections import Counter

from harness import *

SIZE = 100


def ring(x, y, showing):
    def verify(s):
        left, top, right, bottom = s.extent(x, y, plain)
        check(not showing or abs(right - left + 1 - 40.2) <= 3 and abs(bottom - top + 1 - 40.2) <= 3, "the ring's "
              "hole is %d x %d px, expected 20 %% of 201 px" % (right - left + 1, bottom - top + 1))
        halo_on_circles(s, x, y, ((28, showing), (75, showing), (SIZE + 4, False)), "the ring")
    return verify


def open_menu(h, tray, paused):
    """Right-clicks the tray icon, low in it (Wine may raise its tray over the menu's top), and
    reads the menu from the screen; returns the points of its Pause and Exit entries."""
    x, y = tray[0] + 12, tray[3] - 6
    h.focus("Wine System Tray")   # over the windows of Glimmora that may cover it
    h.move(x, y)
    h.xdotool("click", 3)
    h.wait_for("tray menu on a right click", lambda: h.shown(MENU_CLASS))
    left, top, right, bottom = h.shown(MENU_CLASS)["rect"]
    check(abs(left - x) <= 2 and abs(top - y) <= 2, "the tray menu opened at %s, not at the pointer" % ((left, top),))
    s = h.shot()
    rows = []  # [kind, first y, last y, leftmost dark x, darkest]
    for py in range(max(top + 1, tray[3]), bottom - 1):
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
    check((pause[3] < settings[3] - 5) == paused, "the Pause entry's check mark does not say %s (%s)"
          % ("paused" if paused else "running", s.path))
    return {name: ((left + right) // 2, (row[1] + row[2]) // 2) for name, row in (("Pause", pause), ("Exit", leave))}


def choose(h, entry, after):
    h.move(*entry)
    time.sleep(0.2)
    h.xdotool("click", 1)
    h.wait_for("closed menu after %s" % after, lambda: not h.shown(MENU_CLASS))


def main(h):
    h.write_settings({"HaloRing": 1})
    h.start_target()
    p = h.start_glimmora("Glimmora.exe", "/////", "/=5", "/pof=1e309", "/pause", "/", "HALOHOLE=20",
                         "/" * 2000 + "=" * 2000 + "/pof=" + "9" * 5995)
    h.wait_for("minimised settings window after /pause", lambda: (h.shown(title=SETTINGS_TITLE) or {}).get("iconic"))
    x, y = h.free_points(1, SIZE + 10)[0]
    tray = h.shown(TRAY_CLASS)["rect"]
    h.wait_for_balloon_to_go(tray)   # it covers the icon and the menu for some seconds
    h.move(tray[0] + 12, tray[3] - 6)
    h.xdotool("click", 1)
    h.wait_for("settings window shown by a left click on the tray icon",
               lambda: (h.shown(title=SETTINGS_TITLE) or {}).get("iconic") is False)
    h.winctl("minimize", SETTINGS_TITLE)   # off the tray window again
    h.move(x, y)
    h.settle(ring(x, y, False))

    open_menu(h, tray, paused=True)
    h.move(x, y)
    h.xdotool("click", 1)
    h.wait_for("closed tray menu after a click elsewhere", lambda: not h.shown(MENU_CLASS))
    for paused in (True, False):   # the ring shows, then not
        choose(h, open_menu(h, tray, paused)["Pause"], "Pause")
        h.move(x, y)
        h.settle(ring(x, y, paused))
        time.sleep(0.6)  # past the half-second guard between two pauses
    check(h.winctl("press", SETTINGS_TITLE, 1015)[0] == 0 and h.wait_window("visible", "Options", 10) is not None,
          "More options ... did not open the options dialog")
    h.exit_cleanly(p, "the tray menu's Exit with a dialog open", lambda: choose(h, open_menu(h, tray, True)["Exit"],
                                                                                "Exit"))
    saved = h.read_settings()
    wrong = [(k, v) for k, v in saved.items() if k.lower() in ("pof", "kof", "halohole", "pause")
             or not re.fullmatch(r"-?\d+", v)]
    check(not wrong and saved["HaloRing"] == "1", "after the start the settings file holds %s" % (wrong or saved))


run(main)
