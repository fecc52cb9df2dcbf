"""Clicks pass through the overlays: with the halo over the target window, left and right
presses at the pointer reach the target at the pointer's position, and no overlay becomes
the active window.

Catches: an overlay without WS_EX_TRANSPARENT or WS_EX_LAYERED (it would swallow the
click), a click-indicator window that pops up under the pointer and takes the click, and
an overlay that becomes the active window."""
import time

from harness import *

SIZE = 100


def main(h):
    h.no_settings()
    h.start_target()
    h.start_glimmora()
    tint = blend((0, 0, 0), alpha_from_percent(80), BLUE)
    points = h.free_points(2, SIZE + 10)
    expected = []
    # The target never activates on a click, so the active window must stay as it is.
    before = h.winctl("foreground-window")[1]
    for (x, y), button, kind in ((points[0], 1, "down"), (points[1], 3, "rdown"), (points[0], 1, "down")):
        h.move(x, y)
        h.settle(lambda s: check(close_to(s.pixel(x, y - 10), tint, 4), "the halo is not over the pointer at"
                                 " (%d, %d) before the click; (%d, %d) reads %s" % (x, y, x, y - 10, s.pixel(x, y - 10))))
        h.xdotool("click", button)
        expected.append((kind, str(x), str(y)))
        deadline = time.monotonic() + 3
        while h.target_clicks() != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        check(h.target_clicks() == expected, "after clicking button %d at (%d, %d) the target logged %s, expected %s"
              % (button, x, y, h.target_clicks(), expected))
        # Wait out the double-click time so that the next press is a plain one.
        time.sleep(0.6)

    overlays = [w for w in h.windows() if w["exe"].lower().startswith("glimmora") and w["visible"]
                and (w["exstyle"] & LAYERED_TRANSPARENT) == LAYERED_TRANSPARENT]
    check(overlays, "no overlay window of Glimmora is shown")
    after = h.winctl("foreground-window")[1]
    check(after == before, "the clicks changed the active window from %r to %r" % (before, after))


run(main)
