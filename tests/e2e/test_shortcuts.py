"""The keyboard at run time against the places Glimmora saves: F3 and F4 lock the mouse image
and the keyboard display; Shift+Ctrl+A hides every overlay and brings them back; Shift+Ctrl+Y
blinks the halo; Ctrl+Q ends cleanly, and the next start shows both locked windows where they
were locked. Catches: a lock or shortcut that does nothing or leaves an overlay, places lost
over an exit, an exit key that hangs."""
from harness import *

ALPHA = alpha_from_percent(50)
RED, WHITE, BLACK = (blend(c, ALPHA) for c in ((255, 0, 0), (255, 255, 255), (0, 0, 0)))


def places(h):
    return h.rect("class:" + PIC_CLASS), h.rect("class:" + KEYBOARD_CLASS)


def halo_colours(h, x, y, seconds):
    names = []
    for _, p in h.watch(x - 40, y - 40, seconds):
        name = next((n for n, c in (("red", RED), ("white", WHITE), ("black", BLACK)) if close_to(p, c)), "?")
        if name != "?" and (not names or names[-1] != name):
            names.append(name)
    return names


def main(h):
    h.write_settings({"HaloColor": 255, "HaloTrans": 50, "MouseImage": 1, "Buttons": 0})
    h.start_target()
    p = h.start_glimmora()
    a, b, c = h.free_points(3, 110)
    h.move(*a)
    time.sleep(0.3)
    locked = places(h)
    check(all(locked), "no mouse image or keyboard display: %s" % (locked,))
    h.focus()
    h.type_keys(["F3", "F4"])   # what each of them ticks and frees is the Wine tests' to check
    h.move(*b)
    h.settle(lambda s: check(close_to(s.pixel(b[0] - 40, b[1] - 40), RED), "the halo is not at %s" % (b,)))
    check(places(h) == locked, "locked, they moved with the pointer to %s: %s" % (b, places(h)))

    others = h.other_windows()
    h.press("shift", "ctrl", "a")
    h.settle(lambda s: check(not s.painted(others), "while paused %s show" % s.painted(others)[:3]))
    h.press("shift", "ctrl", "a")
    h.settle(lambda s: check(close_to(s.pixel(b[0] - 40, b[1] - 40), RED), "the halo did not come back"))
    keys = h.press("shift", "ctrl", "y", wait=False)
    seen = halo_colours(h, *b, 3.8)
    keys.wait()
    check(seen[:3] == ["red", "white", "black"] and seen[-1] == "red" and seen.count("white") >= 8,
          "Shift+Ctrl+Y showed %s on the halo, not a blink" % seen)

    h.exit_cleanly(p, "Ctrl+Q", lambda: h.press("ctrl", "q"))
    h.start_glimmora()
    h.move(*c)
    time.sleep(0.3)
    check(places(h) == locked, "after a restart the locked windows are at %s, not %s" % (places(h), locked))


run(main)
