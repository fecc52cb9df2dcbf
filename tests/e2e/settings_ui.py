"""The settings window and its dialogs as the screen tests reach them: their controls read
through winctl, the keyboard focus, the program menu driven by keys, the string tables for
the expected texts, and screenshots of a window saved for a person to look at."""

import os
import re
import subprocess
import time

from harness import *


def shots_folder(h):
    """GLIMMORA_E2E_SHOTS, else e2e-shots beside the build's bin folder."""
    folder = os.environ.get("GLIMMORA_E2E_SHOTS") or os.path.join(os.path.dirname(h.bin), "e2e-shots")
    os.makedirs(folder, exist_ok=True)
    return folder


def crop(h, shot, rect, name):
    """Saves the rectangle of a screenshot under the shots folder; returns its path."""
    left, top, right, bottom = rect
    path = os.path.join(shots_folder(h), name)
    subprocess.run(["convert", shot.path, "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                    "+repage", path], check=True)
    return path


def language_text(code, text_id):
    """The text of an id in one language's string table (code "en", "de", ...)."""
    with open(os.path.join(ROOT, "lang", "Strings_%s.inc" % code), encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\{(\d+), "(.*)"\},', line.strip())
            if m and int(m.group(1)) == text_id:
                return m.group(2).replace('\\"', '"')
    return None


LANGUAGE_CODES = ("en", "de", "fr", "pl", "es", "tr", "da")


def languages_to_shoot():
    """(menu index, code) of the languages a screen test switches through and shoots: English,
    German (the longest captions) and Polish (letters beyond Latin-1) in the test run; all
    seven with GLIMMORA_ALL_LANGUAGES=1, as tests/e2e/look_at_dialogs.py sets it."""
    codes = LANGUAGE_CODES if os.environ.get("GLIMMORA_ALL_LANGUAGES") == "1" else ("en", "de", "pl")
    return [(LANGUAGE_CODES.index(code), code) for code in codes]


def client_rect(h, title=SETTINGS_TITLE):
    rc, out = h.winctl("client-rect", title)
    check(rc == 0, "no window titled %r" % title)
    return tuple(map(int, out.split()))


def children(h, title=SETTINGS_TITLE):
    """The window's child controls by id: class, visible, enabled, checked, rect, text."""
    rc, out = h.winctl("children", title)
    check(rc == 0, "no window titled %r" % title)
    found = {}
    for line in out.splitlines():
        f = line.split("\t")
        if len(f) >= 7:
            found[int(f[0])] = dict(cls=f[1], visible=f[2] == "1", enabled=f[3] == "1", checked=f[4] == "1",
                                    rect=tuple(map(int, f[5].split())), text=f[6])
    return found


def focus(h, title=SETTINGS_TITLE):
    """Keys reach a Wine window once it is active inside Wine and holds the X focus."""
    h.winctl("focus", title)
    wid = subprocess.run(["xdotool", "search", "--name", "^%s$" % re.escape(title)], env=h.env,
                         stdout=subprocess.PIPE).stdout.split()
    if wid:
        subprocess.run(["xdotool", "windowfocus", wid[0]], env=h.env, stderr=subprocess.DEVNULL)
    time.sleep(0.3)


def menu_keys(h, *keys):
    """The settings window's program menu from the keyboard: F10, then the keys given."""
    focus(h)
    h.xdotool("key", "F10")
    time.sleep(0.4)
    h.xdotool("key", "--delay", "120", *keys)
    time.sleep(0.6)


def choose_language(h, index):
    # Help, Blink, Pause, then the language entry (separators are skipped) and its submenu.
    menu_keys(h, *(["Down"] * 4), "Right", *(["Down"] * index), "Return")


def wait_for_balloon_to_go(h, client, appear=5.0):
    """The tray icon's start balloon lies over the top left of the screen for several seconds,
    and Wine shows it a moment after the program starts: wait up to appear seconds for it to
    come, then until it has gone."""

    def balloons():
        return [w for w in h.windows() if w["visible"] and w["cls"].lower() == "tooltips_class32"
                and w["rect"][0] < client[2] and client[0] < w["rect"][2]
                and w["rect"][1] < client[3] and client[1] < w["rect"][3]]

    deadline = time.monotonic() + appear
    while not balloons():
        if time.monotonic() > deadline:
            return
        time.sleep(0.3)
    deadline = time.monotonic() + 20
    while balloons():
        if time.monotonic() > deadline:
            raise CheckFailed("a tooltip or balloon stayed over the window at %s for 20 s" % (client,))
        time.sleep(0.3)
