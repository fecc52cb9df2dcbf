"""Click rings with the default options (halo off, so only the rings tint the blue target):
each button's ring in its own colour at alpha 128, centred on the pointer, sized 0.7 / 0.78 /
0.87 of the 89 px window; a held ring follows the pointer, a released one stays put, fades
and is gone after the 1 s fading time; a double-click shows two concentric thin rings.

Catches: a ring off-centre or of the wrong size or colour, buttons sharing one colour or
size, a ring that keeps following the pointer after release, or never fades, or lingers,
a double-click drawn as a single ring, and a ring that sticks when its release was lost."""
import os
import signal
import time

from harness import *

SIDE = 2 * 44 + 1                 # ButtonsSize 44
ALPHA = alpha_from_percent(50)    # 128
REACH = SIDE // 2 + 4
FADE = 1.0
# Button number for xdotool, name, colour after snapping to the palette, share of the window.
BUTTONS = [(1, "left", (255, 0, 0), 0.70), (2, "middle", (0, 191, 0), 0.78), (3, "right", (0, 96, 255), 0.87)]
RAYS = ((1, 0), (-1, 0), (0, -1), (0, 1))


def plain(p):
    return close_to(p, BLUE, 3)


def ring_runs(s, x, y, inside):
    """Per ray (right, left, up, down): the runs of ring pixels from the pointer outwards."""
    return [s.runs(x, y, dx, dy, inside, REACH) for dx, dy in RAYS]


def verify_ring(s, x, y, name, colour, factor):
    """One full-alpha ring around (x, y); returns its (inner, outer) radius on the right ray."""
    want = blend(colour, ALPHA, BLUE)
    runs = ring_runs(s, x, y, lambda p: close_to(p, want, 4))
    for (dx, dy), found in zip(RAYS, runs):
        check(len(found) == 1, "the %s ring at (%d, %d): along (%d, %d) the ring colour %s runs %s, expected one run"
              % (name, x, y, dx, dy, want, found))
    inner = [r[0][0] for r in runs]
    outer = [r[0][1] for r in runs]
    check(max(outer) - min(outer) <= 2 and max(inner) - min(inner) <= 2,
          "the %s ring is not centred on the pointer (%d, %d): inner radii %s, outer %s (right, left, up, down)"
          % (name, x, y, inner, outer))
    for diameter in (outer[0] + outer[1] + 1, outer[2] + outer[3] + 1):
        check(abs(diameter - factor * SIDE) <= 2.5, "the %s ring is %d px across, expected about %.1f"
              % (name, diameter, factor * SIDE))
    check(plain(s.pixel(x, y)), "the middle of the %s ring reads %s, not the blue below" % (name, s.pixel(x, y)))
    return inner[0], outer[0]


def verify_clear(s, x, y, what):
    for dx, dy in RAYS:
        for r in range(0, REACH, 3):
            p = s.pixel(x + r * dx, y + r * dy)
            check(plain(p), "%s: (%d, %d) reads %s, not blue" % (what, x + r * dx, y + r * dy, p))


def main(h):
    h.write_settings({"Halo": 0})
    h.start_target()
    h.start_glimmora()
    points = h.free_points(7, REACH + 4)
    held, moved, away, middle, right, double, lost = points
    _, _, left_colour, factor = BUTTONS[0]

    # Held: the ring is drawn at the pointer and follows it.
    h.move(*held)
    h.xdotool("mousedown", 1)
    h.settle(lambda s: verify_ring(s, *held, "left", left_colour, factor))
    h.move(*moved)
    s = h.settle(lambda s: (verify_ring(s, *moved, "left", left_colour, factor),
                            verify_clear(s, *held, "the ring left its old place")))
    inner, outer = verify_ring(s, *moved, "left", left_colour, factor)
    mid = (inner + outer) // 2
    samples = [(moved[0] + mid * dx, moved[1] + mid * dy) for dx, dy in RAYS]

    # Released: it stays where the button came up and fades there. Over blue, the red
    # channel of the ring is its alpha; shots follow one another until it is gone.
    released = time.monotonic()
    h.xdotool("mouseup", 1, "sleep", 0.1, "mousemove", *away)
    fade = []
    while time.monotonic() < released + FADE + 1.0:
        s = h.shot()
        verify_clear(s, *away, "the released ring followed the pointer")
        fade.append(max(s.pixel(px, py)[0] for px, py in samples))
        # The screen was read before now: at least this much alpha must have been left
        # (a late timer only makes the fade slower).
        elapsed = time.monotonic() - released
        least = ALPHA * (1 - elapsed / FADE) - 8
        check(fade[-1] >= least, "%.2f s after release the ring's alpha is down to %d already (red %s): expected "
              "at least %d for a %.1f s fade" % (elapsed, fade[-1], fade, least, FADE))
        if fade[-1] <= 2:
            break
    log("the released ring's alpha over %.2f s: %s" % (time.monotonic() - released, fade))
    check(fade[0] > 5, "just after release no ring is left at %s (red %s)" % (moved, fade))
    check(all(b <= a + 2 for a, b in zip(fade, fade[1:])), "the ring's alpha rises while it fades: %s" % fade)
    check(any(5 < r < ALPHA - 5 for r in fade), "the ring vanished without fading: its alpha went %s" % fade)
    h.settle(lambda s: verify_clear(s, *moved, "%.1f s after release the ring is still there" % (FADE + 1.0)),
             timeout=0.5)

    # Each button its own colour and size: right outermost, left innermost.
    outers = [outer]
    for (button, name, colour, factor), where in zip(BUTTONS[1:], (middle, right)):
        h.move(*where)
        h.xdotool("mousedown", button)
        s = h.settle(lambda s: verify_ring(s, *where, name, colour, factor))
        outers.append(verify_ring(s, *where, name, colour, factor)[1])
        h.xdotool("mouseup", button)
    check(outers[0] < outers[1] < outers[2], "ring radii left, middle, right are %s: expected each larger" % outers)

    # Double-click, second press held: two thin rings with the blue between them.
    h.move(*double)
    time.sleep(0.6)     # longer than the double-click time since the last press
    h.xdotool("click", 1, "sleep", 0.08, "mousedown", 1)
    want = blend(left_colour, ALPHA, BLUE)

    def verify_double(s):
        for (dx, dy), found in zip(RAYS, ring_runs(s, *double, lambda p: close_to(p, want, 4))):
            check(len(found) == 2, "double-click at %s: along (%d, %d) the ring colour runs %s, expected two rings"
                  % (double, dx, dy, found))
            (a0, a1), (b0, b1) = found
            check(b0 - a1 > 3, "the double rings touch: %s" % found)
            check(a1 - a0 < outer - inner and b1 - b0 < outer - inner,
                  "the double rings %s are not thinner than the single ring (%d..%d)" % (found, inner, outer))
            # Each thin ring is centred on an edge of the single ring: outer on its outer edge,
            # inner on its inner edge (inset by the single ring's width).
            check(abs((b0 + b1) / 2 - outer) <= 1.5 and abs((a0 + a1) / 2 - inner) <= 1.5,
                  "the double rings %s are not centred on the single ring's edges %d and %d" % (found, inner, outer))

    h.settle(verify_double)
    h.xdotool("mouseup", 1)

    # A release the hooks never see: the program is stopped past the system's hook timeout
    # while the button comes up. Once it runs again the ring is released from the button
    # state and fades as usual instead of staying on screen.
    pids = h.windows_pids("Glimmora.exe")
    check(len(pids) == 1, "expected one Glimmora process, found %s" % pids)
    h.move(*lost)
    time.sleep(0.6)
    h.xdotool("mousedown", 1)
    h.settle(lambda s: verify_ring(s, *lost, "left", left_colour, BUTTONS[0][3]))
    os.kill(pids[0], signal.SIGSTOP)
    try:
        h.xdotool("mouseup", 1)
        time.sleep(2.6)
    finally:
        os.kill(pids[0], signal.SIGCONT)
    resumed = time.monotonic()
    h.settle(lambda s: verify_clear(s, *lost, "the ring whose release was lost is still there"), timeout=FADE + 1.5)
    log("the ring whose release was lost was gone %.2f s after the program ran again" % (time.monotonic() - resumed))


run(main)
