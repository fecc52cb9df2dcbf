"""Every window of Glimmora in every language at a chosen DPI, saved for a person to look at:
nothing clipped, overlapping or unfinished. Not part of the test run.

    python3 tests/e2e/look_at_dialogs.py [--dpi 144] [--languages en,de,pl]

Needs a display large enough for the settings window at that DPI (1920x1200 for 144); the
prefix's DPI is set for the run and put back to 96 after it. The pictures go under
GLIMMORA_E2E_SHOTS (default <build>/e2e-shots/<dpi>dpi)."""
import argparse

from harness import *

CODES = ("en", "de", "fr", "pl", "es", "tr", "da")
# Window: how it is opened, its title's text id.
WINDOWS = {"click-options": (lambda h: h.winctl("press", SETTINGS_TITLE, 1015), 103),
           "options": (lambda h: h.menu_keys(*(["Down"] * 5), "Return"), 103),
           "keys": (lambda h: h.winctl("press", SETTINGS_TITLE, 1053), 36),
           "shortcut": (lambda h: h.winctl("press", SETTINGS_TITLE, 1032), 129),
           "help": (lambda h: (h.focus(), h.xdotool("key", "F1")), 77),
           "extras": (lambda h: h.menu_keys(*(["Down"] * 6), "Return"), 1007),
           "preset-name": (lambda h: h.menu_keys(*(["Down"] * 7), "Right", "Up", "Return"), 1036),
           "boundary": (lambda h: h.menu_keys(*(["Down"] * 9), "Return"), 124)}


def set_dpi(h, dpi):
    h.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")


def main(h, dpi, codes):
    os.environ.setdefault("GLIMMORA_E2E_SHOTS", os.path.join(os.path.dirname(h.bin), "e2e-shots", "%ddpi" % dpi))
    set_dpi(h, dpi)
    try:
        # Defaults, but with the presets in the menu, so that their dialog can be opened.
        h.write_settings({"PresetsInMenus": 1})
        h.start_target((255, 255, 255))
        h.move(h.screen[0] - 20, h.screen[1] - 20)
        p = h.start_glimmora()
        time.sleep(5)   # the tray balloon goes
        for code in codes:
            h.choose_language(CODES.index(code))
            h.crop(h.shot(), h.rect(SETTINGS_TITLE, "client-rect"), "settings-window-%s.png" % code)
            for name, (opener, title_id) in WINDOWS.items():
                title = language_text(code, title_id)
                opener(h)
                check(h.wait_window("visible", title, 10) is not None, "no %s window %r in %s" % (name, title, code))
                h.focus(title)
                rect = h.rect(title)
                h.crop(h.shot(), (max(rect[0], 0), max(rect[1], 0), min(rect[2], h.screen[0]),
                                  min(rect[3], h.screen[1])), "%s-%s.png" % (name, code))
                h.winctl("close", title)   # two of them share a title
                h.wait_for("%s window closed" % name, lambda: h.winctl("visible", title)[0] != 0)
        h.stop(p)
        log("saved under", os.environ["GLIMMORA_E2E_SHOTS"])
    finally:
        set_dpi(h, 96)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dpi", type=int, default=144)
    parser.add_argument("--languages", default=",".join(CODES))
    args = parser.parse_args()
    sys.argv[1:] = []
    run(lambda h: main(h, args.dpi, args.languages.split(",")))
