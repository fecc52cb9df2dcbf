"""The ring form ("HaloRing=1"): the default 201 px halo with a transparent centre 50 % of
its diameter, so the spot right under the pointer stays clear.

Catches: a ring drawn as a full disc, a hole of the wrong size or off-centre, a hole painted
in a colour that is not the key (it would show up instead of the desktop)."""

from harness import *

SIZE = 100
WIDTH = 2 * SIZE + 1
BAND = blend((0, 0, 0), alpha_from_percent(80), BLUE)


def tinted(p):
    return close_to(p, BAND, 4)


def plain(p):
    return close_to(p, BLUE, 3)


def main(h):
    h.write_settings({"HaloRing": 1})
    h.start_target()
    h.start_glimmora()
    x, y = h.free_points(1, SIZE + 10)[0]
    h.move(x, y)

    def verify(s):
        check(tinted(s.pixel(x, y - 75)), "no ring around the pointer at (%d, %d): (%d, %d) reads %s"
              % (x, y, x, y - 75, s.pixel(x, y - 75)))
        check(plain(s.pixel(x, y)), "the centre of the ring (%d, %d) reads %s instead of the blue below"
              % (x, y, s.pixel(x, y)))
        # The hole is 50 % of the 201 px window: 100.5 px across, centred on the pointer.
        left, top, right, bottom = s.extent(x, y, plain)
        for name, size in (("wide", right - left + 1), ("high", bottom - top + 1)):
            check(abs(size - WIDTH / 2) <= 3, "the ring's hole is %d px %s, expected about %.1f" % (size, name, WIDTH / 2))
        cx, cy = (left + right) / 2, (top + bottom) / 2
        check(abs(cx - x) <= 1 and abs(cy - y) <= 1, "the hole is centred on (%.1f, %.1f), the pointer is at (%d, %d)"
              % (cx, cy, x, y))
        for r, want, what in ((20, plain, "the hole"), (44, plain, "the hole"), (58, tinted, "the ring"),
                              (75, tinted, "the ring"), (94, tinted, "the ring"), (SIZE + 4, plain, "outside")):
            for px, py in on_circle(x, y, r):
                check(want(s.pixel(px, py)), "%s at radius %d: (%d, %d) reads %s" % (what, r, px, py, s.pixel(px, py)))

    s = h.settle(verify)
    log("pointer at", (x, y), "centre reads", s.pixel(x, y), "band reads", s.pixel(x, y - 75))


run(main)
