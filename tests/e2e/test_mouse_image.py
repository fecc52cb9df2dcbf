"""The mouse image (halo and click rings off): 84 px wide, 11 px right of and 22 px below the
pointer, following it and kept inside the desktop; a held left button lights only the upper
left of the picture and its release restores it. With six picture files in the program's
folder the black version shows them (green body, magenta left button, transparent parts
letting the target through); with one of them missing the built-in black mouse shows.

Catches: a picture off its place, not following, pushed off the screen or over the pointer;
a press lighting the wrong part or nothing, a release that leaves it lit; picture files not
read, shown without their transparency or in the wrong colours, and a partial set used."""
import os
import subprocess
import time

from harness import *

PIC_CLASS = "Glimmora_frmPic"
WIDTH = 84
ALPHA = alpha_from_percent(30)
GIF_SIZE = (40, 60)
# Picture files: name, colour, the rectangle drawn opaque (in picture pixels).
GIFS = [("mouse.gif", (0, 255, 0), (5, 5, 34, 54)), ("buttonleft.gif", (255, 0, 255), (7, 8, 18, 24)),
        ("buttonmiddle.gif", (255, 255, 0), (19, 8, 21, 24)), ("buttonright.gif", (0, 255, 255), (22, 8, 32, 24)),
        ("wheelup.gif", (255, 255, 255), (19, 2, 21, 6)), ("wheeldown.gif", (255, 255, 255), (19, 26, 21, 30))]


def plain(p):
    return close_to(p, BLUE, 3)


def placed(h, x, y, screen):
    """The picture window's rectangle, checked against the pointer and the desktop."""
    rect = h.class_rect(PIC_CLASS)
    check(rect is not None, "no mouse-image window")
    left, top, right, bottom = rect
    w, hh = screen
    check(right - left == WIDTH, "the mouse image is %d px wide, expected %d" % (right - left, WIDTH))
    check(0 <= left and right <= w and 0 <= top and bottom <= hh, "the mouse image %s leaves the desktop" % (rect,))
    check(not (left <= x < right and top <= y < bottom), "the mouse image %s covers the pointer (%d, %d)"
          % (rect, x, y))
    return rect


def verify_picture(s, rect):
    """Something drawn inside the rectangle, the blue target all round it."""
    left, top, right, bottom = rect
    drawn = s.matching(left, top, right, bottom, lambda p: not plain(p))
    check(len(drawn) > (right - left) * (bottom - top) // 4, "only %d pixels of the mouse image %s are drawn"
          % (len(drawn), rect))
    around = [(px, py) for px in range(left - 6, right + 6, 3) for py in (top - 6, bottom + 5)] + \
             [(px, py) for py in range(top - 6, bottom + 6, 3) for px in (left - 6, right + 5)]
    around = [(px, py) for px, py in around if 0 <= px < s.width and 0 <= py < s.height]
    stray = [(px, py, s.pixel(px, py)) for px, py in around if not plain(s.pixel(px, py))]
    check(not stray, "around the mouse image %s the screen is not blue: %s" % (rect, stray[:5]))


def changed(a, b, rect):
    return [(px, py) for py in range(rect[1], rect[3]) for px in range(rect[0], rect[2])
            if not close_to(a.pixel(px, py), b.pixel(px, py), 3)]


def make_gifs(folder):
    os.makedirs(folder)
    for name, colour, box in GIFS:
        subprocess.run(["convert", "-size", "%dx%d" % GIF_SIZE, "xc:none", "-fill", "#%02X%02X%02X" % colour,
                        "-draw", "rectangle %d,%d %d,%d" % box, os.path.join(folder, name)], check=True)


def main(h):
    h.write_settings({"MouseImage": 1, "Halo": 0, "Buttons": 0})
    h.start_target()
    p = h.start_glimmora()
    w, hh = h.screen
    a, b = h.free_points(2, 160)

    # Follows the pointer, right of and below it; pushed inside the desktop at its corner,
    # above the pointer so that it does not cover it.
    for x, y, expect in ((*a, (a[0] + 11, a[1] + 22)), (*b, (b[0] + 11, b[1] + 22)), (w - 15, hh - 15, None)):
        h.move(x, y)
        time.sleep(0.2)
        rect = placed(h, x, y, h.screen)
        if expect:
            check(rect[:2] == expect, "the mouse image is at %s for the pointer at (%d, %d), expected %s"
                  % (rect[:2], x, y, expect))
        else:
            check(rect[2] == w and rect[3] == y - 22, "in the corner the mouse image is at %s, expected against "
                  "the right edge and 22 px above the pointer (%d, %d)" % (rect, x, y))
        h.settle(lambda s: verify_picture(s, rect))
    builtin = rect

    # The left button lights the upper left of the picture only.
    h.move(*b)
    time.sleep(0.2)
    rect = placed(h, *b, h.screen)
    before = h.settle(lambda s: verify_picture(s, rect))
    h.xdotool("mousedown", 1)

    def lit(s):
        diff = changed(before, s, rect)
        check(len(diff) > 100, "holding the left button changes only %d pixels of the mouse image" % len(diff))
        cx, cy = (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
        outside = [d for d in diff if d[0] > cx or d[1] > cy]
        check(not outside, "holding the left button changes pixels outside the upper left quarter of %s: %s"
              % (rect, outside[:5]))

    h.settle(lit)
    h.xdotool("mouseup", 1)
    h.settle(lambda s: check(not changed(before, s, rect), "after the release the mouse image is not as before"))

    # Picture files in the program's folder, black version.
    folder = os.path.join(h.work, "pictures")
    make_gifs(folder)
    settings = {"MouseImage": 1, "Halo": 0, "Buttons": 0, "MouseImageColor": 1}
    h.stop(p)
    h.write_settings(settings)
    p = h.start_glimmora(cwd=folder)
    h.move(*a)
    time.sleep(0.2)
    rect = placed(h, *a, h.screen)
    scale = WIDTH / GIF_SIZE[0]
    check(rect[3] - rect[1] == round(GIF_SIZE[1] * scale), "with picture files the mouse image is %s, expected "
          "the files' shape %s scaled to %d wide" % (rect, GIF_SIZE, WIDTH))

    def at(px, py):
        """Screen point of a picture pixel's centre."""
        return rect[0] + int((px + 0.5) * scale), rect[1] + int((py + 0.5) * scale)

    body, button, corners = at(20, 40), at(12, 16), [at(1, 1), at(38, 1), at(1, 58), at(38, 58)]
    green, magenta = blend((0, 255, 0), ALPHA, BLUE), blend((255, 0, 255), ALPHA, BLUE)

    def colours(expect_button):
        def verify(s):
            for where, want in [(body, green), (button, expect_button)] + [(c, BLUE) for c in corners]:
                check(close_to(s.pixel(*where), want, 4), "the mouse image from files: %s reads %s, expected %s"
                      % (where, s.pixel(*where), want))
        return verify

    h.settle(colours(green))
    h.xdotool("mousedown", 1)
    h.settle(colours(magenta))
    h.xdotool("mouseup", 1)
    h.settle(colours(green))

    # Five of the six files: the built-in black mouse, nothing of the files' colours.
    os.remove(os.path.join(folder, "wheeldown.gif"))
    h.stop(p)
    h.write_settings(settings)
    h.start_glimmora(cwd=folder)
    h.move(*a)
    time.sleep(0.2)
    rect = placed(h, *a, h.screen)
    check(rect[2:] == (rect[0] + builtin[2] - builtin[0], rect[1] + builtin[3] - builtin[1]),
          "with five picture files the mouse image %s does not have the built-in picture's size %s" % (rect, builtin))

    def builtin_black(s):
        verify_picture(s, rect)
        pixels = [s.pixel(*q) for q in s.matching(*rect, lambda p: not plain(p))]
        check(not any(close_to(q, green, 30) for q in pixels), "with five picture files the files' green shows")
        dark = [q for q in pixels if q[0] < 60 and q[1] < 60]
        check(len(dark) > len(pixels) // 2, "with five picture files the picture is not the black mouse: %d of %d "
              "drawn pixels are dark" % (len(dark), len(pixels)))

    h.settle(builtin_black)


run(main)
