"""The settings window as a user sees and uses it: its look at 96 dpi against the approved
reference image, region by region; dragging the halo's size slider across its track resizes
the halo on screen from the largest to the smallest; a palette cell colours the halo;
ticking "Cross hair" shows the cross hair; the program menu, driven by the keyboard, switches
every caption to German. The window is also shot in English, German and Polish and at 144 dpi for
a person to look at (GLIMMORA_E2E_SHOTS, default build/win64/e2e-shots).

Catches: a control missing, moved, clipped or drawn differently from the approved layout; a
slider whose drag does not reach the overlay or stops short of its ends; a picker that picks
the wrong colour; a check box that does not switch its overlay; a menu that the keyboard
cannot reach or a language change that leaves captions behind. Set GLIMMORA_UPDATE_REFERENCE=1
to write a new reference after looking at it."""
import os
import re
import subprocess
import time

from harness import *
from settings_ui import *

REFERENCE = os.path.join(os.path.dirname(__file__), "reference", "settings-window-96dpi.png")
# Regions of the client area at 96 dpi: the top row, the five groups and the last band.
REGIONS = [("top row", 0, 48), ("click indicator", 48, 120), ("mouse image", 120, 192), ("halo", 192, 264),
           ("cross hair", 264, 336), ("keyboard", 336, 432), ("auto-hide", 432, 554)]
TARGET = (255, 255, 255)
HALO_TRANS = 80


# Control ids of the layout table.
CHK_SPOT, CHK_CROSSHAIR, SLD_SIZE_SPOT, COLPIC_SPOT = 1030, 1040, 1035, 1036


def raw(path):
    out = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, stdout=subprocess.PIPE).stdout.split()
    return int(size[0]), int(size[1]), out


def compare_with_reference(h, path):
    if os.environ.get("GLIMMORA_UPDATE_REFERENCE"):
        os.makedirs(os.path.dirname(REFERENCE), exist_ok=True)
        subprocess.run(["cp", path, REFERENCE], check=True)
        log("wrote a new reference", REFERENCE)
        return
    check(os.path.exists(REFERENCE), "no reference image at %s" % REFERENCE)
    w, hh, now = raw(path)
    rw, rh, ref = raw(REFERENCE)
    check((w, hh) == (rw, rh), "the client area is %dx%d, the reference %dx%d" % (w, hh, rw, rh))
    changed = []
    for name, top, bottom in REGIONS:
        differing = 0
        for y in range(top, min(bottom, hh)):
            row = y * w * 3
            for x in range(w):
                i = row + x * 3
                if max(abs(now[i + c] - ref[i + c]) for c in range(3)) > 40:
                    differing += 1
        share = differing / (w * (bottom - top))
        log("region %-16s differs in %5.2f %% of its pixels" % (name, 100 * share))
        if share > 0.002:
            changed.append("%s (%.2f %%)" % (name, 100 * share))
    check(not changed, "the settings window differs from its approved look in: %s (see %s against %s)"
          % (", ".join(changed), path, REFERENCE))


def expect_halo(h, x, y, width, centre=None, why=""):
    """The halo at (x, y): its width on the row through it (the run of pixels that are not the
    target) and, when given, the colour at its centre."""
    h.move(x, y)

    def verify(s):
        left, _, right, _ = s.extent(x, y, lambda p: not close_to(p, TARGET, 6))
        check(right - left + 1 == width, "%s the halo is %d px wide, not %d" % (why, right - left + 1, width))
        check(centre is None or close_to(s.pixel(x, y), centre, 4),
              "%s the halo's centre reads %s, not %s" % (why, s.pixel(x, y), centre))
    h.settle(verify)


def drag(h, x0, y, x1):
    h.move(x0, y)
    h.xdotool("mousedown", 1)
    steps = 12
    for i in range(1, steps + 1):
        h.move(x0 + (x1 - x0) * i // steps, y)
        time.sleep(0.03)
    h.xdotool("mouseup", 1)


def main(h):
    h.no_settings()
    h.start_target(colour=TARGET)
    h.move(h.screen[0] - 150, h.screen[1] - 150)
    p = h.start_glimmora()
    time.sleep(1.0)  # the window state is applied 777 ms after start

    client = client_rect(h)
    check(client[2] - client[0] == 580 and client[3] - client[1] == 554,
          "the client area at 96 dpi is %dx%d, not 580x554" % (client[2] - client[0], client[3] - client[1]))
    wait_for_balloon_to_go(h, client)
    compare_with_reference(h, crop(h, h.shot(), client, "settings-window-96dpi.png"))

    # Drag the halo's size from the left end of the track past its right end, then jump back.
    ctl = children(h)
    left, top, right, bottom = ctl[SLD_SIZE_SPOT]["rect"]
    track_y = top + (bottom - top) * 2 // 3
    drag(h, left + 30, track_y, right + 40)
    expect_halo(h, 900, 400, 601, why="after dragging the size to its end")
    drag(h, right - 30, track_y, left - 40)
    expect_halo(h, 900, 400, 41, why="after dragging the size to its start")

    # Yellow (column 2, row 2 of 9 x 7 cells, one pixel in) colours the halo.
    pl, pt, _, _ = ctl[COLPIC_SPOT]["rect"]
    h.move(pl + 1 + 2 * 9 + 4, pt + 1 + 2 * 7 + 3)
    h.xdotool("click", 1)
    expect_halo(h, 900, 400, 41, blend((255, 255, 0), alpha_from_percent(HALO_TRANS), TARGET), "after picking yellow")

    # Ticking "Cross hair" shows its arms: the row through the pointer changes far from it.
    cl, ct, cr, cb = ctl[CHK_CROSSHAIR]["rect"]
    h.move(cl + 8, (ct + cb) // 2)
    h.xdotool("click", 1)
    h.move(900, 400)
    h.settle(lambda s: check(not close_to(s.pixel(1200, 400), TARGET, 6) and close_to(s.pixel(1200, 380), TARGET, 6),
                             "no cross hair arm on the pointer's row after ticking Cross hair (%s)"
                             % (s.pixel(1200, 400),)))
    check(children(h)[CHK_CROSSHAIR]["checked"], "the Cross hair box is not ticked")

    # "Default settings ..." from the menu, answered Yes: the halo is back at its default size.
    h.move(h.screen[0] - 150, h.screen[1] - 150)
    # Help, Blink, Pause, Language, Options, then the reset.
    menu_keys(h, *(["Down"] * 6), "Return")
    box = language_text("en", 32)
    check(h.wait_window("visible", box, 10) is not None, "no %r box after choosing the reset" % box)
    rc, _ = h.winctl("press", box, "6")  # IDYES
    check(rc == 0, "could not answer the reset box")
    check(h.wait_window("gone", box, 10) is not None, "the reset box stayed")
    expect_halo(h, 900, 400, 201, why="after the reset to defaults")
    check(not children(h)[CHK_CROSSHAIR]["checked"], "the Cross hair box is still ticked after the reset")

    # German from the menu: every standard control's caption follows.
    h.move(h.screen[0] - 150, h.screen[1] - 150)
    choose_language(h, 1)
    ctl = children(h)
    for control_id, text_id in ((1010, 10), (CHK_SPOT, 15), (1033, 16), (1034, 17), (CHK_CROSSHAIR, 18),
                                (1043, 19), (1050, 20), (1056, 23), (1057, 24), (1062, 26), (1015, 123)):
        german = language_text("de", text_id)
        check(ctl[control_id]["text"] == german, "control %d reads %r in German, not %r"
              % (control_id, ctl[control_id]["text"], german))
    crop(h, h.shot(), client_rect(h), "settings-window-de.png")

    # The other languages, for the eye.
    for index, code in languages_to_shoot():
        if code == "de":
            continue
        choose_language(h, index)
        check(children(h)[1010]["text"] == language_text(code, 10), "the menu did not switch to %s" % code)
        crop(h, h.shot(), client_rect(h), "settings-window-%s.png" % code)
    check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")

    # 144 dpi, for the eye: the prefix's DPI for one start, then back.
    try:
        subprocess.run([h.wine_run, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                        "REG_DWORD", "/d", "144", "/f"], env=h.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        h.no_settings()
        p = h.start_glimmora()
        time.sleep(1.0)
        client = client_rect(h)
        # 831 px high does not fit this 800 px screen, so only the width and the places count.
        check(client[2] - client[0] == 870, "the client area at 144 dpi is %d wide, not 870" % (client[2] - client[0]))
        menu = children(h)[1000]["rect"]
        check(tuple(a - b for a, b in zip(menu, client[:2] * 2)) == (12, 12, 170, 60),
              "the menu button at 144 dpi is at %s, not (12, 12, 170, 60)" % (menu,))
        wait_for_balloon_to_go(h, client)
        crop(h, h.shot(), client, "settings-window-144dpi.png")
        check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly at 144 dpi")
    finally:
        subprocess.run([h.wine_run, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                        "REG_DWORD", "/d", "96", "/f"], env=h.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)


run(main)
