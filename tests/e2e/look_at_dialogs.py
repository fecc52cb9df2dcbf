"""Every window of Glimmora in every language at a chosen DPI, saved for a person to look
at: nothing clipped, overlapping or unfinished. Not part of the test run.

    python3 tests/e2e/look_at_dialogs.py [--dpi 144]

Needs a display large enough for the settings window at that DPI (1920x1200 for 144); the
prefix's DPI is set for the run and put back to 96 after it. The pictures go under
GLIMMORA_E2E_SHOTS (default <build>/e2e-shots/<dpi>dpi); the checks the screen tests make
of the captions and places run on the way."""
import argparse
import os
import subprocess
import sys
import time

from harness import *
from settings_ui import *
import test_boundary_help
import test_click_options
import test_shortcut_dialog


def set_dpi(h, dpi):
    subprocess.run([h.wine_run, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                    "/d", str(dpi), "/f"], env=h.env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def main(h, dpi):
    os.environ["GLIMMORA_ALL_LANGUAGES"] = "1"
    os.environ.setdefault("GLIMMORA_E2E_SHOTS", os.path.join(os.path.dirname(h.bin), "e2e-shots", "%ddpi" % dpi))
    set_dpi(h, dpi)
    try:
        h.no_settings()
        h.start_target(colour=(255, 255, 255))
        h.move(h.screen[0] - 20, h.screen[1] - 20)
        p = h.start_glimmora()
        time.sleep(1.0)
        for index, code in languages_to_shoot():
            choose_language(h, index)
            crop(h, h.shot(), client_rect(h), "settings-window-%s.png" % code)
        choose_language(h, 0)
        h.winctl("press", SETTINGS_TITLE, str(test_click_options.CMD_CLICK_OPTIONS))
        check(h.wait_window("visible", language_text("en", 103), 10) is not None, "no click options window")
        test_click_options.shoot_languages(h)
        test_boundary_help.shoot_languages(h)
        check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")
        h.stop(h.target)
        test_shortcut_dialog.shoot_dialogs(h)
        log("saved under", os.environ["GLIMMORA_E2E_SHOTS"])
    finally:
        set_dpi(h, 96)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dpi", type=int, default=144)
    args = parser.parse_args()
    sys.argv[1:] = []
    run(lambda h: main(h, args.dpi))
