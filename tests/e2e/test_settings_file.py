"""The settings file at work: a normal exit with no file writes the 79 keys with their
defaults (colours as the palette holds them), in save order, to the per-user file, and none of
the keys added since, which are written only when set; a written file is read (an opaque red
disc 101 px across) and saved back, an added key set in it too; a file edited by hand keeps its comments,
unknown keys, blank lines and other sections, its keys replaced where they stand, and check
boxes it gave values they cannot hold come back at their defaults; a write-protected file is
left byte for byte as it was and the program still ends normally; damaged files never crash
the program, and out-of-range values end up inside the sliders' ranges, so the halo stays a
sane size inside the desktop. A zeroed file is read from the backup the last save left, and
the next save writes the settings, not the zeros; a settings folder that cannot be made, or a
settings path that is a folder, gives the defaults and a normal end.

A first start beside the settings file of an older installation (on a fixed drive, with no
per-user file yet) takes that file's values over and saves them to the per-user file at exit.

Catches: a missing, misspelt or misplaced key, a wrong default, a save that does not create
the folder, a load that ignores the file, a save that drops or reorders the user's own lines,
"Halo=5" written back as 5, an older file whose values are lost on the start that takes it
over (defaults saved in their place), a crash or an error box on a protected file, and
unchecked values from a damaged file (a halo of 200001 px, an alpha byte overflow), a start
that loads defaults over a zeroed file's good backup, and a crash or a box in a hostile place."""
import os
import random
import re
import shutil
import subprocess
import time

from harness import *

# name, default; None where the value depends on the machine or on where windows were.
SAVED = [
    ("Buttons", 1), ("ButtonsSize", 44), ("ButtonsTrans", 50), ("ButtonsFading", 10),
    ("MouseImage", 0), ("MouseImageSize", 84), ("MouseImageTrans", 30), ("MouseImageColor", 0),
    ("MouseImageLockPos", 0), ("MouseImagePosX", None), ("MouseImagePosY", None),
    ("Halo", 1), ("HaloSize", 100), ("HaloTrans", 80), ("HaloRing", 0), ("HaloFullScreen", 0), ("HaloColor", 0),
    ("Crosshair", 0), ("CrosshairSize", 7), ("CrosshairTrans", 40), ("CrosshairGap", 100),
    ("CrosshairColor", 0xFFFFBF), ("CrosshairArrows", 1),
    ("ListSpecialKeys", 0), ("ListCharacterKeys", 0), ("ListCharacterSpecialKeys", 1), ("ListCursorKeys", 0),
    ("ListFunctionKeys", 0), ("ListInputKeys", 0), ("ListMouseButtons", 0), ("ListAnyKeys", 1),
    ("LeftButtonColor", 0x0000FF), ("LeftButtonWidth", 11), ("MiddleButtonColor", 0x00BF00), ("MiddleButtonWidth", 8),
    ("RightButtonColor", 0xFF6000), ("RightButtonWidth", 6), ("WheelColor", 0xBF00BF), ("WheelWidth", 10),
    ("ShowWheelArrows", 1), ("ShowLettersOnRings", 0), ("RingsSameSize", 0), ("DisksAsClickIndicators", 0),
    ("ListKeysFading", 4), ("ShowKeysWindow", 1), ("ShowKeysClick", 1), ("KeyBoardTrans", 20),
    ("ListLockPos", 0), ("ListPosX", None), ("ListPosY", None),
    ("AutoHideMouse", 0), ("AutoHideKeyboard", 0), ("FadeAutoHide", 5), ("LowRefresh", 0),
    ("Language", None), ("Taskbar", 1), ("WindowState", 0), ("WindowVisible", 1),
]
for shortcut, key in (("Blink", 89), ("Pause", 65), ("Buttons", -1), ("Picture", -1), ("Spot", -1),
                      ("CrossHair", -1), ("KeyBoard", -1)):
    SAVED += [("HotKey%sSpec1" % shortcut, 16), ("HotKey%sSpec2" % shortcut, 17), ("HotKey%sKeyCode" % shortcut, key)]
assert len(SAVED) == 79


def defaults_written(h):
    h.no_settings()
    p = h.start_glimmora()
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    check(os.path.exists(h.ini_path), "no settings file was written to %s at exit" % h.ini_path)
    pairs = h.read_settings()
    names = [k for k, _ in pairs]
    missing = [k for k, _ in SAVED if k not in names]
    extra = [k for k in names if k not in dict(SAVED)]
    check(not missing and not extra, "settings file keys: missing %s, unexpected %s" % (missing, extra))
    check(len(names) == len(set(names)), "keys written twice: %s" % sorted({k for k in names if names.count(k) > 1}))
    order = [k for k, _ in SAVED]
    if names != order:
        i = next(i for i, (a, b) in enumerate(zip(names, order)) if a != b)
        raise CheckFailed("keys out of save order: key #%d is %s, expected %s" % (i + 1, names[i], order[i]))
    wrong = []
    for (key, value), (_, default) in zip(pairs, SAVED):
        if not re.fullmatch(r"-?\d+", value):
            wrong.append((key, value))
        elif default is not None and int(value) != default:
            wrong.append((key, value, "expected %d" % default))
    check(not wrong, "keys with values other than their defaults: %s" % wrong)
    log("the 79 keys written with their defaults, in order")


def red_disc(h):
    h.write_settings({"HaloSize": 50, "HaloColor": 255, "HaloTrans": 0, "HealHooks": 0})
    p = h.start_glimmora()
    x, y = h.free_points(1, 70)[0]
    h.move(x, y)

    def red(px):
        return close_to(px, (255, 0, 0), 3)

    def verify(s):
        check(red(s.pixel(x, y)), "with HaloSize 50, HaloColor 255, HaloTrans 0 the pointer's place (%d, %d) reads %s,"
              " not opaque red" % (x, y, s.pixel(x, y)))
        left, top, right, bottom = s.extent(x, y, red)
        for name, size in (("wide", right - left + 1), ("high", bottom - top + 1)):
            check(abs(size - 101) <= 2, "the red disc is %d px %s, expected 101" % (size, name))
        cx, cy = (left + right) / 2, (top + bottom) / 2
        check(abs(cx - x) <= 1 and abs(cy - y) <= 1, "the red disc is centred on (%.1f, %.1f), the pointer is at"
              " (%d, %d)" % (cx, cy, x, y))
        for px, py in on_circle(x, y, 55):
            check(close_to(s.pixel(px, py), BLUE, 3), "outside the red disc (%d, %d) reads %s"
                  % (px, py, s.pixel(px, py)))

    h.settle(verify)
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    saved = dict(h.read_settings())
    check((saved.get("HaloSize"), saved.get("HaloColor"), saved.get("HaloTrans")) == ("50", "255", "0"),
          "the values read were saved back as HaloSize=%s HaloColor=%s HaloTrans=%s"
          % (saved.get("HaloSize"), saved.get("HaloColor"), saved.get("HaloTrans")))
    check(saved.get("HealHooks") == "0", "HealHooks=0 was saved back as %s" % saved.get("HealHooks"))
    log("red disc ok")


def hand_edited(h):
    head = b"; Glimmora settings, edited by hand\r\n[Settings]\r\n; my halo\r\n"
    tail = b"\r\n[Other]\r\nA=1\r\n"
    h.write_settings(head + b"halo = 5\r\nMyOwnKey=abc\r\nHaloSize=60\r\nCrosshair=-3\r\nHaloColor=254\r\n" + tail)
    p = h.start_glimmora()
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    with open(h.ini_path, "rb") as f:
        after = f.read()
    # The file's own lines stay where they were, its keys replaced in place; the keys it
    # lacked follow its last key, before the blank line that ends the section.
    kept = head + b"Halo=1\r\nMyOwnKey=abc\r\nHaloSize=60\r\nCrosshair=0\r\nHaloColor=255\r\n"
    check(after.startswith(kept), "a hand-edited settings file begins, after a run, with %r; expected %r"
          % (after[:len(kept) + 40], kept))
    check(after.endswith(tail), "a hand-edited settings file ends, after a run, with %r; expected %r"
          % (after[-len(tail) - 40:], tail))
    names = [k for k, _ in h.read_settings()]
    first = ["Halo", "MyOwnKey", "HaloSize", "Crosshair", "HaloColor"]
    rest = [k for k, _ in SAVED if k not in first]
    check(names == first + rest, "the [Settings] keys after a run are %s; expected the file's own five, then %s"
          % (names, rest))
    check(after.count(b"[Settings]") == 1, "a second [Settings] section was written: %r" % after)
    log("hand-edited file kept, its check boxes at 0 or 1")


def write_protected(h):
    content = b"[Settings]\r\nHaloSize=60\r\nHaloTrans=50\r\n; kept as it is\r\n"
    h.write_settings(content)
    subprocess.run(["chattr", "+i", h.ini_path], check=True)
    try:
        p = h.start_glimmora()
        time.sleep(0.5)
        h.winctl("close", SETTINGS_TITLE)
        try:
            p.wait(8)
        except subprocess.TimeoutExpired:
            boxes = [w for w in h.windows() if w["exe"].lower() == "glimmora.exe" and w["visible"]
                     and w["title"] != SETTINGS_TITLE and (w["exstyle"] & LAYERED_TRANSPARENT) != LAYERED_TRANSPARENT]
            texts = [(w["title"], h.winctl("msgbox-text", w["title"])[1]) for w in boxes]
            raise CheckFailed("with a write-protected settings file Glimmora did not end within 8 s of the close;"
                              " its windows: %s" % texts)
        check(p.returncode == 0, "with a write-protected settings file Glimmora ended with exit code %s" % p.returncode)
        with open(h.ini_path, "rb") as f:
            after = f.read()
        check(after == content, "the write-protected settings file changed: %r" % after)
    finally:
        subprocess.run(["chattr", "-i", h.ini_path])
    log("write-protected file left alone")


def damaged(h):
    junk = bytes(b for b in random.Random(7).randbytes(6000) if b not in b"[=")
    x, y = h.screen[0] // 2, h.screen[1] // 2
    # content, halo size after the sliders' clamping, halo alpha (None: not checked)
    cases = [
        ("binary junk", junk, 100, None),
        ("HaloSize=abc, HaloTrans=300", "[Settings]\r\nHaloSize=abc\r\nHaloTrans=300\r\n", 20, alpha_from_percent(95)),
        ("HaloSize=100000", "[Settings]\r\nHaloSize=100000\r\nHaloTrans=0\r\n" + "\x01\x7f\xff=\r\n" * 3, 300, 255),
    ]
    for name, content, size, alpha in cases:
        h.write_settings(content)
        h.move(x, y)
        p = h.start_glimmora()
        # Let it track the pointer for a while, then look.
        for dx in (40, -40, 0):
            h.move(x + dx, y)
            time.sleep(0.1)
        time.sleep(0.3)
        check(p.poll() is None, "with a damaged settings file (%s) Glimmora ended (exit code %s)" % (name, p.returncode))
        rect = h.class_rect(SPOT_CLASS)
        want = (x - size, y - size, x + size + 1, y + size + 1)
        w, hh = h.screen
        check(rect is not None and 0 <= rect[0] and 0 <= rect[1] and rect[2] <= w and rect[3] <= hh,
              "with a damaged settings file (%s) the halo window is at %s, not inside the desktop" % (name, rect))
        check(rect == want, "with a damaged settings file (%s) the halo window is at %s, expected %s (HaloSize %d)"
              % (name, rect, want, size))
        if alpha is not None:
            tint = blend((0, 0, 0), alpha, BLUE)
            h.settle(lambda s: check(close_to(s.pixel(x, y - size // 2), tint, 4), "with a damaged settings file"
                                     " (%s) the halo reads %s, expected %s (alpha %d)"
                                     % (name, s.pixel(x, y - size // 2), tint, alpha)))
        check(h.stop_glimmora(p) == 0, "with a damaged settings file (%s) Glimmora ended with exit code %s"
              % (name, p.returncode))
        log("damaged file (%s) ok" % name)


def halo_size_at_start(h, what):
    """Starts the program with the pointer at the middle of the screen and gives the halo's
    radius as the window it lays out says, and the running process."""
    x, y = h.screen[0] // 2, h.screen[1] // 2
    h.move(x, y)
    p = h.start_glimmora()
    time.sleep(0.3)
    check(p.poll() is None, "%s Glimmora ended (exit code %s)" % (what, p.returncode))
    rect = h.class_rect(SPOT_CLASS)
    check(rect is not None and rect[2] - rect[0] == rect[3] - rect[1] and (rect[2] - rect[0]) % 2 == 1,
          "%s the halo window is at %s" % (what, rect))
    return (rect[2] - rect[0]) // 2, p


def zeroed_file_read_from_backup(h):
    good = b"[Settings]\r\nHaloSize=50\r\nHaloTrans=0\r\n"
    zeros = bytes(4096)
    h.write_settings(zeros)
    with open(h.ini_path + ".bak", "wb") as f:
        f.write(good)
    size, p = halo_size_at_start(h, "with a zeroed settings file and a good backup")
    check(size == 50, "with a zeroed settings file and a backup of HaloSize=50 the halo is %d px in radius" % size)
    check(h.stop_glimmora(p) == 0, "with a zeroed settings file Glimmora ended with exit code %s" % p.returncode)
    with open(h.ini_path, "rb") as f:
        after = f.read()
    check(after.startswith(good) and b"\0" not in after, "the save after a start from the backup wrote %r" % after[:80])
    with open(h.ini_path + ".bak", "rb") as f:
        check(f.read() == zeros, "the zeroed file was not kept as the backup of that save")
    log("zeroed file read from its backup")


def hostile_places(h):
    folder = os.path.dirname(h.ini_path)
    try:
        # The settings file's folder cannot be made: a file stands where it would be.
        h.no_settings()
        with open(folder, "wb") as f:
            f.write(b"not a folder")
        size, p = halo_size_at_start(h, "with a file where the settings folder should be")
        check(size == 100, "with no settings folder possible the halo is %d px in radius, not the default" % size)
        check(h.stop_glimmora(p) == 0, "with no settings folder possible Glimmora ended with exit code %s"
              % p.returncode)
        with open(folder, "rb") as f:
            check(f.read() == b"not a folder", "the file standing in the settings folder's way was changed")
        os.remove(folder)
        # The settings path is a folder.
        os.makedirs(h.ini_path)
        size, p = halo_size_at_start(h, "with a folder for a settings file")
        check(size == 100, "with a folder for a settings file the halo is %d px in radius, not the default" % size)
        check(h.stop_glimmora(p) == 0, "with a folder for a settings file Glimmora ended with exit code %s"
              % p.returncode)
        check(os.path.isdir(h.ini_path) and os.listdir(folder) == ["Glimmora.ini"],
              "with a folder for a settings file the settings folder holds %s" % os.listdir(folder))
    finally:
        if os.path.isfile(folder):
            os.remove(folder)
        shutil.rmtree(folder, ignore_errors=True)
    log("hostile places: defaults, and a normal end")


def older_file_taken_over(h):
    # An older installation: the program with its settings file beside it, in a folder of
    # its own on a fixed drive.
    folder = os.path.join(h.work, "older-installation")
    os.makedirs(folder)
    for name in ("Glimmora.exe", "dsmouse.dll"):
        shutil.copy2(os.path.join(h.bin, name), folder)
    old = b"[Settings]\r\nHaloSize=30\r\nCrosshair=1\r\nLanguage=3\r\n"
    with open(os.path.join(folder, "Glimmora.ini"), "wb") as f:
        f.write(old)
    h.no_settings()
    p = h.start_glimmora(os.path.join(folder, "Glimmora.exe"))
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    check(os.path.exists(h.ini_path), "the start beside an older file left no per-user file at %s" % h.ini_path)
    saved = dict(h.read_settings())
    got = {key: saved.get(key) for key in ("HaloSize", "Crosshair", "Language")}
    check(got == {"HaloSize": "30", "Crosshair": "1", "Language": "3"},
          "after the start that took over the older file (HaloSize=30, Crosshair=1, Language=3) the per-user file"
          " holds %s" % got)
    check(len(saved) == len(SAVED), "the per-user file holds %d keys, expected all %d" % (len(saved), len(SAVED)))
    with open(os.path.join(folder, "Glimmora.ini"), "rb") as f:
        check(f.read() == old, "the older file beside the program was changed")
    log("older file taken over")


def main(h):
    h.start_target()
    older_file_taken_over(h)
    defaults_written(h)
    red_disc(h)
    hand_edited(h)
    write_protected(h)
    damaged(h)
    zeroed_file_read_from_backup(h)
    hostile_places(h)


run(main)
