"""Wheel arrows with the default options (halo off): a wheel turn away from the user shows a
chevron pointing up above the pointer, a turn towards the user one pointing down below it,
in the wheel colour (palette BF00BF) at the click-indicator alpha 128, for 300 ms; with
"ShowWheelArrows" off no turn shows anything.

Catches: the two directions swapped or both shown, an arrow drawn upside down, off the
pointer's column, in the wrong colour, an arrow that stays, and the option being ignored."""
import time

from harness import *

WHEEL = blend((191, 0, 191), alpha_from_percent(50), BLUE)
SHOWN = 0.3
REACH = 70          # the arrow window is 3 x 44 + 1 = 133 px high, centred on the pointer
TRIES = 4


def is_wheel(p):
    return close_to(p, WHEEL, 4)


def chevrons(s, x, y):
    """The wheel-coloured pixels above and below the pointer."""
    return (s.matching(x - 40, y - REACH, x + 41, y, is_wheel),
            s.matching(x - 40, y + 1, x + 41, y + REACH + 1, is_wheel))


def verify_chevron(points, x, y, up):
    """A V (or an inverted one) centred on column x: its point row is centred, the row at
    its open end has pixels on both sides and none in the middle."""
    what = "up" if up else "down"
    check(len(points) > 150, "the %s arrow has only %d pixels of the wheel colour %s" % (what, len(points), WHEEL))
    rows = sorted({py for _, py in points})
    tip, open_end = (rows[0], rows[-1]) if up else (rows[-1], rows[0])
    tip_xs = [px for px, py in points if py == tip]
    end_xs = [px for px, py in points if py == open_end]
    check(abs(sum(tip_xs) / len(tip_xs) - x) <= 2, "the %s arrow's point (row %d, columns %s) is not on the pointer's "
          "column %d" % (what, tip, tip_xs, x))
    check(min(end_xs) < x - 10 and max(end_xs) > x + 10 and not any(abs(px - x) <= 5 for px in end_xs),
          "the %s arrow is not a chevron pointing %s: its open end (row %d) has columns %s" % (what, what, open_end,
                                                                                              end_xs))
    return tip


def turn_and_look(h, button, x, y):
    """Turns the wheel once and takes a shot at once; returns (time of the turn, shot,
    pixels above, pixels below). The arrow shows only 300 ms, so a slow shot may miss it:
    the caller tries again."""
    h.xdotool("click", button)
    turned = time.monotonic()
    s = h.shot()
    return (turned, s) + chevrons(s, x, y)


def main(h):
    h.write_settings({"Halo": 0})
    h.start_target()
    p = h.start_glimmora()
    x, y = h.free_points(1, REACH + 10)[0]
    h.move(x, y)

    for button, up in ((4, True), (5, False)):
        what = "up" if up else "down"
        for attempt in range(TRIES):
            turned, s, above, below = turn_and_look(h, button, x, y)
            if above or below:
                break
            time.sleep(0.5)
        shown, other = (above, below) if up else (below, above)
        check(shown, "no %s arrow in %d wheel turns (last screenshot %s)" % (what, TRIES, s.path))
        check(not other, "a wheel turn %s also shows an arrow on the other side: %s" % (what, other[:5]))
        tip = verify_chevron(shown, x, y, up)
        log("wheel %s: %d arrow pixels, point %d px from the pointer" % (what, len(shown), abs(tip - y)))
        time.sleep(max(0.0, turned + SHOWN + 0.5 - time.monotonic()))

        def gone(s):
            check(chevrons(s, x, y) == ([], []), "%.1f s after the turn the %s arrow is still there"
                  % (time.monotonic() - turned, what))

        h.settle(gone, timeout=0.3)

    # With the option off, the same turns show nothing.
    h.stop(p)
    h.write_settings({"Halo": 0, "ShowWheelArrows": 0})
    h.start_glimmora()
    h.move(x, y)
    for button in (4, 5) * (TRIES // 2):
        _, s, above, below = turn_and_look(h, button, x, y)
        check(not above and not below, "with ShowWheelArrows=0 a wheel turn shows an arrow (%s)" % s.path)


run(main)
