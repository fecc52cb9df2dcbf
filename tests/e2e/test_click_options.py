"""The click options window as a user meets it: opened from "More options ..." on the settings
window, a click on a cell of the left-button palette turns the next left ring that colour on
screen (at the ring's alpha over the blue target), and the choice is in the settings file
after exit. The window is shot in English, German and Polish, switched from the settings window's
menu while it stays open, for a person to look at (GLIMMORA_E2E_SHOTS, default
<build>/e2e-shots).

Catches: a button that does not open the window, a picker whose pick never reaches the ring
windows, or reaches them in another colour, a colour that is not saved, and captions that
do not follow the language or are clipped."""
import time

from harness import *
from settings_ui import *

CMD_CLICK_OPTIONS = 1015   # on the settings window
COLPIC_LEFT = 202
SIDE = 2 * 44 + 1          # ButtonsSize 44
ALPHA = alpha_from_percent(50)
REACH = SIDE // 2 + 4
CELL = (14, 11)


def verify_left_ring(s, x, y, colour):
    want = blend(colour, ALPHA, BLUE)
    for dx, dy in ((1, 0), (-1, 0), (0, -1), (0, 1)):
        runs = s.runs(x, y, dx, dy, lambda p: close_to(p, want, 4), REACH)
        check(len(runs) == 1, "the left ring at (%d, %d): along (%d, %d) the colour %s runs %s, expected one ring"
              % (x, y, dx, dy, want, runs))


def shoot_languages(h):
    """Every language, switched while the window stays open; its title follows."""
    for index, code in languages_to_shoot():
        choose_language(h, index)
        title = language_text(code, 103)
        check(h.wait_window("visible", title, 5) is not None, "the options window is not titled %r in %s"
              % (title, code))
        caption = children(h, title)[210]["text"]
        check(caption == language_text(code, 118), "the letters box reads %r in %s" % (caption, code))
        focus(h, title)
        crop(h, h.shot(), client_rect(h, title), "click-options-%s.png" % code)


def main(h):
    h.write_settings({"Halo": 0})
    h.start_target()
    p = h.start_glimmora()
    time.sleep(1.0)  # the settings window's state is applied 777 ms after start

    title = language_text("en", 103)
    rc, _ = h.winctl("press", SETTINGS_TITLE, str(CMD_CLICK_OPTIONS))
    check(rc == 0, "could not press More options ...")
    check(h.wait_window("visible", title, 10) is not None, "no %r window after More options ..." % title)
    client = client_rect(h, title)
    check(client[2] - client[0] == 514 and client[3] - client[1] == 466,
          "the options window's client area at 96 dpi is %dx%d, not 514x466"
          % (client[2] - client[0], client[3] - client[1]))

    wait_for_balloon_to_go(h, client)
    # Yellow: column 2, row 2 of the left picker's 14 x 11 cells (one pixel of margin).
    left, top, _, _ = children(h, title)[COLPIC_LEFT]["rect"]
    focus(h, title)
    h.move(left + 1 + 2 * CELL[0] + CELL[0] // 2, top + 1 + 2 * CELL[1] + CELL[1] // 2)
    h.xdotool("click", 1)
    time.sleep(0.3)

    x, y = h.free_points(1, REACH + 4)[0]
    h.move(x, y)
    h.xdotool("mousedown", 1)
    h.settle(lambda s: verify_left_ring(s, x, y, (255, 255, 0)))
    h.xdotool("mouseup", 1)

    shoot_languages(h)

    check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")
    saved = dict(h.read_settings())
    check(int(saved.get("LeftButtonColor", -1)) == 0x00FFFF,
          "LeftButtonColor is saved as %s, not yellow (%d)" % (saved.get("LeftButtonColor"), 0x00FFFF))


if __name__ == "__main__":
    run(main)
