"""The default halo (no settings file): a black disc 201 px across at alpha 51 (transparency
80 %), centred on the pointer and following it; the window's corners show what lies below.
With the tracking tick a minute apart, a pointer move alone brings the halo along, unless
"FollowPointerMoves" is 0.

Catches: a halo that does not follow the pointer or leaves its old image behind, an
off-centre placement (rounding), a wrong size or alpha, a colour key that paints the
window's corners instead of letting the desktop through, and a halo a tick behind the
pointer."""

from harness import *

SIZE = 100                      # HaloSize default: the window is 2 x 100 + 1 pixels square
ALPHA = alpha_from_percent(80)  # 51
INSIDE = blend((0, 0, 0), ALPHA, BLUE)


def tinted(p):
    return close_to(p, INSIDE, 4)


def plain(p):
    return close_to(p, BLUE, 3)


def verify_disc(s, x, y):
    check(tinted(s.pixel(x, y)), "halo centre (%d, %d) reads %s, expected %s (black at alpha %d over blue)"
          % (x, y, s.pixel(x, y), INSIDE, ALPHA))
    left, top, right, bottom = s.extent(x, y, tinted)
    for name, size in (("wide", right - left + 1), ("high", bottom - top + 1)):
        check(abs(size - (2 * SIZE + 1)) <= 2, "the disc is %d px %s, expected %d" % (size, name, 2 * SIZE + 1))
    cx, cy = (left + right) / 2, (top + bottom) / 2
    check(abs(cx - x) <= 1 and abs(cy - y) <= 1,
          "the disc is centred on (%.1f, %.1f), the pointer is at (%d, %d)" % (cx, cy, x, y))
    for r in (40, 85):
        for px, py in on_circle(x, y, r):
            check(tinted(s.pixel(px, py)), "inside the disc, (%d, %d) reads %s, expected %s"
                  % (px, py, s.pixel(px, py), INSIDE))
    # Just outside the rim, and the window's own corners (inside the square, outside the disc).
    outside = on_circle(x, y, SIZE + 4) + [(x - 98, y - 98), (x + 98, y - 98), (x + 98, y + 98), (x - 98, y + 98)]
    for px, py in outside:
        check(plain(s.pixel(px, py)), "outside the disc, (%d, %d) reads %s instead of the blue below"
              % (px, py, s.pixel(px, py)))


def main(h):
    h.no_settings()
    h.start_target()
    p = h.start_glimmora()
    obstacles = h.obstacles()
    w, hh = h.screen
    corners = [(cx, cy) for cx, cy in ((1, 1), (w - 2, 1), (1, hh - 2), (w - 2, hh - 2))
               if not any(o[0] <= cx < o[2] and o[1] <= cy < o[3] for o in obstacles)]

    previous = None
    for x, y in h.free_points(2, SIZE + 10, obstacles):
        h.move(x, y)

        def verify(s):
            verify_disc(s, x, y)
            if previous:
                px, py = previous
                for qx, qy in [(px, py)] + on_circle(px, py, 60):
                    check(plain(s.pixel(qx, qy)), "the halo left a trace at its old place: (%d, %d) reads %s"
                          % (qx, qy, s.pixel(qx, qy)))
            # The screen corners are nowhere near the halo.
            for cx, cy in corners:
                check(plain(s.pixel(cx, cy)), "screen corner (%d, %d) reads %s, not blue" % (cx, cy, s.pixel(cx, cy)))

        s = h.settle(verify)
        log("pointer at", (x, y), "centre reads", s.pixel(x, y))
        rect = h.class_rect(SPOT_CLASS)
        check(rect == (x - SIZE, y - SIZE, x + SIZE + 1, y + SIZE + 1),
              "the halo window is at %s, expected %s for the pointer at (%d, %d)"
              % (rect, (x - SIZE, y - SIZE, x + SIZE + 1, y + SIZE + 1), x, y))
        previous = (x, y)
    check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")
    moves_between_ticks(h, obstacles)


def moves_between_ticks(h, obstacles):
    start, jump = h.free_points(2, SIZE + 10, obstacles)
    for follow in (1, 0):
        h.move(*start)
        h.write_settings({"FollowPointerMoves": follow})
        p = h.start_glimmora("GlimmoraTrace.exe", env={"GLIMMORA_TICK_MS": "60000"})
        h.settle(lambda s: verify_disc(s, *start))  # the tick that placed it after start
        h.move(*jump)
        if follow:
            h.settle(lambda s: verify_disc(s, *jump), timeout=3)
        else:
            time.sleep(1.0)
            s = h.shot()
            check(plain(s.pixel(*jump)) and tinted(s.pixel(*start)), "with FollowPointerMoves=0 the halo moved "
                  "between ticks (%s)" % s.path)
        check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")
    log("a move alone places the halo; with FollowPointerMoves=0 it waits for the tick")


run(main)
