"""The settings window as a user uses it, over a white target: a drag of the halo's size slider
across its track resizes the halo from the largest to the smallest; a palette cell colours it;
"Default settings ..." answered Yes brings the defaults back, and the window looks as the
approved reference image (GLIMMORA_UPDATE_REFERENCE=1 writes a new one); the menu switches the
language to German; closed with the options dialog and the menu open, it ends cleanly, saved.
Catches: a drag or pick not reaching the halo, a reset leaving the overlays, a control missing,
moved or clipped, a language not taken, an exit hanging in a menu's loop."""
from harness import *

REFERENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference", "settings-window-96dpi.png")
# Regions of the client area at 96 dpi: the top row, the five groups and the last band.
REGIONS = [("top row", 0, 48), ("click indicator", 48, 120), ("mouse image", 120, 192), ("halo", 192, 264),
           ("cross hair", 264, 336), ("keyboard", 336, 432), ("auto-hide", 432, 554)]
WHITE = (255, 255, 255)
SLD_SIZE_SPOT, COLPIC_SPOT = 1035, 1036


def compare_with_reference(path):
    if os.environ.get("GLIMMORA_UPDATE_REFERENCE"):
        return shutil.copy(path, REFERENCE)
    now, ref = Shot(path), Shot(REFERENCE)
    check((now.width, now.height) == (ref.width, ref.height), "the client area is %dx%d, the reference %dx%d"
          % (now.width, now.height, ref.width, ref.height))
    changed = []
    for name, top, bottom in REGIONS:
        differing = sum(1 for i in range(top * now.width * 3, bottom * now.width * 3, 3)
                        if max(abs(now.data[i + c] - ref.data[i + c]) for c in range(3)) > 40)
        if differing > 0.002 * now.width * (bottom - top):
            changed.append(name)
    check(not changed, "the settings window differs from its approved look in %s (%s against %s)"
          % (changed, path, REFERENCE))


def expect_halo(h, width, centre=None, why=""):
    """The halo at (900, 400): its width on the row through it and the colour at its centre."""
    x, y = 900, 400
    h.move(x, y)

    def verify(s):
        left, _, right, _ = s.extent(x, y, lambda p: not close_to(p, WHITE, 6))
        check(right - left + 1 == width, "%s the halo is %d px wide, not %d" % (why, right - left + 1, width))
        check(centre is None or close_to(s.pixel(x, y), centre), "%s the halo's centre reads %s, not %s"
              % (why, s.pixel(x, y), centre))
    h.settle(verify)


def main(h):
    h.no_settings()
    h.start_target(WHITE)
    h.move(h.screen[0] - 150, h.screen[1] - 150)
    p = h.start_glimmora()
    client = h.rect(SETTINGS_TITLE, "client-rect")   # its size is the reference's
    ctl = h.children()
    left, top, right, bottom = ctl[SLD_SIZE_SPOT]["rect"]
    track_y = top + (bottom - top) * 2 // 3
    h.drag(left + 30, track_y, right + 40, track_y, 12)
    expect_halo(h, 601, why="after dragging the size to its end")
    h.drag(right - 30, track_y, left - 40, track_y, 12)
    expect_halo(h, 41, why="after dragging the size to its start")
    # Yellow: column 2, row 2 of 9 x 7 cells, one pixel in.
    h.move(ctl[COLPIC_SPOT]["rect"][0] + 1 + 2 * 9 + 4, ctl[COLPIC_SPOT]["rect"][1] + 1 + 2 * 7 + 3)
    h.xdotool("click", 1)
    expect_halo(h, 41, blend((255, 255, 0), alpha_from_percent(80), WHITE), "after picking yellow")
    h.move(h.screen[0] - 150, h.screen[1] - 150)
    h.menu_keys(*(["Down"] * 7), "Return")
    box = language_text("en", 32)
    check(h.wait_window("visible", box, 10) is not None, "no %r box after choosing the reset" % box)
    check(h.winctl("press", box, 6)[0] == 0 and h.wait_window("gone", box, 10) is not None, "the reset box stayed")
    expect_halo(h, 201, blend((0, 0, 0), alpha_from_percent(80), WHITE), "after the reset to defaults")
    h.wait_for_balloon_to_go(client, appear=0)
    h.focus()   # over Wine's tray window
    compare_with_reference(h.crop(h.shot(), client, "settings-window-96dpi.png"))

    # Every caption following the language is the Wine tests' to check; here the menu's choice
    # reaches a dialog opened after it and the file. Closed with a dialog and the menu open: a clean exit.
    h.choose_language(1)
    check(h.winctl("press", SETTINGS_TITLE, 1015)[0] == 0 and h.wait_window("visible", "Optionen", 10) is not None,
          "More options ... did not open the options dialog")
    h.menu_keys()
    check(h.shown(MENU_CLASS), "F10 opened no menu")
    h.exit_cleanly(p, "a close with a dialog and the menu open", lambda: h.winctl("close", SETTINGS_TITLE))
    check(h.read_settings().get("Language") == "1", "the exit did not save the language chosen")


if __name__ == "__main__":
    run(main)
