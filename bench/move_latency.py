#!/usr/bin/env python3
"""Time from a pointer move to the halo on screen at the new place, end to end, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/move_latency.py [--moves 200] [--modes 1,0] [--settings LowRefresh=1] [--rest 0]
                                  [--sample DX,DY] [--bin [LABEL=]DIR ...] [--verbose]

e.g. python3 bench/move_latency.py --moves 20 --modes 1 --rest 2 --bin before=/work/bin-before --bin after=build/win64/bin
     python3 bench/move_latency.py --settings Halo=0,BigPointer=1 --sample 8,40   # the big pointer instead

For each value of FollowPointerMoves in --modes (1: the hook's move message places the halo
at once; 0: the tracking tick alone follows) it starts its own Xvfb and xcompmgr, a
TargetWindow.exe of one known colour over the whole screen and Glimmora.exe with the halo
opaque and nothing else on. The pointer jumps through XTest between two points 250 px apart
(further than the halo's reach), and one pixel 40 px left of the new place (inside the halo,
clear of the pointer's image; --sample moves that pixel, e.g. into the big pointer's arrow, and
--settings override the halo's) is read with XGetImage until it leaves the target's colour.
Each jump waits a random 40..70 ms after the last one settled, so that jumps fall on every
phase of the tick; --rest SECONDS adds that much stillness of pointer and keys before each
jump, so that a jump finds a tick that stops at rest stopped. Reported per mode and per --bin
folder (default build/win64/bin; each mode of each on a display of its own): median, 90th
percentile and worst delay in ms. The helper programs come from GLIMMORA_BIN (default
build/win64/bin); WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import os
import random
import statistics
import time

from cpu_ratio import add_bin_option, parse_settings
from ring_latency import (START, clean_background, glimmora_on_target, glimmoras_on_target, is_target, nearest_rank,
                          wait_until)

JUMP = 250
SAMPLE_DX = -40
BASE_SETTINGS = "Halo=1,HaloTrans=0,HaloRing=0,HaloFullScreen=0,Crosshair=0,MouseImage=0,ShowKeysWindow=0"


def run_mode(folder, follow, moves, extra, timeout, rest, sample, verbose):
    settings = list(dict(parse_settings(BASE_SETTINGS) + [("FollowPointerMoves", follow)] + extra).items())
    spots = [START, (START[0] + JUMP, START[1])]
    delays, timeouts, unclean = [], 0, 0
    with glimmora_on_target(settings, START, folder=folder) as (env, screen):
        screen.move(*spots[0])
        time.sleep(0.5)
        for n in range(1, moves + 1):
            x, y = spots[n % 2]
            sx, sy = x + sample[0], y + sample[1]
            if not clean_background(screen, sx, sy):
                unclean += 1
                continue
            time.sleep(rest + random.uniform(0.04, 0.07))
            screen.move(x, y)
            delay = wait_until(lambda: not is_target(screen.pixel(sx, sy)), timeout, 0.0002)
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
    parser.add_argument("--rest", type=float, default=0.0, help="seconds of stillness before each jump")
    parser.add_argument("--sample", type=lambda t: tuple(int(v) for v in t.split(",")), default=(SAMPLE_DX, 0),
                        help="the pixel read, from the pointer: DX,DY")
    parser.add_argument("--verbose", action="store_true", help="print every move")
    add_bin_option(parser)
    args = parser.parse_args()
    bins = glimmoras_on_target(args)
    print("load average %.2f %.2f %.2f; rest before each jump %.1f s" % (*os.getloadavg(), args.rest), flush=True)
    failed = False
    for (label, folder), follow in ((b, int(m)) for b in bins for m in args.modes.split(",")):
        delays, timeouts, unclean = run_mode(folder, follow, args.moves, args.settings, args.timeout, args.rest,
                                             args.sample, args.verbose)
        print("Glimmora %s, FollowPointerMoves=%d: moves %d, halo seen %d, none in time %d, background not "
              "restored %d" % (label, follow, args.moves, len(delays), timeouts, unclean))
        if delays:
            print("  median %.1f ms, 90th percentile %.1f ms, worst %.1f ms" % (
                statistics.median(delays), nearest_rank(delays, 0.9), max(delays)), flush=True)
        failed |= not delays or bool(timeouts)
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    raise SystemExit(1 if failed else 0)


if __name__ == "__main__":
    main()
