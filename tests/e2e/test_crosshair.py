"""The cross hair, opaque red (palette colour FF0000) without arrow heads: four bands through
the pointer's row and column reaching every screen edge, 5 px thick for size 4, a darker
one-pixel centre line on the pointer's row and column, and a clear gap of 30 px around the
pointer; it follows the pointer and leaves nothing behind.

Catches: arms that stop short of the screen edge or do not meet the pointer's row or column,
a band of even thickness or off-centre by a pixel, a centre line missing, misplaced or in the
band colour, a gap of the wrong size or not centred, and arms that do not follow."""

from harness import *

GAP = 30
THICKNESS = 5                   # size 4, made odd
BAND = (255, 0, 0)
LINE = (102, 0, 0)              # red / 2.5: a darker shade for a colour outside the darkest row
# Per arm: direction away from the pointer and the first step that is band. The left and
# top arms end on the pixel before the gap; the right and bottom arms start on it.
ARMS = [("left", (-1, 0), GAP + 1), ("right", (1, 0), GAP), ("top", (0, -1), GAP + 1), ("bottom", (0, 1), GAP)]


def is_band(p):
    return close_to(p, BAND, 3)


def is_line(p):
    return close_to(p, LINE, 3)


def is_arm(p):
    return is_band(p) or is_line(p)


def plain(p):
    return close_to(p, BLUE, 3)


def verify_cross(s, x, y):
    w, hh = s.width, s.height
    for name, (dx, dy), first in ARMS:
        reach = {(-1, 0): x, (1, 0): w - 1 - x, (0, -1): y, (0, 1): hh - 1 - y}[(dx, dy)]
        # The centre line: from the end of the gap to the screen edge, all of it.
        runs = s.runs(x, y, dx, dy, is_line, reach)
        check(runs == [(first, reach)], "the %s arm's centre line through (%d, %d) runs %s, expected steps %d..%d "
              "(%s, the shade %s)" % (name, x, y, runs, first, reach, "gap then line to the screen edge", LINE))
        for step in range(first):
            p = s.pixel(x + step * dx, y + step * dy)
            check(plain(p), "in the gap, %d px %s of the pointer (%d, %d), the screen reads %s, not blue"
                  % (step, name, x, y, p))
        # Across the band at a few places along the arm: 5 px, centred on the line.
        for step in sorted({first, first + 7, (first + reach) // 2, reach}):
            cx, cy = x + step * dx, y + step * dy
            left, top, right, bottom = s.extent(cx, cy, is_arm)
            low, high = (top, bottom) if dy == 0 else (left, right)
            centre = y if dy == 0 else x
            check((low, high) == (centre - THICKNESS // 2, centre + THICKNESS // 2),
                  "across the %s arm at (%d, %d) the band spans %d..%d, expected %d..%d"
                  % (name, cx, cy, low, high, centre - THICKNESS // 2, centre + THICKNESS // 2))
            for off in range(1, THICKNESS // 2 + 1):
                for side in (-off, off):
                    px, py = (cx, cy + side) if dy == 0 else (cx + side, cy)
                    check(is_band(s.pixel(px, py)), "the %s arm's band at (%d, %d) reads %s, expected %s"
                          % (name, px, py, s.pixel(px, py), BAND))


def clear_crossings(h, reach):
    """Two pointer places whose whole row and column (band wide) no other window covers,
    the second on another row and column so that the old arms' places can be checked."""
    occupied = h.occupied()
    w, hh = h.screen

    def clear(box):
        return not any(box[0] < o[2] and o[0] < box[2] and box[1] < o[3] and o[1] < box[3] for o in occupied)

    found = []
    for y in range(reach + 5, hh - reach - 5, 7):
        for x in range(reach + 5, w - reach - 5, 7):
            if clear((0, y - 4, w, y + 5)) and clear((x - 4, 0, x + 5, hh)) \
                    and all(abs(x - fx) > reach + 10 and abs(y - fy) > reach + 10 for fx, fy in found):
                found.append((x, y))
                if len(found) == 2:
                    return found
    raise CheckFailed("no two pointer places whose row and column are clear of %s" % occupied)


def main(h):
    h.write_settings({"Crosshair": 1, "Halo": 0, "Buttons": 1, "CrosshairColor": 255, "CrosshairTrans": 0,
                      "CrosshairGap": GAP, "CrosshairSize": 4, "CrosshairArrows": 0})
    h.start_target()
    h.start_glimmora()
    reach = GAP + 30
    first, second = clear_crossings(h, reach)

    previous = None
    for x, y in (first, second):
        h.move(x, y)

        def verify(s):
            verify_cross(s, x, y)
            if previous:
                px, py = previous
                for qx, qy in ((px - reach, py), (px + reach, py), (px, py - reach), (px, py + reach)):
                    check(plain(s.pixel(qx, qy)), "the old cross hair at %s left a trace: (%d, %d) reads %s"
                          % (previous, qx, qy, s.pixel(qx, qy)))

        h.settle(verify)
        log("cross hair at", (x, y))
        previous = (x, y)


run(main)
