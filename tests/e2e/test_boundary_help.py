"""The boundary window and the help window as a user meets them. A second start opens the
help window, and its title bar's close removes it. The boundary window, opened from the
program menu, dragged by its title bar into the left half and narrowed by its right border,
keeps the mouse image inside its frame after "OK" when the pointer goes far right; "Use full
screen" frees the image again. Both windows are shot in English, German and Polish for a person
to look at (GLIMMORA_E2E_SHOTS, default build/win64/e2e-shots).

Catches: a second start that does not reach the help window, a help window that survives its
close button; a boundary window that cannot be moved or sized, an "OK" that does not limit the
mouse image or limits it to the wrong place, a "Use full screen" that leaves the limit in
force; texts clipped or missing in some language."""
import re
import subprocess
import time

from harness import *
from settings_ui import *

PIC_CLASS = "Glimmora_frmPic"
OK_ID, FULL_SCREEN_ID = 3003, 3002


def boundary_title(code="en"):
    return language_text(code, 124)


def help_title(code="en"):
    return language_text(code, 77)


def click_child(h, title, control_id):
    left, top, right, bottom = children(h, title)[control_id]["rect"]
    h.move((left + right) // 2, (top + bottom) // 2)
    time.sleep(0.1)
    h.xdotool("click", 1)


def menu_entry(h, downs):
    """The settings window's program menu from the keyboard: the entry that many Downs away."""
    focus(h)
    h.xdotool("key", "F10")
    time.sleep(0.4)
    h.xdotool("key", "--delay", "120", *(["Down"] * downs), "Return")


def open_boundary(h, code="en"):
    # Help, Blink, Pause, Language, Options, Default settings, then the boundary.
    menu_entry(h, 7)
    check(h.wait_window("visible", boundary_title(code), 10) is not None, "the menu did not open the boundary window")
    return h.rect(boundary_title(code))


def wait_hidden(h, title, timeout=3.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if h.winctl("visible", title)[0] != 0:
            return True
        time.sleep(0.1)
    return False


def drag(h, x0, y0, x1, y1):
    h.move(x0, y0)
    time.sleep(0.1)
    h.xdotool("mousedown", 1)
    steps = 10
    for i in range(1, steps + 1):
        h.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        time.sleep(0.04)
    h.xdotool("mouseup", 1)
    time.sleep(0.3)


def image_at(h, x, y):
    h.move(x, y)
    time.sleep(0.3)
    rect = h.class_rect(PIC_CLASS)
    check(rect is not None, "no mouse-image window")
    return rect


def second_start_opens_help(h, first):
    check(h.winctl("visible", help_title())[0] != 0, "the help window is open before the second start")
    p = h.start("Glimmora.exe", log_name="second-start")
    try:
        p.wait(15)
    except subprocess.TimeoutExpired:
        raise CheckFailed("the second Glimmora.exe did not end")
    check(first.poll() is None, "the first instance ended on the second start")
    check(h.wait_window("visible", help_title(), 5) is not None, "a second start did not open the help window")
    version = [c["text"] for c in children(h, help_title()).values() if c["text"].startswith("Glimmora version ")]
    check(len(version) == 1, "the help window shows no version line")
    year = time.localtime().tm_year
    # The notice's open year range ends in this year ("2026" alone in its first year).
    check(re.search(r"\b(\d{4}-)?%d\b" % year, version[0]) is not None,
          "the help window's notice %r does not run to %d" % (version[0], year))
    # Its title bar's close unloads it (the window is gone, not hidden).
    check(h.winctl("close", help_title())[0] == 0, "could not close the help window")
    check(h.wait_window("gone", help_title(), 5) is not None, "the help window was not destroyed by its close")


def boundary_limits_mouse_image(h):
    w, hh = h.screen
    left, top, right, bottom = open_boundary(h)
    log("boundary window first at", (left, top, right, bottom))
    # By its title bar to the top left, then its right border in to the left half.
    drag(h, (left + right) // 2, top + 8, (left + right) // 2 - left + 10, top + 8 - top + 40)
    moved = h.rect(boundary_title())
    check(moved[0] <= 20 and moved[1] <= 50, "dragging the title bar left the window at %s" % (moved,))
    drag(h, moved[2] - 2, (moved[1] + moved[3]) // 2, w // 2, (moved[1] + moved[3]) // 2)
    frame = h.rect(boundary_title())
    log("boundary window set to", frame)
    check(abs(frame[2] - w // 2) <= 4 and frame[2] - frame[0] >= 480, "dragging the right border made the window %s"
          % (frame,))

    click_child(h, boundary_title(), OK_ID)
    check(wait_hidden(h, boundary_title()), "OK did not hide the boundary window")
    py = (frame[1] + frame[3]) // 2
    rect = image_at(h, w - 100, py)
    width = rect[2] - rect[0]
    # Wine reports the window rectangle as the visible frame, so the frame is the boundary.
    check(frame[0] <= rect[0] and rect[2] <= frame[2], "with the boundary %s the mouse image is at %s for the pointer"
          " at (%d, %d)" % (frame, rect, w - 100, py))
    check(rect[2] == frame[2], "the mouse image %s does not stop at the boundary's right edge %d"
          % (rect, frame[2]))
    h.settle(lambda s: check(len(s.matching(*rect, lambda p: not close_to(p, BLUE, 3))) > width * 10,
                             "the mouse image at %s is not drawn" % (rect,)))
    below = image_at(h, w // 4, hh - 5)
    check(below[3] <= frame[3], "below the boundary %s the mouse image is at %s" % (frame, below))

    open_boundary(h)
    click_child(h, boundary_title(), FULL_SCREEN_ID)
    check(wait_hidden(h, boundary_title()), "Use full screen did not hide the boundary window")
    rect = image_at(h, w - 200, py)
    check(rect[:2] == (w - 200 + 11, py + 22), "after Use full screen the mouse image is at %s, expected beside the"
          " pointer at (%d, %d)" % (rect, w - 200 + 11, py + 22))


def shoot_languages(h):
    folder = shots_folder(h)
    h.move(h.screen[0] - 20, h.screen[1] - 20)
    for index, code in languages_to_shoot():
        choose_language(h, index)
        for title, name, opener in ((help_title(code), "help", lambda: (focus(h), h.xdotool("key", "F1"))),
                                    (boundary_title(code), "boundary", lambda: menu_entry(h, 7))):
            if h.wait_window("visible", title, 0.2) is None:
                opener()
                check(h.wait_window("visible", title, 10) is not None, "no %s window titled %r in %s"
                      % (name, title, code))
            h.winctl("focus", title)
            time.sleep(0.5)
            rect = h.rect(title)
            crop(h, h.shot(), (max(rect[0], 0), max(rect[1], 0), min(rect[2], h.screen[0]), min(rect[3], h.screen[1])),
                 "%s-window-%s.png" % (name, code))
            texts = [c["text"] for c in children(h, title).values() if c["visible"]]
            if name == "boundary":
                for text_id in (125, 126, 127):
                    check(language_text(code, text_id) in texts, "the boundary window lacks text %d in %s"
                          % (text_id, code))
            else:
                check(language_text(code, 43) in texts, "the help window's Close is not in %s" % code)
    choose_language(h, 0)


def main(h):
    h.write_settings({"MouseImage": 1, "Halo": 0, "Buttons": 0})
    h.start_target()
    h.move(h.screen[0] - 20, h.screen[1] - 20)
    first = h.start_glimmora()
    time.sleep(1.0)  # the window state is applied 777 ms after start
    second_start_opens_help(h, first)
    boundary_limits_mouse_image(h)
    shoot_languages(h)
    check(h.stop_glimmora(first) == 0, "Glimmora did not end cleanly")


if __name__ == "__main__":
    run(main)
