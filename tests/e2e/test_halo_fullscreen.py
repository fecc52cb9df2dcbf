"""The full-screen form ("HaloFullScreen=1"): the whole desktop tinted with the halo colour
at the halo alpha, with a clear circular hole of diameter 2 x HaloSize at the pointer that
follows it.

Catches: a tint that does not cover the desktop, a hole that is missing, of the wrong size
or off-centre, and a hole that leaves its old place clear after a move."""

from harness import *

SIZE = 100
TINT = blend((0, 0, 0), alpha_from_percent(80), BLUE)


def tinted(p):
    return close_to(p, TINT, 4)


def plain(p):
    return close_to(p, BLUE, 3)


def main(h):
    h.write_settings({"HaloFullScreen": 1})
    h.start_target()
    h.start_glimmora()
    obstacles = h.obstacles()
    w, hh = h.screen

    def uncovered(px, py):
        return not any(o[0] - 2 <= px < o[2] + 2 and o[1] - 2 <= py < o[3] + 2 for o in obstacles)

    rect = h.class_rect(SPOT_CLASS)
    check(rect == (0, 0, w, hh), "the full-screen halo window is at %s, not over the desktop (0, 0, %d, %d)"
          % (rect, w, hh))

    previous = None
    for x, y in h.free_points(2, SIZE + 20, obstacles):
        h.move(x, y)

        def verify(s):
            # The farthest screen corner that no other window covers.
            corners = [(c, r) for c in (1, w - 2) for r in (1, hh - 2) if uncovered(c, r)]
            check(corners, "every screen corner is covered by another window: %s" % obstacles)
            cx, cy = max(corners, key=lambda c: (c[0] - x) ** 2 + (c[1] - y) ** 2)
            check(tinted(s.pixel(cx, cy)), "far corner (%d, %d) reads %s, expected the tint %s"
                  % (cx, cy, s.pixel(cx, cy), TINT))
            check(plain(s.pixel(x, y)), "the hole's centre (%d, %d) reads %s instead of the blue below"
                  % (x, y, s.pixel(x, y)))
            left, top, right, bottom = s.extent(x, y, plain)
            for name, size in (("wide", right - left + 1), ("high", bottom - top + 1)):
                check(abs(size - 2 * SIZE) <= 3, "the hole is %d px %s, expected about %d" % (size, name, 2 * SIZE))
            hx, hy = (left + right) / 2, (top + bottom) / 2
            check(abs(hx - x) <= 1 and abs(hy - y) <= 1, "the hole is centred on (%.1f, %.1f), the pointer is at"
                  " (%d, %d)" % (hx, hy, x, y))
            for r, want, what in ((50, plain, "inside the hole"), (SIZE - 6, plain, "inside the hole"),
                                  (SIZE + 6, tinted, "outside the hole"), (SIZE + 15, tinted, "outside the hole")):
                for px, py in on_circle(x, y, r):
                    if uncovered(px, py):
                        check(want(s.pixel(px, py)), "%s at radius %d: (%d, %d) reads %s"
                              % (what, r, px, py, s.pixel(px, py)))
            if previous:
                for px, py in [previous] + on_circle(previous[0], previous[1], 60):
                    check(tinted(s.pixel(px, py)), "the old hole at (%d, %d) was not tinted again: %s"
                          % (px, py, s.pixel(px, py)))

        s = h.settle(verify)
        log("pointer at", (x, y), "hole centre reads", s.pixel(x, y))
        previous = (x, y)


run(main)
