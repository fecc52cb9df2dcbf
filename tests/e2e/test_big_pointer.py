"""The big pointer over the blue target, halo off: at 250 % an arrow 2.5 times the pointer's size
whose tip is at the pointer and whose pixels lie in its window there and nowhere else on the screen,
following the pointer without a trace; a shake (four quick swings of 60 px) shows it at twice the
size, back after about a second; at 400 % a larger arrow, which fades out at rest and comes back on
a move. Under Wine another process's pointer cannot be read, so the standard arrow stands in over the
target. Catches: no big pointer, one off the hot spot or of the wrong size, traces left behind, a
shake that does not grow it or never ends, a fade that does not reach the screen."""
from harness import *

REACH = 130   # a free square of this reach holds the arrow's every size for a pointer at its top left


def arrow(h, others, x, y, side, what):
    """The big pointer of side px at the pointer (x, y): every painted pixel where its window may be,
    the tip at the pointer; returns the painted pixels' bounding box and the screenshot."""
    found = []

    def verify(s):
        rect = (x - side // 8, y - side // 8, x + side, y + side)   # where the arrow may reach
        pixels = s.painted(others)
        check(pixels, "%s: no big pointer on the screen" % what)
        stray = [p for p in pixels if not (rect[0] <= p[0] < rect[2] and rect[1] <= p[1] < rect[3])]
        check(not stray, "%s: painted pixels outside the big pointer %s: %s" % (what, rect, stray[:5]))
        check(any(abs(px - x) <= 2 and abs(py - y) <= 2 for px, py in pixels), "%s: no tip at the pointer" % what)
        xs, ys = [p[0] for p in pixels], [p[1] for p in pixels]
        box = (min(xs), min(ys), max(xs) + 1, max(ys) + 1)
        # The arrow is taller than wide and fills most of its window's height.
        check(box[3] - box[1] > side * 0.5 and box[2] - box[0] < box[3] - box[1], "%s: the painted box %s is no "
              "arrow of %d px" % (what, box, side))
        found[:] = [box]
    s = h.settle(verify)
    return found[0], s


def main(h):
    h.write_settings({"Halo": 0, "ShowKeysWindow": 0, "BigPointer": 1, "BigPointerScale": 250, "ShakeToFind": 1})
    h.start_target()
    p = h.start_glimmora()
    (x, y), (x2, y2) = [(fx - REACH + 20, fy - REACH + 20) for fx, fy in h.free_points(2, REACH)]
    others = h.other_windows()
    h.move(x, y)
    normal, s = arrow(h, others, x, y, 80, "250 %")
    h.crop(s, (max(x - 40, 0), max(y - 40, 0), x + 120, y + 120), "big-pointer-250.png")
    h.move(x2, y2)
    arrow(h, others, x2, y2, 80, "250 % moved")   # nothing left at the first place: painted sees the whole screen

    # Four turns within a second, ending at x2 + 60.
    h.xdotool(*[a for dx in (60, 0, 60, 0, 60) for a in ("mousemove", x2 + dx, y2, "sleep", 0.06)])
    shaken = time.monotonic()
    found, s = arrow(h, others, x2 + 60, y2, 160, "shaken")
    h.crop(s, (x2 + 20, max(y2 - 40, 0), x2 + 260, y2 + 200), "big-pointer-shaken.png")
    width, height = (found[2] - found[0]) / (normal[2] - normal[0]), (found[3] - found[1]) / (normal[3] - normal[1])
    check(1.8 <= width <= 2.2 and 1.8 <= height <= 2.2, "shaken, the arrow %s is not twice %s" % (found, normal))
    arrow(h, others, x2 + 60, y2, 80, "after the shake")
    back = time.monotonic() - shaken
    log("the shaken big pointer was back at its size after %.2f s" % back)
    check(0.6 <= back <= 2.0, "the shaken big pointer was back at its size after %.2f s, not about a second" % back)

    h.stop_glimmora(p)
    h.write_settings({"Halo": 0, "ShowKeysWindow": 0, "BigPointer": 1, "BigPointerScale": 400, "AutoHideMouse": 1,
                      "FadeAutoHide": 2})
    h.start_glimmora()
    others = h.other_windows()
    h.move(x, y)
    large, s = arrow(h, others, x, y, 128, "400 %")
    h.crop(s, (max(x - 40, 0), max(y - 40, 0), x + 170, y + 170), "big-pointer-400.png")
    check(all(1.45 <= (large[i + 2] - large[i]) / (normal[i + 2] - normal[i]) <= 1.75 for i in (0, 1)),
          "at 400 %% the arrow %s is not 1.6 times the one at 250 %% %s" % (large, normal))
    # Resting, it fades out as the other overlays do; a move brings it back.
    h.settle(lambda s: check(not s.painted(others), "the resting big pointer did not fade out"), timeout=6)
    h.move(x + 40, y)
    arrow(h, others, x + 40, y, 128, "400 % after the fade")


run(main)
