"""The shortcut, key-selection and options dialogs as a user drives them:
- the options dialog, opened from the program menu by the keyboard, switches the blink
  shortcut from Shift+Ctrl+Y to Shift+Ctrl+B by a click into its key list and a typed B;
  afterwards Shift+Ctrl+B makes the halo blink white and black and Shift+Ctrl+Y leaves it
  red; Close hides the dialog; the new key is what the settings file keeps;
- the three dialogs are shot in English, German and Polish (GLIMMORA_E2E_SHOTS, default
  <build>/e2e-shots) for a person to look at, and each control must lie inside its
  dialog's client area with its caption in the current language.

Catches: a list that does not reach the record or the poller, an old chord that still
fires, a dialog that Close does not hide, a caption left in the old language, a control
pushed out of its dialog."""
import time

from harness import *
from settings_ui import *

ALPHA = alpha_from_percent(50)
HALO = {"Halo": 1, "HaloColor": 255, "HaloTrans": 50}
RED, WHITE, BLACK = (blend(c, ALPHA, BLUE) for c in ((255, 0, 0), (255, 255, 255), (0, 0, 0)))

# Control ids of the dialogs.
CBO_BLINK_KEY, OPTIONS_CLOSE = 107, 117
CMD_KEY_OPTIONS, CMD_HOTKEY_SPOT = 1053, 1032
# Each dialog: its window class, its title's text id, and the captions (id: text id) it shows.
DIALOGS = {
    "keys": ("Glimmora_frmKeyBoardOptions", 36, {101: 37, 102: 38, 103: 39, 104: 40, 105: 41, 106: 42, 107: 102,
                                                  108: 43}),
    "shortcut": ("Glimmora_frmHotKeyOptions", 129, {101: 15, 107: 43}),
    "options": ("Glimmora_frmOptions", 103, {101: 104, 102: 3, 108: 4, 114: 107, 117: 43}),
}


def click_at(h, rect):
    h.move((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
    time.sleep(0.1)
    h.xdotool("click", 1)
    time.sleep(0.3)


def open_options(h):
    """The program menu from the keyboard: Help, Blink, Pause, the languages, then Options."""
    focus(h, SETTINGS_TITLE)
    h.xdotool("key", "F10")
    time.sleep(0.4)
    h.xdotool("key", "--delay", "120", *(["Down"] * 5), "Return")


def halo_colours(h, x, y, seconds):
    names = []
    for _, p in h.watch(x - 40, y - 40, seconds):
        name = next((n for n, c in (("red", RED), ("white", WHITE), ("black", BLACK)) if close_to(p, c, 4)), "?")
        if name != "?" and (not names or names[-1] != name):
            names.append(name)
    return names


def switch_blink_key(h):
    h.write_settings(HALO)
    h.start_target(focus=True)
    p = h.start_glimmora()
    time.sleep(0.8)
    open_options(h)
    check(h.wait_window("visible", "Options", 10) is not None, "the menu's Options did not open the options dialog")
    # Another process cannot read a combo box's selection: the lists are judged by what they do.
    ctl = children(h, "Options")
    # A click into the key list, then Home and B: a typed letter picks the next item that
    # starts with it after the selected one, which from Y would be Back.
    focus(h, "Options")
    click_at(h, ctl[CBO_BLINK_KEY]["rect"])
    h.xdotool("key", "--delay", "150", "Home", "b", "Return")
    time.sleep(0.4)
    click_at(h, ctl[OPTIONS_CLOSE]["rect"])
    check(h.wait_window("gone", "Options", 3) is not None or h.winctl("visible", "Options")[0] != 0,
          "Close left the options dialog on screen")

    h.focus_target()
    x, y = h.free_points(1, 120)[0]
    h.move(x, y)
    time.sleep(0.4)
    keys = h.press("shift", "ctrl", "y", wait=False)
    old = halo_colours(h, x, y, 1.5)
    keys.wait()
    check(old == ["red"], "Shift+Ctrl+Y, no longer the blink shortcut, showed %s on the halo" % old)
    keys = h.press("shift", "ctrl", "b", wait=False)
    new = halo_colours(h, x, y, 3.8)
    keys.wait()
    log("halo after Shift+Ctrl+B:", new)
    check(new[:3] == ["red", "white", "black"] and new[-1] == "red" and new.count("white") >= 8,
          "Shift+Ctrl+B did not blink the halo white and black: %s" % new)

    check(h.stop_glimmora(p) is not None, "Glimmora did not end")
    saved = dict(h.read_settings())
    check((saved.get("HotKeyBlinkSpec1"), saved.get("HotKeyBlinkSpec2"), saved.get("HotKeyBlinkKeyCode"))
          == ("16", "17", "66"), "the settings file keeps the blink shortcut as %s" % [
              saved.get(k) for k in ("HotKeyBlinkSpec1", "HotKeyBlinkSpec2", "HotKeyBlinkKeyCode")])
    h.stop(h.target)


def shoot_dialogs(h):
    h.no_settings()
    h.start_target(colour=(255, 255, 255))
    h.move(h.screen[0] - 40, h.screen[1] - 40)
    p = h.start_glimmora()
    time.sleep(1.0)
    h.winctl("press", SETTINGS_TITLE, str(CMD_KEY_OPTIONS))
    h.winctl("press", SETTINGS_TITLE, str(CMD_HOTKEY_SPOT))
    open_options(h)
    check(h.wait_window("visible", "Options", 10) is not None, "no options dialog")
    for index, code in languages_to_shoot():
        choose_language(h, index)
        for name, (cls, title_id, captions) in DIALOGS.items():
            title = language_text(code, title_id)
            check(h.winctl("visible", title)[0] == 0, "no %s dialog titled %r in %s" % (name, title, code))
            focus(h, title)
            rc, out = h.winctl("client-rect", title)
            client = tuple(map(int, out.split()))
            ctl = children(h, title)
            for cid, text_id in captions.items():
                check(ctl[cid]["text"] == language_text(code, text_id), "%s dialog, %s: control %d reads %r, "
                      "expected %r" % (name, code, cid, ctl[cid]["text"], language_text(code, text_id)))
            for cid, c in ctl.items():
                if c["visible"] and c["cls"].lower() != "combobox":
                    r = c["rect"]
                    check(client[0] <= r[0] and client[1] <= r[1] and r[2] <= client[2] and r[3] <= client[3],
                          "%s dialog, %s: control %d at %s lies outside the client area %s" % (name, code, cid, r,
                                                                                            client))
            crop(h, h.shot(), h.rect(title), "%s-dialog-%s.png" % (name, code))
        log("shot the dialogs in", code)
    h.stop(p)


def main(h):
    switch_blink_key(h)
    shoot_dialogs(h)


if __name__ == "__main__":
    run(main)
