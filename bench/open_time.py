#!/usr/bin/env python3
"""Time from Glimmora's start to its settings window standing fully painted, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/open_time.py [--runs 10]

It starts its own Xvfb and xcompmgr and runs GlimmoraTrace.exe (the program with its test
traces) that many times with no settings file. The program notes the milliseconds from its
entry to the end of the window's first full paint (window and every control); each run is
then closed. Reported: median and worst of those, and, for scale, the wall time from
launching the Wine process to the window being there.
Environment: GLIMMORA_BIN, WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

from cpu_ratio import BIN, require, settings_put_aside, start_display, stop_display, write_settings

TITLE = "Glimmora - Settings"


def main():
    parser = argparse.ArgumentParser(description="Start to first full paint of the settings window.")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    require("GlimmoraTrace.exe", "winctl.exe")
    env, display = start_display()
    inside, outside = [], []
    try:
        with settings_put_aside(), tempfile.TemporaryDirectory() as work:
            times = os.path.join(work, "open.txt")
            for _ in range(args.runs):
                write_settings(None)
                start = time.monotonic()
                p = subprocess.Popen(["wine", os.path.join(BIN, "GlimmoraTrace.exe")],
                                     env=dict(env, GLIMMORA_OPEN_TIME_FILE=times), stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
                while subprocess.run(["wine", os.path.join(BIN, "winctl.exe"), "visible", TITLE], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
                    if time.monotonic() - start > 30:
                        raise SystemExit("no settings window within 30 s")
                outside.append(1000 * (time.monotonic() - start))
                time.sleep(1.0)
                subprocess.run(["wine", os.path.join(BIN, "winctl.exe"), "close", TITLE], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                p.wait(30)
            with open(times) as f:
                inside = [float(line) for line in f if line.strip()]
    finally:
        stop_display(display)
    print("start to first full paint, inside the program: median %.0f ms, worst %.0f ms over %d runs"
          % (statistics.median(inside), max(inside), len(inside)))
    print("launching the Wine process to the window found by a second process: median %.0f ms"
          % statistics.median(outside))


if __name__ == "__main__":
    main()
