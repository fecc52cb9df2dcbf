#!/usr/bin/env python3
"""Time from a key going down to its line on the keyboard display, end to end, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/key_latency.py [--keys 30] [--timeout 2] [--settings ...] [--verbose]

It starts its own Xvfb and xcompmgr, a TargetWindow.exe of one known colour over the whole
screen whose edit box takes the keys, and Glimmora.exe listing character keys with a fading
time of 1 s (see --settings; a user's settings file is put back afterwards). Keys reach a
Wine program only while a Wine window is active and has the X input focus, so the target is
activated (winctl.exe focus), given the X focus and put back under the overlays (activation
raises it above them on a display without a window manager). One key typed first shows
where its line lies and which pixel of it the text covers; then for each key: press it
through XTest, read that one pixel of the root window with XGetImage until it shows the
text colour, release it and wait for the line to fade and a random part of a poll. Reported: median, 90th percentile
and worst delay in ms and in 100 ms keyboard polls, and the keys that were never listed.
Environment: GLIMMORA_BIN, WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import os
import random
import statistics
import subprocess
import time

from cpu_ratio import BIN, parse_settings, require
from ring_latency import QUIET, TARGET, glimmora_on_target, is_target, nearest_rank, wait_until

TARGET_TITLE = "Glimmora e2e target"
POINTER = (1000, 200)      # the display hangs left of and below it, clear of the settings window
KEY = "i"                  # one key throughout: the same glyph at the same place every time
POLL_MS = 100
TEXT = (192, 64, 0)
TOLERANCE = 6
# Layout of the display at 96 dpi: the caps' row above the list, the list's margin, a line.
CAPS_ROW, LIST_MARGIN, LINE, WIDTH = 25, 4, 23, 214
DEFAULTS = "Halo=0,ListCharacterKeys=1,ListCharacterSpecialKeys=0,ListKeysFading=1"


def text_colour(settings):
    """The text as the compositor shows it: at the display's alpha over the target."""
    percent = dict(settings).get("KeyBoardTrans", 20)
    alpha = round(255 - 2.55 * percent)
    return tuple(round(c * alpha / 255 + b * (255 - alpha) / 255) for c, b in zip(TEXT, TARGET))


def focus_target(screen, env):
    """Makes the target the active window with the X input focus, under the overlays."""
    subprocess.run(["wine", os.path.join(BIN, "winctl.exe"), "focus", TARGET_TITLE], env=env, check=True, **QUIET)
    found = [w for w in screen.root.query_tree().children if w.get_wm_name() == TARGET_TITLE]
    if len(found) != 1:
        raise SystemExit("found %d X windows named %r, expected one" % (len(found), TARGET_TITLE))
    found[0].set_input_focus(screen.X.RevertToParent, screen.X.CurrentTime)
    found[0].configure(stack_mode=screen.X.Below)
    screen.d.sync()


def key(screen, down):
    from Xlib import XK    # found once Screen has set up python3-xlib
    code = screen.d.keysym_to_keycode(XK.string_to_keysym(KEY))
    screen.xtest.fake_input(screen.d, screen.X.KeyPress if down else screen.X.KeyRelease, code)
    screen.d.sync()


def find_text_pixel(screen, is_text, caps_shown):
    """Types the key once; returns a pixel of its line that the text covers, with text all
    round it (so that a pixel of the glyph's edge does not decide)."""
    left, top = POINTER[0] - 11 - WIDTH, POINTER[1] + 22 + (CAPS_ROW if caps_shown else 0) + LIST_MARGIN
    key(screen, True)
    try:
        seen = wait_until(lambda: any(is_text(p) for p in screen.row(left, top + LINE // 2, WIDTH)), 5.0, 0.01)
        time.sleep(0.2)
        rows = [screen.row(left, top + dy, WIDTH) for dy in range(LINE)]
    finally:
        key(screen, False)
    if seen is None:
        raise SystemExit("no listed key appeared within 5 s at the display's first line (%d, %d)" % (left, top))
    inner = [(left + dx, top + dy) for dy in range(1, LINE - 1) for dx in range(1, WIDTH - 1)
             if all(is_text(rows[dy + ny][dx + nx]) for nx in (-1, 0, 1) for ny in (-1, 0, 1) if nx == 0 or ny == 0)]
    if not inner:
        raise SystemExit("the listed key's line has no text pixel with text all round it")
    return inner[len(inner) // 2]


def main():
    parser = argparse.ArgumentParser(description="Key-down to listed-on-screen latency of Glimmora under Wine.")
    parser.add_argument("--keys", type=int, default=30)
    parser.add_argument("--timeout", type=float, default=2.0, help="seconds a key may take to be listed")
    parser.add_argument("--settings", type=parse_settings, default=parse_settings(DEFAULTS),
                        help="Glimmora settings (default %s)" % DEFAULTS)
    parser.add_argument("--verbose", action="store_true", help="print every key")
    args = parser.parse_args()
    require("Glimmora.exe", "TargetWindow.exe", "winctl.exe")
    fading = dict(args.settings).get("ListKeysFading", 4)
    want = text_colour(args.settings)

    def is_text(rgb):
        return all(abs(a - b) <= TOLERANCE for a, b in zip(rgb, want))

    print("load average %.2f %.2f %.2f; Glimmora settings: %s" % (
        *os.getloadavg(), ", ".join("%s=%d" % p for p in args.settings)), flush=True)
    with glimmora_on_target(args.settings, POINTER, ["--focus"]) as (env, screen):
        focus_target(screen, env)
        screen.move(*POINTER)
        time.sleep(0.5)
        x, y = find_text_pixel(screen, is_text, dict(args.settings).get("ShowKeysWindow", 1) == 1)
        print("sampling the first line's text at (%d, %d)" % (x, y), flush=True)

        delays, missed, reads = [], 0, [0]
        for n in range(1, args.keys + 1):
            if wait_until(lambda: not is_text(screen.pixel(x, y)), fading + 3.0, 0.01) is None:
                raise SystemExit("key %d: the last line did not fade within %.0f s" % (n, fading + 3.0))
            # The release must have been read too, or the next press is not new; the
            # random part spreads the presses over the poll's phase, to which the fading
            # (on a timer of the same period) would otherwise lock them.
            time.sleep(0.25 + random.uniform(0, POLL_MS / 1000))

            def listed():
                reads[0] += 1
                return is_text(screen.pixel(x, y))
            key(screen, True)
            pressed = time.perf_counter()
            delay = wait_until(listed, args.timeout)
            time.sleep(max(0.0, 0.15 - (time.perf_counter() - pressed)))
            key(screen, False)
            if delay is None:
                missed += 1
                print("key %d: not listed within %.1f s" % (n, args.timeout))
            else:
                delays.append(1000 * delay)
                if args.verbose:
                    print("key %d: %.1f ms" % (n, 1000 * delay), flush=True)

    print("keys %d: listed %d, not listed within %.1f s %d" % (args.keys, len(delays), args.timeout, missed))
    if delays:
        for name, ms in (("median", statistics.median(delays)), ("90th percentile", nearest_rank(delays, 0.9)),
                         ("worst", max(delays))):
            print("%-16s %7.1f ms = %4.2f keyboard polls of %d ms" % (name, ms, ms / POLL_MS, POLL_MS))
        print("(%.1f pixel reads per key on average)" % (reads[0] / (len(delays) + missed)))
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    raise SystemExit(0 if delays and not missed else 1)


if __name__ == "__main__":
    main()
