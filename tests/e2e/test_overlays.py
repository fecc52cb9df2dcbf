"""The overlays in one sitting over the blue target, switched from the settings window: the halo's
three forms, a table (the default black disc 201 px across at alpha 51, the ring with a hole of
half of it, the full-screen tint with a hole of 200 px), centred on the pointer, following it
without a trace, clicks passing through; click rings (halo off) in each button's colour and size
at alpha 128, held ones following, released ones fading where they were within 1 s, also when
the hooks lost the release; wheel arrows up and down; a finger's tap a dot and a pen's a small
ring, neither a left ring. Catches: overlays misplaced, of the wrong
size, colour or alpha, leaving traces or taking clicks; rings that stick; wheel turns swapped."""
from harness import *

SIZE = 100
# Halo forms: check box to tick (the last one's box is unticked), hole width, (radius, tinted).
FORMS = [("disc", None, None, [(0, True), (40, True), (85, True), (SIZE + 4, False)]),
         ("ring", 1033, 100.5, [(20, False), (44, False), (58, True), (75, True), (94, True), (SIZE + 4, False)]),
         ("full screen", 1034, 2 * SIZE, [(50, False), (SIZE - 6, False), (SIZE + 6, True), (SIZE + 15, True)])]
SIDE, RING_ALPHA = 2 * 44 + 1, alpha_from_percent(50)
REACH = SIDE // 2 + 4
BUTTONS = [(1, "left", (255, 0, 0), 0.70), (2, "middle", (0, 191, 0), 0.78), (3, "right", (0, 96, 255), 0.87)]
RAYS = ((1, 0), (-1, 0), (0, -1), (0, 1))


def halo_forms(h):
    a, b = h.free_points(2, SIZE + 20)
    for name, box, hole, radii in FORMS:
        if box:
            h.click_child(SETTINGS_TITLE, box, 8)
            if name == "full screen":
                h.click_child(SETTINGS_TITLE, FORMS[1][1], 8)
        for (x, y), old in ((a, None), (b, a)):
            h.move(x, y)

            def verify(s):
                inside = tinted if hole is None else plain
                left, top, right, bottom = s.extent(x, y, inside)
                check(all(abs(size - (hole or 2 * SIZE + 1)) <= 3 for size in (right - left + 1, bottom - top + 1)) and
                      abs((left + right) / 2 - x) <= 1 and abs((top + bottom) / 2 - y) <= 1, "the %s spans %s for "
                      "the pointer (%d, %d)" % (name, (left, top, right, bottom), x, y))
                halo_on_circles(s, x, y, radii, "the " + name)
                far = name == "full screen"
                check(tinted(s.pixel(s.width - 2, s.height - 2)) == far, "the %s: the far corner is wrong" % name)
                if old:
                    wrong = [p for p in [old] + on_circle(*old, 60) if tinted(s.pixel(*p)) != far]
                    check(not wrong, "the %s left a trace at its old place %s: %s" % (name, old, wrong[:3]))
            h.settle(verify)
    h.xdotool("click", 1, "sleep", 0.6, "click", 3)   # past the double-click time
    time.sleep(0.3)
    check(h.target_lines("clicks") == [("down", str(b[0]), str(b[1])), ("rdown", str(b[0]), str(b[1]))],
          "clicks on the halo reached the target as %s" % h.target_lines("clicks"))
    h.click_child(SETTINGS_TITLE, FORMS[2][1], 8)
    h.click_child(SETTINGS_TITLE, 1030, 8)   # the halo off


def ring_runs(s, x, y, colour):
    want = blend(colour, RING_ALPHA)
    return [s.runs(x, y, dx, dy, lambda p: close_to(p, want), REACH) for dx, dy in RAYS]


def verify_ring(s, x, y, name, colour, factor):
    """One ring around (x, y); returns its (inner, outer) radius on the right ray."""
    runs = ring_runs(s, x, y, colour)
    check(all(len(r) == 1 for r in runs), "the %s ring at (%d, %d) runs %s, expected one ring" % (name, x, y, runs))
    inner, outer = [r[0][0] for r in runs], [r[0][1] for r in runs]
    check(max(outer) - min(outer) <= 2 and max(inner) - min(inner) <= 2 and plain(s.pixel(x, y)), "the %s ring is not"
          " centred on (%d, %d): inner radii %s, outer %s" % (name, x, y, inner, outer))
    check(all(abs(d - factor * SIDE) <= 2.5 for d in (outer[0] + outer[1] + 1, outer[2] + outer[3] + 1)),
          "the %s ring's outer radii are %s, expected %.1f across" % (name, outer, factor * SIDE))
    return inner[0], outer[0]


def clear(s, x, y, what):
    wrong = [(x + r * dx, y + r * dy) for dx, dy in RAYS for r in range(0, REACH, 3)
             if not plain(s.pixel(x + r * dx, y + r * dy))]
    check(not wrong, "%s: %s are not blue" % (what, wrong[:3]))


def rings(h):
    held, moved, away, middle, right, lost = h.free_points(6, REACH + 4)
    left = BUTTONS[0]
    h.move(*held)
    h.xdotool("mousedown", 1)
    h.settle(lambda s: verify_ring(s, *held, *left[1:]))
    h.move(*moved)
    s = h.settle(lambda s: (verify_ring(s, *moved, *left[1:]), clear(s, *held, "the held ring left a trace")))
    inner, outer = verify_ring(s, *moved, *left[1:])
    samples = [(moved[0] + (inner + outer) // 2 * dx, moved[1] + (inner + outer) // 2 * dy) for dx, dy in RAYS]
    # Released, it fades where it was; over blue the red channel is its alpha.
    released = time.monotonic()
    h.xdotool("mouseup", 1, "sleep", 0.1, "mousemove", *away)
    fade = []
    while time.monotonic() < released + 2.0 and (not fade or fade[-1] > 2):
        fade.append(max(h.x.pixel(*p)[0] for p in samples))
        time.sleep(0.05)
    gone = time.monotonic() - released
    check(fade[0] > 5 and any(5 < r < RING_ALPHA - 5 for r in fade) and gone < 1.5 and
          all(b <= a + 2 for a, b in zip(fade, fade[1:])), "the released ring's alpha went %s in %.2f s, not a fade"
          " within 1 s" % (fade, gone))
    h.settle(lambda s: clear(s, *away, "the released ring followed the pointer"))

    for (button, name, colour, factor), where in zip(BUTTONS[1:], (middle, right)):
        h.move(*where)
        h.xdotool("mousedown", button)
        h.settle(lambda s: verify_ring(s, *where, name, colour, factor))
        h.xdotool("mouseup", button)

    pid = h.windows_pids("Glimmora.exe")[0]
    h.move(*lost)
    time.sleep(0.6)
    h.xdotool("mousedown", 1)
    h.settle(lambda s: verify_ring(s, *lost, *left[1:]))
    os.kill(pid, signal.SIGSTOP)
    try:
        h.xdotool("mouseup", 1)
        time.sleep(2.6)   # past Wine's hook timeout: the release is lost
    finally:
        os.kill(pid, signal.SIGCONT)
    h.settle(lambda s: clear(s, *lost, "the ring whose release was lost stays"), timeout=2.5)


def wheel(h):
    x, y = h.free_points(1, 75)[0]
    h.move(x, y)
    colour = blend((191, 0, 191), RING_ALPHA)
    for button, up in ((4, True), (5, False)):
        for _ in range(4):   # the arrow shows 300 ms: a slow shot may miss it
            h.xdotool("click", button)
            s = h.shot()
            above = s.matching(x - 40, y - 70, x + 41, y, lambda p: close_to(p, colour))
            below = s.matching(x - 40, y + 1, x + 41, y + 71, lambda p: close_to(p, colour))
            if above or below:
                break
        # The chevron's shape is the core tests' to check; here its side and column.
        shown, other = (above, below) if up else (below, above)
        check(len(shown) > 150 and not other and abs(sum(px for px, _ in shown) / len(shown) - x) <= 2,
              "a wheel turn %s shows %d arrow pixels above and %d below, not one arrow on the pointer's column (%s)"
              % ("up" if up else "down", len(above), len(below), s.path))
        time.sleep(0.5)
        h.settle(lambda s: check(not s.matching(x - 40, y - 70, x + 41, y + 71, lambda p: close_to(p, colour)),
                                 "the wheel arrow stays"), timeout=0.5)


def taps(h):
    """A finger's tap leaves a red dot, a pen's a small red ring, for a while after the release; no left ring."""
    dot, points = blend(BUTTONS[0][2], RING_ALPHA), h.free_points(2, REACH + 4)
    # Radii that must be red, and the first radius that must not: a dot 36 px, a ring 23 px across.
    for (x, y), kind, marked, beyond in zip(points, ("touch", "pen"), ((0, 8, 15), (10,)), (19, 13)):
        check(h.winctl("tap", kind, x, y, 20)[0] == 0, "no %s tap could be sent" % kind)
        s = h.shot()
        radii = {r for dx, dy in RAYS for r in range(REACH) if close_to(s.pixel(x + r * dx, y + r * dy), dot)}
        check(set(marked) <= radii and max(radii) < beyond and (kind == "touch") == (0 in radii),
              "a %s tap shows red at the radii %s (%s)" % (kind, sorted(radii), s.path))
        h.settle(lambda s: clear(s, x, y, "the %s mark stays" % kind), timeout=1.5)


def main(h):
    h.no_settings()
    h.start_target()
    h.start_glimmora()
    halo_forms(h)
    rings(h)
    wheel(h)
    taps(h)


run(main)
