#!/usr/bin/env python3
"""Time from a pointer move to the halo on screen at the new place, end to end, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/move_latency.py [--moves 200] [--modes 1,0] [--settings LowRefresh=1] [--verbose]

For each value of FollowPointerMoves in --modes (1: the hook's move message places the halo
at once; 0: the tracking tick alone follows) it starts its own Xvfb and xcompmgr, a
TargetWindow.exe of one known colour over the whole screen and Glimmora.exe with the halo
opaque and nothing else on. The pointer jumps through XTest between two points 250 px apart
(further than the halo's reach), and one pixel 40 px left of the new place (inside the halo,
clear of the pointer's image) is read with XGetImage until it leaves the target's colour.
Each jump waits a random 40..70 ms after the last one settled, so that jumps fall on every
phase of the tick. Reported per mode: median, 90th percentile and worst delay in ms.
Environment: GLIMMORA_BIN, WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import os
import random
import statistics
import time

from cpu_ratio import parse_settings, require
from ring_latency import START, clean_background, glimmora_on_target, import_xlib, is_target, nearest_rank, wait_until

JUMP = 250
SAMPLE_DX = -40
BASE_SETTINGS = "Halo=1,HaloTrans=0,HaloRing=0,HaloFullScreen=0,Crosshair=0,MouseImage=0,ShowKeysWindow=0"


def run_mode(follow, moves, extra, timeout, verbose):
    settings = parse_settings(BASE_SETTINGS) + [("FollowPointerMoves", follow)] + extra
    spots = [START, (START[0] + JUMP, START[1])]
    delays, timeouts, unclean = [], 0, 0
    with glimmora_on_target(settings, START) as (env, screen):
        screen.move(*spots[0])
        time.sleep(0.5)
        for n in range(1, moves + 1):
            x, y = spots[n % 2]
            sx = x + SAMPLE_DX
            if not clean_background(screen, sx, y):
                unclean += 1
                continue
            time.sleep(random.uniform(0.04, 0.07))
            screen.move(x, y)
            delay = wait_until(lambda: not is_target(screen.pixel(sx, y)), timeout, 0.0002)
            if delay is None:
                timeouts += 1
                print("move %d to (%d, %d): no halo within %.1f s" % (n, x, y, timeout))
            else:
                delays.append(1000 * delay)
                if verbose:
                    print("move %d to (%d, %d): %.1f ms" % (n, x, y, 1000 * delay), flush=True)
    return delays, timeouts, unclean


def main():
    parser = argparse.ArgumentParser(description="Pointer-move-to-halo latency of Glimmora under Wine.")
    parser.add_argument("--moves", type=int, default=200)
    parser.add_argument("--modes", default="1,0", help="FollowPointerMoves values to measure, in order")
    parser.add_argument("--timeout", type=float, default=1.0, help="seconds a move may take to show the halo")
    parser.add_argument("--settings", type=parse_settings, default=[], help="more Glimmora settings, e.g. LowRefresh=1")
    parser.add_argument("--verbose", action="store_true", help="print every move")
    args = parser.parse_args()
    require("Glimmora.exe", "TargetWindow.exe")
    import_xlib()
    print("load average %.2f %.2f %.2f" % os.getloadavg(), flush=True)
    failed = False
    for follow in (int(m) for m in args.modes.split(",")):
        delays, timeouts, unclean = run_mode(follow, args.moves, args.settings, args.timeout, args.verbose)
        print("FollowPointerMoves=%d: moves %d, halo seen %d, none in time %d, background not restored %d" % (
            follow, args.moves, len(delays), timeouts, unclean))
        if delays:
            print("  median %.1f ms, 90th percentile %.1f ms, worst %.1f ms" % (
                statistics.median(delays), nearest_rank(delays, 0.9), max(delays)), flush=True)
        failed |= not delays or bool(timeouts)
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    raise SystemExit(1 if failed else 0)


if __name__ == "__main__":
    main()
