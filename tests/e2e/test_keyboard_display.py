"""The keyboard display listing character keys (halo off), typed into the target's edit box:
each letter a line, newest on top, in the display whose right edge lies 11 px left of the
pointer and whose top 22 px below it; the edit box gets every key and stays active; the lines
go after the fading time. Shift held shows its cap alone and prefixes a letter typed meanwhile.
With repeat counts on, a letter typed three times is one line, "I ×3".
Typed into a password field, or into a program on the private list, one wide "keys hidden" line
stands for the letters. Lines are told
apart by their text pixels (a letter typed twice draws the same pixels twice).
Catches: keys not listed, listed twice or out of order, a display misplaced or of the wrong
height, keys swallowed, lines that never fade, caps that do not show, a password shown."""
from harness import *

FADING = 3                        # ListKeysFading: a line stays FADING - 0.1 s
ALPHA = alpha_from_percent(20)    # KeyBoardTrans default
TEXT = blend((192, 64, 0), ALPHA)
CAP_W, CAP_H, CAP_GAP = 70, 25, 2
WIDTH = 3 * CAP_W + 2 * CAP_GAP   # the caps' row, and the list as wide
LINE, PAD = 23, 4                 # line height; the list's margin above and below its lines


def display_rect(h, x, y, lines):
    rect = h.rect("class:" + KEYBOARD_CLASS)
    want = (x - 11 - WIDTH, y + 22, x - 11, y + 22 + CAP_H + (2 * PAD + lines * LINE if lines else 0))
    check(rect == want, "with %d line(s) and the pointer at (%d, %d) the keyboard display is at %s, expected %s"
          % (lines, x, y, rect, want))
    return rect


def lines_shown(s, rect, most=6):
    """The text pixels of each line from the top, relative to the line; no gap between lines."""
    lines = [frozenset((px - rect[0], py - rect[1] - CAP_H - PAD - i * LINE) for px, py in s.matching(
        rect[0], rect[1] + CAP_H + PAD + i * LINE, rect[2], rect[1] + CAP_H + PAD + (i + 1) * LINE,
        lambda p: close_to(p, TEXT, 6))) for i in range(most)]
    count = next((i for i, px in enumerate(lines) if not px), most)
    check(not any(lines[count:]), "list lines with text follow an empty line (%s)" % s.path)
    return lines[:count]


def same(a, b):
    return len(a ^ b) <= 2


def width(pixels):
    return max(dx for dx, _ in pixels) - min(dx for dx, _ in pixels)


def caps_held(s, rect):
    """Names of the caps drawn (hardly any of the target shows through them)."""
    return [name for i, name in enumerate(("Shift", "Ctrl", "Alt")) if len(s.matching(
        rect[0] + i * (CAP_W + CAP_GAP), rect[1], rect[0] + i * (CAP_W + CAP_GAP) + CAP_W, rect[1] + CAP_H, plain))
        < CAP_W * CAP_H // 10]


SETTINGS = {"Halo": 0, "ListCharacterKeys": 1, "ListCharacterSpecialKeys": 0, "ListKeysFading": FADING,
            "ListRepeatCount": 1}


def main(h):
    h.write_settings(SETTINGS)
    h.start_target(focus=True)
    glimmora = h.start_glimmora()
    h.focus_target()
    x, y = h.free_points(1, WIDTH + 20)[0]
    h.move(x, y)
    time.sleep(0.3)
    rect = display_rect(h, x, y, 0)

    h.type_keys("imiw")
    found = {}

    def four_lines(s):
        found["lines"] = lines = lines_shown(s, display_rect(h, x, y, 4))
        check(len(lines) == 4, "4 keys typed, %d list lines show text (%s)" % (len(lines), s.path))
        w, i, m, i_again = lines
        check(same(i, i_again) and not same(w, i) and not same(m, i) and not same(w, m) and
              len(i) < min(len(w), len(m)), "the lines are not W, I, M, I from the top (%s)" % s.path)

    h.settle(four_lines, timeout=1.0)
    check(h.target_lines("text")[-1:] == ["imiw"], "the edit box holds %s" % h.target_lines("text")[-1:])
    check(h.winctl("foreground", TARGET_TITLE)[0] == 0, "the target is no longer the active window")
    h.wait_for("keyboard display back to its caps", lambda: h.rect("class:" + KEYBOARD_CLASS) == rect, FADING + 1)

    h.xdotool("keydown", "shift")   # the cleanup lets it up should a check fail
    h.settle(lambda s: check(caps_held(s, rect) == ["Shift"], "with Shift held the caps %s show" % caps_held(s, rect)))
    h.type_keys("i")
    h.xdotool("keyup", "shift")

    def shifted(s):
        check(caps_held(s, rect) == [], "after Shift came up the caps %s show" % caps_held(s, rect))
        lines = lines_shown(s, display_rect(h, x, y, 1))
        check(len(lines) == 1 and width(lines[0]) > 3 * width(found["lines"][1]),
              "Shift+i is not listed once with the Shift prefix (%s)" % s.path)

    h.settle(shifted)
    check(h.target_lines("text")[-1:] == ["imiwI"], "the edit box holds %s" % h.target_lines("text")[-1:])

    h.wait_for("keyboard display back to its caps", lambda: h.rect("class:" + KEYBOARD_CLASS) == rect, FADING + 1)
    for _ in range(3):   # a pause between: a key let go and pressed again within one poll is one press
        h.type_keys("i")
        time.sleep(0.15)

    def counted(s):
        lines = lines_shown(s, display_rect(h, x, y, 1))
        check(len(lines) == 1 and width(lines[0]) > 3 * width(found["lines"][1]),
              "i typed three times is not one line counting it (%s)" % s.path)

    h.settle(counted)

    def one_notice(s):
        lines = lines_shown(s, display_rect(h, x, y, 1))
        check(len(lines) == 1 and width(lines[0]) > 4 * max(width(px) for px in found["lines"]) and
              not any(same(lines[0], px) for px in found["lines"]), "4 keys typed into a %s show %d line(s), not "
              "the keys-hidden notice (%s)" % (where, len(lines), s.path))

    # A program on the private list shows the same notice for keys typed into a plain edit box,
    # and the list's line outlives the save at exit.
    for private, where in ((False, "password field"), (True, "private program's edit box")):
        h.stop(h.target)
        check(h.wait_window("gone", TARGET_TITLE, 10) is not None, "the target window stayed after its end")
        if private:
            h.stop_glimmora(glimmora)
            h.write_settings("[Settings]\r\n%s[PrivatePrograms]\r\nTargetWindow.exe=1\r\n"
                             % "".join("%s=%s\r\n" % kv for kv in SETTINGS.items()))
        h.start_target(focus=True, password=not private)
        glimmora = h.start_glimmora() if private else glimmora
        h.focus_target()
        h.move(x, y)
        h.settle(lambda s: display_rect(h, x, y, 0), timeout=FADING + 1.0)
        h.type_keys("imiw")
        h.settle(one_notice)
        check(h.target_lines("text")[-1:] == ["imiw"], "the %s holds %s" % (where, h.target_lines("text")[-1:]))
    h.stop_glimmora(glimmora)
    with open(h.ini_path, "rb") as f:
        saved = f.read().decode("latin-1")
    check("[PrivatePrograms]\r\nTargetWindow.exe=1" in saved, "the private list was not kept at exit:\n%s" % saved)


run(main)
