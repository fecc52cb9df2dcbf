#!/usr/bin/env python3
"""Time from a left-button press to the click ring on screen, end to end, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/ring_latency.py [--clicks 50] [--timeout 2] [--settings Halo=0] [--rest 0]
                                  [--bin [LABEL=]DIR ...] [--verbose]

e.g. python3 bench/ring_latency.py --clicks 20 --rest 2 --bin before=/work/bin-before --bin after=build/win64/bin

It starts its own Xvfb and xcompmgr, a TargetWindow.exe of one known colour over the whole
screen and Glimmora.exe with only the given keys in its per-user settings file (by default
"Halo=0", so that the ring is the only thing that changes at a press; a user's file is put
back afterwards). It first holds the button once to find where the left ring lies on the
pointer's row, then for each click: presses the button through XTest, reads that one pixel
of the root window with XGetImage until it leaves the target's colour, releases, waits for
the fade to end and moves on a little. --rest SECONDS keeps the pointer and keys still that
long before each press (after the move to its spot), so that a press finds a tick that stops
at rest stopped. Reported: median, 90th percentile and worst delay in ms and in ticks of the
15 ms tracking timer, and the clicks that showed no ring in time; for each --bin folder in turn
(default build/win64/bin), each on a display of its own. The helper programs come from
GLIMMORA_BIN (default build/win64/bin); WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import contextlib
import importlib.util
import math
import os
import statistics
import subprocess
import sys
import time

from cpu_ratio import (BIN, add_bin_option, chosen_bins, parse_settings, require, settings_put_aside, start_display,
                       stop_display, write_settings)

TARGET = (40, 90, 160)
TOLERANCE = 6          # per channel; the composited target reads back exact, a ring at alpha 128 far off
TRACKING_TICK_MS = 15
DEBIAN_PACKAGES = "/usr/lib/python3/dist-packages"
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
START = (760, 200)     # right of the settings window (top left) and above the target's edit box


def import_xlib():
    """python3-xlib from Debian's package, installed when missing. Its modules live in the system
    interpreter's dist-packages, which another python3 (a pyenv one, say) does not search."""
    if not importlib.util.find_spec("Xlib"):
        if not os.path.isdir(os.path.join(DEBIAN_PACKAGES, "Xlib")):
            print("python3-xlib is missing: installing it with apt-get", flush=True)
            sudo = [] if os.getuid() == 0 else ["sudo"]
            env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
            subprocess.run(sudo + ["apt-get", "update", "-q"], check=True, env=env)
            subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "--no-install-recommends", "python3-xlib"],
                           check=True, env=env)
        sys.path.append(DEBIAN_PACKAGES)
        importlib.invalidate_caches()
    from Xlib import X, display
    from Xlib.ext import xtest
    return X, display, xtest


class Screen:
    """The display as the benchmark sees it: the pointer, the left button and root-window pixels."""

    def __init__(self, name):
        self.X, display, self.xtest = import_xlib()
        self.d = display.Display(name)
        self.root = self.d.screen().root

    def row(self, x, y, width):
        """(r, g, b) of width pixels from (x, y) rightwards; 24-bit TrueColor reads back as B, G, R, pad."""
        data = self.root.get_image(x, y, width, 1, self.X.ZPixmap, 0xFFFFFFFF).data
        return [(data[i + 2], data[i + 1], data[i]) for i in range(0, 4 * width, 4)]

    def pixel(self, x, y):
        return self.row(x, y, 1)[0]

    def move(self, x, y):
        self.xtest.fake_input(self.d, self.X.MotionNotify, x=x, y=y)
        self.d.sync()

    def button(self, down):
        self.xtest.fake_input(self.d, self.X.ButtonPress if down else self.X.ButtonRelease, 1)
        self.d.sync()

    def repaint(self):
        """Maps and unmaps a full-screen window: xcompmgr can leave stale pieces of a moved overlay."""
        s = self.d.screen()
        w = self.root.create_window(0, 0, s.width_in_pixels, s.height_in_pixels, 0, s.root_depth,
                                    override_redirect=True)
        w.map()
        self.d.sync()
        time.sleep(0.05)
        w.destroy()
        self.d.sync()


def is_target(rgb):
    return all(abs(a - b) <= TOLERANCE for a, b in zip(rgb, TARGET))


def wait_until(condition, timeout, pause=0.0005):
    """Polls condition until it holds; returns the seconds waited, or None after timeout."""
    start = time.perf_counter()
    while True:
        if condition():
            return time.perf_counter() - start
        if time.perf_counter() - start > timeout:
            return None
        time.sleep(pause)


def clean_background(screen, x, y):
    """True once the pixel shows the target again, repainting once if a stale piece stays."""
    if wait_until(lambda: is_target(screen.pixel(x, y)), 3.0, 0.01) is not None:
        return True
    screen.repaint()
    return wait_until(lambda: is_target(screen.pixel(x, y)), 1.0, 0.01) is not None


def find_ring(screen, fade_wait):
    """Holds the button at START; returns the x offset from the pointer to the middle of the left ring's band, and the band."""
    x, y, reach = START[0], START[1], 60
    screen.move(x, y)
    time.sleep(0.3)
    if not all(is_target(p) for p in screen.row(x - reach, y, 2 * reach + 1)):
        raise SystemExit("the pointer's row at %s is not the target's colour before any press" % (START,))
    screen.button(True)
    try:
        seen = wait_until(lambda: not all(is_target(p) for p in screen.row(x - reach, y, reach)), 5.0, 0.01)
        if seen is None:
            raise SystemExit("no ring appeared within 5 s of a press at %s" % (START,))
        time.sleep(0.3)
        changed = [i - reach for i, p in enumerate(screen.row(x - reach, y, reach)) if not is_target(p)]
    finally:
        screen.button(False)
    if not changed:
        raise SystemExit("the ring seen at a press at %s was gone 0.3 s later with the button held" % (START,))
    band = [changed[0]]
    while band[-1] + 1 in changed:
        band.append(band[-1] + 1)
    time.sleep(fade_wait)
    clean_background(screen, x, y)
    return (band[0] + band[-1]) // 2, band


def click_spots(count):
    """Pointer positions a few pixels apart, row after row, inside a free rectangle of the target."""
    return [(START[0] + 13 * (i % 30), START[1] + 11 * ((i // 30) % 20)) for i in range(count)]


def nearest_rank(values, fraction):
    ordered = sorted(values)
    return ordered[max(0, math.ceil(fraction * len(ordered)) - 1)]


@contextlib.contextmanager
def glimmora_on_target(settings, at, target_args=(), folder=BIN):
    """A display of its own with TargetWindow.exe (shown at `at`) and the Glimmora.exe of that
    folder under the given settings; yields the Screen. Everything is ended and the user's settings file put
    back afterwards."""
    env, display = start_display()
    programs, screen = [], None
    try:
        with settings_put_aside():
            write_settings(settings)
            screen = Screen(env["DISPLAY"])
            programs.append(subprocess.Popen(["wine", os.path.join(BIN, "TargetWindow.exe"), "--color",
                                              "%d,%d,%d" % TARGET, *target_args], env=env, **QUIET))
            if wait_until(lambda: is_target(screen.pixel(*at)), 20.0, 0.1) is None:
                raise SystemExit("TargetWindow.exe did not show its colour within 20 s")
            programs.append(subprocess.Popen(["wine", os.path.join(folder, "Glimmora.exe")], env=env, **QUIET))
            time.sleep(4.0)
            if programs[-1].poll() is not None:
                raise SystemExit("Glimmora.exe ended early (exit code %s)" % programs[-1].returncode)
            yield env, screen
    finally:
        for p in reversed(programs):
            p.kill()
            p.wait()
        if screen:
            screen.d.close()
        stop_display(display)


def measure_bin(folder, args):
    """Clicks with the Glimmora of that folder; returns the delays in ms, the timeouts and the unclean spots."""
    with glimmora_on_target(args.settings, START, folder=folder) as (env, screen):
        offset, band = find_ring(screen, args.fade_wait)
        print("left ring on the pointer's row from x%+d to x%+d; sampling x%+d" % (band[0], band[-1], offset))

        delays, timeouts, unclean, reads = [], 0, 0, [0]
        for n, (x, y) in enumerate(click_spots(args.clicks), 1):
            screen.move(x, y)
            time.sleep(0.1)
            if not clean_background(screen, x + offset, y):
                unclean += 1
                print("click %d: the sample pixel never returned to the target's colour" % n)
                continue
            time.sleep(args.rest)

            def ring_shown():
                reads[0] += 1
                return not is_target(screen.pixel(x + offset, y))
            screen.button(True)
            delay = wait_until(ring_shown, args.timeout)
            screen.button(False)
            if delay is None:
                timeouts += 1
                print("click %d at (%d, %d): no ring within %.1f s" % (n, x, y, args.timeout))
            else:
                delays.append(1000 * delay)
                if args.verbose:
                    print("click %d at (%d, %d): %.1f ms" % (n, x, y, 1000 * delay), flush=True)
            time.sleep(args.fade_wait)
    if delays or timeouts:
        print("(%.1f pixel reads per click on average)" % (reads[0] / (len(delays) + timeouts)))
    return delays, timeouts, unclean


def glimmoras_on_target(args):
    """The Glimmora folders the options chose, each checked, with what the target and the pixel reads need."""
    bins = chosen_bins(args)
    require("TargetWindow.exe")
    for _, folder in bins:
        require("Glimmora.exe", "dsmouse.dll", folder=folder)
    import_xlib()
    return bins


def main():
    parser = argparse.ArgumentParser(description="Press-to-visible-ring latency of Glimmora under Wine.")
    parser.add_argument("--clicks", type=int, default=50)
    parser.add_argument("--timeout", type=float, default=2.0, help="seconds a press may take to show its ring")
    parser.add_argument("--fade-wait", type=float, default=1.5, help="seconds after a release for the fade")
    parser.add_argument("--rest", type=float, default=0.0, help="seconds of stillness before each press")
    parser.add_argument("--settings", type=parse_settings, default=parse_settings("Halo=0"),
                        help="Glimmora settings (default Halo=0)")
    parser.add_argument("--verbose", action="store_true", help="print every click")
    add_bin_option(parser)
    args = parser.parse_args()
    bins = glimmoras_on_target(args)
    print("load average %.2f %.2f %.2f; Glimmora settings: %s; rest before each press %.1f s" % (
        *os.getloadavg(), ", ".join("%s=%d" % p for p in args.settings), args.rest), flush=True)
    failed = False
    for label, folder in bins:
        print("Glimmora %s:" % label, flush=True)
        delays, timeouts, unclean = measure_bin(folder, args)
        print("clicks %d: ring seen %d, no ring within %.1f s %d, background not restored %d" % (
            args.clicks, len(delays), args.timeout, timeouts, unclean))
        failed |= not delays or bool(timeouts) or bool(unclean)
        if not delays:
            continue
        for name, ms in (("median", statistics.median(delays)), ("90th percentile", nearest_rank(delays, 0.9)),
                         ("worst", max(delays))):
            print("%-16s %7.1f ms = %4.1f ticks of the %d ms tracking timer" % (
                name, ms, ms / TRACKING_TICK_MS, TRACKING_TICK_MS), flush=True)
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    raise SystemExit(1 if failed else 0)


if __name__ == "__main__":
    main()
