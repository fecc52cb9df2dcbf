"""The default keyboard shortcuts and the behaviours they share with auto-hide, typed into
the target's focused edit box:
- Shift+Ctrl+A with the halo, cross hair and mouse image on hides every overlay (the screen
  shows only the target), and again brings them all back at the pointer, which has moved
  meanwhile;
- Shift+Ctrl+Y makes the halo flash white and black, starting with white, 20 phases of 150 ms,
  then shows its own colour again;
- with auto-hide when the mouse rests (1 s), the halo stays, then fades out; pointer jitter
  of a few pixels leaves it hidden, a move of 15 px fades it back in;
- a click with Ctrl held writes the Ctrl caption in dark letters at the top of the ring,
  still there while it fades; a plain click writes none.

Catches: a shortcut that does nothing, toggles twice or leaves an overlay on screen; overlays
that come back at their old place; a blink that never starts, never stops, lasts the wrong
time or shows the wrong colours; auto-hide that hides at once, never hides, jumps instead of
fading, wakes on jitter or not on a real move; a ring without its modifier caption or with
one no key was held for."""
import time

from harness import *

ALPHA = alpha_from_percent(50)
HALO = {"Halo": 1, "HaloColor": 255, "HaloTrans": 50}
RED, WHITE, BLACK = (blend(c, ALPHA, BLUE) for c in ((255, 0, 0), (255, 255, 255), (0, 0, 0)))
PIC_CLASS = "Glimmora_frmPic"
BLINK_PHASES, BLINK_TICK = 20, 0.15


def plain(p):
    return close_to(p, BLUE, 3)


def halo_point(x, y):
    """Inside the halo, clear of the cross hair's row and column, the mouse image (right of
    and below the pointer) and the keyboard display (left of and below it)."""
    return x - 40, y - 40


def verify_overlays(h, x, y):
    """Halo, cross hair and mouse image at the pointer."""
    def verify(s):
        pic = h.class_rect(PIC_CLASS)
        check(pic is not None and pic[:2] == (x + 11, y + 22), "the mouse image is at %s, expected its top left at "
              "%s" % (pic, (x + 11, y + 22)))
        p = s.pixel(*halo_point(x, y))
        check(close_to(p, RED, 4), "the halo at %s reads %s, expected %s" % (halo_point(x, y), p, RED))
        for px, py in ((x + 140, y), (x, y - 140)):
            check(not plain(s.pixel(px, py)), "no cross hair at (%d, %d) for the pointer at (%d, %d)"
                  % (px, py, x, y))
        drawn = s.matching(*pic, lambda p: not plain(p) and not close_to(p, RED, 4))
        area = (pic[2] - pic[0]) * (pic[3] - pic[1])
        check(len(drawn) > area // 4, "only %d of the mouse image's %d pixels are drawn" % (len(drawn), area))

    h.settle(verify)


def verify_nothing(s, occupied):
    """Every third pixel of the screen outside the other windows shows the target."""
    for py in range(0, s.height, 3):
        for px in range(0, s.width, 3):
            if any(o[0] <= px < o[2] and o[1] <= py < o[3] for o in occupied):
                continue
            check(plain(s.pixel(px, py)), "while paused (%d, %d) reads %s, not the target" % (px, py, s.pixel(px, py)))


def runs(samples, classify):
    """[(class, first second, last second)] of the samples' classes, a run per class in a row."""
    found = []
    for t, p in samples:
        c = classify(p)
        if found and found[-1][0] == c:
            found[-1] = (c, found[-1][1], t)
        else:
            found.append((c, t, t))
    return found


def pause_and_blink(h):
    h.write_settings(dict(HALO, Crosshair=1, MouseImage=1))
    h.start_target(focus=True)
    p = h.start_glimmora()
    h.focus_target()
    a, b = h.free_points(2, 160)
    h.move(*a)
    verify_overlays(h, *a)

    occupied = h.occupied()
    h.press("shift", "ctrl", "a")
    h.settle(lambda s: verify_nothing(s, occupied))
    h.move(*b)
    time.sleep(0.6)
    s = h.shot()
    verify_nothing(s, occupied)
    h.press("shift", "ctrl", "a")
    verify_overlays(h, *b)

    # Blink: the halo's colour from the moment the keys go down.
    keys = h.press("shift", "ctrl", "y", wait=False)
    samples = h.watch(*halo_point(*b), BLINK_PHASES * BLINK_TICK + 1.5)
    keys.wait()

    def colour(p):
        return next((name for name, c in (("red", RED), ("white", WHITE), ("black", BLACK)) if close_to(p, c, 4)), "?")

    found = runs([(t, p) for t, p in samples if colour(p) != "?"], colour)
    phases = [r for r in found if r[0] != "red"]
    log("halo while blinking:", " ".join("%s %.2f-%.2f" % r for r in found))
    check(found[0][0] == "red" and found[-1][0] == "red" and len(phases) == len(found) - 2,
          "the halo did not go from its colour through the blink back to it: %s" % [r[0] for r in found])
    names = [r[0] for r in phases]
    check(names == ["white", "black"] * (BLINK_PHASES // 2), "the blink showed %s, expected %d phases white, black, "
          "... " % (names, BLINK_PHASES))
    start, end = phases[0][1], found[-1][1]
    check(start < 0.6, "the blink began %.2f s after the keys went down" % start)
    check(abs(end - start - BLINK_PHASES * BLINK_TICK) < 0.4, "the blink lasted %.2f s, expected %.1f s"
          % (end - start, BLINK_PHASES * BLINK_TICK))
    h.stop(p)


def auto_hide(h):
    h.write_settings(dict(HALO, AutoHideMouse=1, FadeAutoHide=1))
    p = h.start_glimmora()
    x, y = h.free_points(1, 120)[0]

    # Red over blue: the red channel is the halo's alpha.
    h.move(x, y)
    alpha = [(t, p[0]) for t, p in h.watch(*halo_point(x, y), 3.5)]
    log("halo alpha after a move:", " ".join("%.2f:%d" % a for a in alpha[::10]))
    # The halo may come from elsewhere, faded out already while Glimmora started.
    check(all(a >= ALPHA - 4 for t, a in alpha if 0.5 < t < 0.9), "the halo was not fully shown from 0.5 s to "
          "0.9 s after the move (1 s delay): %s" % [a for t, a in alpha if t < 0.9])
    check(alpha[-1][1] <= 4, "3.5 s after the last move the halo's alpha is %d, expected 0" % alpha[-1][1])
    check(any(20 < a < ALPHA - 20 for _, a in alpha), "the halo vanished without fading")
    check(all(b <= a + 3 for (t, a), (_, b) in zip(alpha, alpha[1:]) if t > 0.5), "the halo's alpha rose while "
          "fading out")
    log("faded out %.2f s after the move" % next(t for t, a in alpha if t > 0.5 and a <= 4))

    # A move counts at the next 251 ms check; a full delay passes after that before the halo
    # may hide again, so a second of watching sees it come back and stay.
    for step, back in ((4, False), (15, True)):
        x += step
        h.move(x, y)
        alpha = [p[0] for _, p in h.watch(*halo_point(x, y), 1.0)]
        if back:
            check(max(alpha) >= ALPHA - 4, "a move of %d px brought the halo back only to alpha %d"
                  % (step, max(alpha)))
            check(any(20 < a < ALPHA - 20 for a in alpha), "the halo came back without fading in")
        else:
            check(max(alpha) <= 4, "a move of %d px brought the halo back (alpha up to %d)" % (step, max(alpha)))
    h.stop(p)


def ctrl_click(h):
    h.write_settings({"Halo": 0, "ShowKeysClick": 1, "ButtonsFading": 20})
    h.start_glimmora()
    h.focus_target()
    ring = blend((255, 0, 0), ALPHA, BLUE)
    for (x, y), keys in zip(h.free_points(2, 60), (["ctrl"], [])):
        h.move(x, y)
        time.sleep(0.2)
        # The caption is that of the keys held at the release, even when they come up at once.
        h.xdotool(*(["keydown", *keys] if keys else []), "mousedown", 1, "sleep", 0.3, "mouseup", 1,
                  *(["keyup", *keys] if keys else []), "sleep", 0.2)
        # The ring's window is 89 px square around the pointer; the caption is black at the
        # ring's alpha over blue: neither the target, nor the red ring, nor white.
        top = (x - 44, y - 44, x + 45, y - 20)
        s = h.shot()
        letters = s.matching(*top, lambda p: p[0] <= 12 and p[1] <= 12 and p[2] <= 215)
        fading = s.pixel(x + 25, y)     # on the left ring's band
        check(fading[1] < 10 and 20 < fading[0] <= ring[0] - 5, "the ring reads %s, expected it fading from %s "
              "(screenshot %s)" % (fading, ring, s.path))
        if keys:
            check(len(letters) > 20, "a click with Ctrl held shows %d dark pixels at the top of its ring %s: "
                  "expected the caption (screenshot %s)" % (len(letters), top, s.path))
        else:
            check(not letters, "a plain click shows dark pixels %s at the top of its ring" % letters[:5])


def main(h):
    pause_and_blink(h)
    auto_hide(h)
    ctrl_click(h)


run(main)
