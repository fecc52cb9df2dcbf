"""The keyboard display listing character keys (halo off): typed into the target's focused
edit box, each letter gets a line of its own, newest on top, in the display whose right edge
lies 11 px left of the pointer and whose top lies 22 px below it; the edit box receives every
character and stays the active window; the lines go, oldest first, after the fading time, and
the display shrinks back to its row of key caps. Holding Shift shows the Shift cap (and only
it) and a letter typed meanwhile is listed with the Shift prefix. Typed into a password field
(the target restarted with --password) the letters are not listed: one wide line, the
"keys hidden" notice, stands for them all while the field still receives every character.

Lines are told apart by their text pixels (RGB 192, 64, 0 at the display's alpha) inside the
23 px line rectangles, not by reading them: a letter typed twice draws the same pixels twice.

Catches: keys not listed, listed twice or in the wrong order, a display off its place or of
the wrong height for its lines, the program taking the focus or swallowing keys, lines that
never fade or fade too soon or newest first, modifier caps that do not show or stay, and a
password shown letter by letter."""
import os
import shutil
import time

from harness import *

KEYBOARD_CLASS = "Glimmora_frmKeyBoard"
FADING = 3                        # ListKeysFading: a line stays FADING - 0.1 s
ALPHA = alpha_from_percent(20)    # KeyBoardTrans default
TEXT = blend((192, 64, 0), ALPHA, BLUE)
LIST_BACK = blend((255, 255, 255), ALPHA, BLUE)
CAP_W, CAP_H, CAP_GAP = 70, 25, 2
WIDTH = 3 * CAP_W + 2 * CAP_GAP   # 214: the caps' row, and the list as wide
LINE, PAD = 23, 4                 # line height; the list's margin above and below its lines
CAPS = ("Shift", "Ctrl", "Alt")


def is_text(p):
    return close_to(p, TEXT, 6)


def plain(p):
    return close_to(p, BLUE, 3)


def display_rect(h, x, y, lines):
    """The display's window, checked against the pointer and the number of lines expected."""
    rect = h.class_rect(KEYBOARD_CLASS)
    check(rect is not None, "no keyboard display window")
    height = CAP_H + (2 * PAD + lines * LINE if lines else 0)
    want = (x - 11 - WIDTH, y + 22, x - 11, y + 22 + height)
    check(rect == want, "with %d line(s) listed and the pointer at (%d, %d) the keyboard display is at %s, "
          "expected %s" % (lines, x, y, rect, want))
    return rect


def line_pixels(s, rect, index):
    """Text pixels of list line index (0 on top), relative to the line's top left."""
    left, top = rect[0], rect[1] + CAP_H + PAD + index * LINE
    return frozenset((px - left, py - top) for px, py in s.matching(left, top, rect[2], top + LINE, is_text))


def lines_shown(s, rect, most=10):
    """The text pixels of each line that has any, from the top; checks that they follow one
    another with no empty line between and that nothing is written below the last."""
    lines = [line_pixels(s, rect, i) for i in range(most)]
    count = next((i for i, px in enumerate(lines) if not px), most)
    check(not any(lines[count:]), "list lines with text %s follow an empty line" %
          [i for i, px in enumerate(lines) if px])
    return lines[:count]


def same(a, b):
    return len(a ^ b) <= 2


def verify_caps(s, rect, held):
    """Each cap drawn (hardly any of the target shows through it) exactly while its key is held."""
    for i, name in enumerate(CAPS):
        left = rect[0] + i * (CAP_W + CAP_GAP)
        box = (left, rect[1], left + CAP_W, rect[1] + CAP_H)
        blue = len(s.matching(*box, plain))
        if name in held:
            check(blue < CAP_W * CAP_H // 10, "the %s cap is held but %d of its %d pixels show the target (%s)"
                  % (name, blue, CAP_W * CAP_H, box))
        else:
            check(blue == CAP_W * CAP_H, "the %s cap is not held but %d of its pixels are drawn (%s)"
                  % (name, CAP_W * CAP_H - blue, box))


def main(h):
    h.write_settings({"Halo": 0, "ListCharacterKeys": 1, "ListCharacterSpecialKeys": 0, "ListKeysFading": FADING})
    h.start_target(focus=True)
    h.start_glimmora()
    h.focus_target()
    x, y = h.free_points(1, WIDTH + 20)[0]
    h.move(x, y)
    time.sleep(0.3)
    rect = display_rect(h, x, y, 0)
    h.settle(lambda s: verify_caps(s, rect, ()))

    # Four letters, the first again as the third: lines W, I, M, I from the top.
    h.type_keys("imiw")
    keys_up = time.monotonic()
    listed = {}

    def four_lines(s):
        listed["rect"] = display_rect(h, x, y, 4)
        lines = lines_shown(s, listed["rect"])
        check(len(lines) == 4, "4 keys typed, %d list lines show text" % len(lines))
        w, i, m, i_again = lines
        check(same(i, i_again), "the 2nd and 4th lines differ (%d and %d text pixels): the letter typed 1st and "
              "3rd is not listed 2nd and 4th from the top" % (len(i), len(i_again)))
        check(not same(w, i) and not same(m, i) and not same(w, m), "lines 1 and 3 repeat another line")
        check(len(i) < min(len(w), len(m)), "the I lines (%d text pixels) are not the narrowest beside W (%d) "
              "and M (%d): the lines are not in the order typed" % (len(i), len(w), len(m)))
        listed["lines"] = lines

    s = h.settle(four_lines, timeout=1.0)
    rect = listed["rect"]
    check(close_to(s.pixel(rect[0] + 3, rect[1] + CAP_H + 2), LIST_BACK, 4),
          "the list's background reads %s, expected %s (white at alpha %d)"
          % (s.pixel(rect[0] + 3, rect[1] + CAP_H + 2), LIST_BACK, ALPHA))
    check(h.target_text() == "imiw", "the edit box holds %r after typing 'imiw'" % h.target_text())
    check(h.winctl("foreground", TARGET_TITLE)[0] == 0, "the target is no longer the active window after typing")

    # The lines leave oldest first; the last one about FADING - 0.1 s after its key was read.
    newest = listed["lines"]
    while True:
        started = time.monotonic()
        s = h.shot()
        # Only lines inside the window count: the compositor may leave pieces of a shrunk
        # colour-keyed window on screen for a while.
        current = h.class_rect(KEYBOARD_CLASS)
        inside = (current[3] - current[1] - CAP_H - 2 * PAD) // LINE if current else 0
        lines = lines_shown(s, current, inside) if inside > 0 else []
        check(all(same(a, b) for a, b in zip(lines, newest)), "while fading the list does not keep its newest "
              "lines on top (%d lines left, screenshot %s)" % (len(lines), s.path))
        if not lines:
            break
        check(started - keys_up < FADING + 1.0, "%.1f s after the last key the list still shows %d line(s)"
              % (started - keys_up, len(lines)))
    gone = time.monotonic() - keys_up
    log("the list was empty %.2f s after the last key" % gone)
    check(gone > FADING - 0.5, "the list was empty %.2f s after the last key, expected its line to stay about %.1f s"
          % (gone, FADING - 0.1))
    display_rect(h, x, y, 0)

    # Shift held: its cap only; a letter typed meanwhile carries the prefix.
    h.xdotool("keydown", "shift")
    try:
        h.settle(lambda s: verify_caps(s, rect, ("Shift",)))
        h.type_keys("i")
    finally:
        h.xdotool("keyup", "shift")

    def shifted(s):
        verify_caps(s, rect, ())
        display_rect(h, x, y, 1)
        lines = lines_shown(s, rect)
        check(len(lines) == 1, "one key typed with Shift held, %d lines show text" % len(lines))
        plain_i = newest[1]
        widths = [max(dx for dx, _ in px) - min(dx for dx, _ in px) for px in (lines[0], plain_i)]
        check(widths[0] > 3 * widths[1], "the letter typed with Shift held is listed %d px wide, the plain I %d px: "
              "expected the Shift prefix before it" % tuple(widths))

    h.settle(shifted)
    check(h.target_text() == "imiwI", "the edit box holds %r after Shift+i" % h.target_text())
    password_field(h, x, y, rect, newest)


def password_field(h, x, y, rect, plain_lines):
    h.stop(h.target)
    check(h.wait_window("gone", TARGET_TITLE, 10) is not None, "the target window stayed after its end")
    h.target_log = os.path.join(h.work, "target-password.txt")
    h.target = h.start("TargetWindow.exe", "--log", h.target_log, "--color", "%d,%d,%d" % BLUE, "--focus", "--password")
    check(h.wait_window("visible", TARGET_TITLE, 15) is not None, "the password target did not appear")
    h.focus_target()
    h.move(x, y)
    h.settle(lambda s: display_rect(h, x, y, 0), timeout=FADING + 1.0)
    h.type_keys("imiw")
    seen = {}

    def one_notice(s):
        display_rect(h, x, y, 1)
        lines = lines_shown(s, rect)
        check(len(lines) == 1, "4 keys typed into a password field, %d list lines show text (screenshot %s)"
              % (len(lines), s.path))
        width = lambda px: max(dx for dx, _ in px) - min(dx for dx, _ in px)
        widest_letter = max(width(px) for px in plain_lines)
        check(width(lines[0]) > 4 * widest_letter, "the line for the password keys is %d px wide, a listed letter up "
              "to %d px: expected the keys-hidden notice, not a key name" % (width(lines[0]), widest_letter))
        check(not any(same(lines[0], px) for px in plain_lines), "a typed letter is listed from the password field")
        seen["shot"] = s

    h.settle(one_notice)
    check(h.target_text() == "imiw", "the password field holds %r after typing 'imiw'" % h.target_text())
    keep = os.path.join(os.path.dirname(h.bin), "e2e-shots")
    os.makedirs(keep, exist_ok=True)
    shutil.copy(seen["shot"].path, os.path.join(keep, "keyboard-display-password.png"))


run(main)
