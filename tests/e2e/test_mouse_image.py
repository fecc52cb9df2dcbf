"""The mouse image (halo and rings off), started from a folder of six picture files: the built-in
picture 84 px wide, 11 px right of and 22 px below the pointer, following it, kept inside the
desktop at its corner (above the pointer, not over it); "Black" shows the files' picture (green
body, magenta left button while pressed, transparent parts); the boundary window, moved by its
title bar and narrowed by its border, keeps the image inside after "OK"; "Use full screen"
frees it. Catches: a picture misplaced, not following or over the pointer; picture files not
read or drawn without transparency; a boundary that cannot be set, does not hold or stays."""
from harness import *

WIDTH, GIF_SIZE = 84, (40, 60)
ALPHA = alpha_from_percent(30)
# Picture files: name, colour, the rectangle drawn opaque (in picture pixels).
GIFS = [("mouse.gif", (0, 255, 0), (5, 5, 34, 54)), ("buttonleft.gif", (255, 0, 255), (7, 8, 18, 24)),
        ("buttonmiddle.gif", (255, 255, 0), (19, 8, 21, 24)), ("buttonright.gif", (0, 255, 255), (22, 8, 32, 24)),
        ("wheelup.gif", (255, 255, 255), (19, 2, 21, 6)), ("wheeldown.gif", (255, 255, 255), (19, 26, 21, 30))]
OPT_BLACK, BOUNDARY_OK, BOUNDARY_FULL = 1026, 3003, 3002
BOUNDARY = language_text("en", 124)


def placed(h, x, y):
    """The picture's rectangle for the pointer at (x, y), inside the desktop and off the pointer."""
    h.move(x, y)
    time.sleep(0.3)
    rect = h.rect("class:" + PIC_CLASS)
    w, hh = h.screen
    check(rect and rect[2] - rect[0] == WIDTH and 0 <= rect[0] and rect[2] <= w and 0 <= rect[1] and rect[3] <= hh
          and not (rect[0] <= x < rect[2] and rect[1] <= y < rect[3]), "for the pointer at (%d, %d) the mouse image is"
          " at %s" % (x, y, rect))
    return rect


def main(h):
    folder = os.path.join(h.work, "pictures")
    os.makedirs(folder)
    for name, colour, box in GIFS:
        subprocess.run(["convert", "-size", "%dx%d" % GIF_SIZE, "xc:none", "-fill", "#%02X%02X%02X" % colour,
                        "-draw", "rectangle %d,%d %d,%d" % box, os.path.join(folder, name)], check=True)
    h.write_settings({"MouseImage": 1, "Halo": 0, "Buttons": 0})
    h.start_target()
    h.start_glimmora(cwd=folder)
    w, hh = h.screen
    a, b = h.free_points(2, 160)
    for x, y in (a, b, (w - 15, hh - 15)):
        rect = placed(h, x, y)
        want = (x + 11, y + 22) if x < w - 15 else (w - WIDTH, y - 22 - (rect[3] - rect[1]))
        check(rect[:2] == want, "for the pointer at (%d, %d) the mouse image is at %s, expected %s" % (x, y, rect, want))
    h.click_child(SETTINGS_TITLE, OPT_BLACK, 8)
    rect = placed(h, *a)
    scale = WIDTH / GIF_SIZE[0]
    check(rect[3] - rect[1] == round(GIF_SIZE[1] * scale), "the black image %s is not the files' shape" % (rect,))

    def at(px, py):
        return rect[0] + int((px + 0.5) * scale), rect[1] + int((py + 0.5) * scale)

    green, magenta = blend((0, 255, 0), ALPHA), blend((255, 0, 255), ALPHA)
    for button, want in ((None, green), ("mousedown", magenta), ("mouseup", green)):
        if button:
            h.xdotool(button, 1)
        h.settle(lambda s: check(all(close_to(s.pixel(*q), c) for q, c in [(at(20, 40), green), (at(12, 16), want)] +
                                     [(at(cx, cy), BLUE) for cx in (1, 38) for cy in (1, 58)]),
                                 "the picture from the files reads wrong at %s (%s)" % (rect, s.path)))

    h.menu_keys(*(["Down"] * 8), "Return")
    check(h.wait_window("visible", BOUNDARY, 10) is not None, "the menu did not open the boundary window")
    left, top, right, bottom = h.rect(BOUNDARY)
    h.drag((left + right) // 2, top + 8, (right - left) // 2 + 10, 48)
    moved = h.rect(BOUNDARY)
    check(moved[0] <= 20 and moved[1] <= 50, "dragging the title bar left the boundary window at %s" % (moved,))
    h.drag(moved[2] - 2, (moved[1] + moved[3]) // 2, w // 2, (moved[1] + moved[3]) // 2)
    frame = h.rect(BOUNDARY)
    check(abs(frame[2] - w // 2) <= 4, "dragging the right border made the boundary window %s" % (frame,))
    h.click_child(BOUNDARY, BOUNDARY_OK)
    h.wait_for("boundary window hidden by OK", lambda: h.winctl("visible", BOUNDARY)[0] != 0)
    py = (frame[1] + frame[3]) // 2
    # Wine reports the window rectangle as the visible frame, so the frame is the boundary.
    rect = placed(h, w - 100, py)
    check(frame[0] <= rect[0] and rect[2] == frame[2], "with the boundary %s the image is at %s" % (frame, rect))
    check(placed(h, w // 4, hh - 5)[3] <= frame[3], "below the boundary %s the image leaves it" % (frame,))
    h.menu_keys(*(["Down"] * 8), "Return")
    check(h.wait_window("visible", BOUNDARY, 10) is not None, "the menu did not open the boundary window again")
    h.click_child(BOUNDARY, BOUNDARY_FULL)
    h.wait_for("boundary window hidden", lambda: h.winctl("visible", BOUNDARY)[0] != 0)
    check(placed(h, w - 200, py)[:2] == (w - 189, py + 22), "Use full screen did not free the mouse image")


run(main)
