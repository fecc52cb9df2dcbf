#!/usr/bin/env python3
"""CPU of dragging a slider of the settings window, against the same program idle, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/slider_drag.py [--seconds 5] [--slider 1035]

It starts its own Xvfb and xcompmgr and Glimmora.exe with default settings, then measures
the CPU time of the program, the wineserver, Xvfb and the compositor together (as
bench/cpu_ratio.py does) over two intervals of the same length: the pointer still beside
the window, and the left button held on the slider (by default the halo's size, control id
1035) while the pointer sweeps its whole track back and forth. The halo follows every value,
so the drag costs the slider's repaint and the halo's resize and nothing else of the window.
Environment: GLIMMORA_BIN, WINEPREFIX and BENCH_DISPLAY as for bench/cpu_ratio.py.
"""
import argparse
import os
import subprocess
import time

from cpu_ratio import BIN, cpu_seconds, require, settings_put_aside, start_display, stop_display, wineserver_pid, \
    write_settings

TITLE = "Glimmora - Settings"


def slider_rect(env, control_id):
    out = subprocess.run(["wine", os.path.join(BIN, "winctl.exe"), "children", TITLE], env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.decode("utf-8", "replace")
    for line in out.splitlines():
        fields = line.split("\t")
        if len(fields) >= 6 and fields[0] == str(control_id):
            return tuple(map(int, fields[5].split()))
    raise SystemExit("no control %d in the settings window" % control_id)


def cpu(pids, seconds, during=None):
    before = [cpu_seconds(p) for p in pids]
    start = time.monotonic()
    if during:
        during(seconds)
    else:
        time.sleep(seconds)
    wall = time.monotonic() - start
    return sum(cpu_seconds(p) - b for p, b in zip(pids, before)) / wall


def main():
    parser = argparse.ArgumentParser(description="CPU of a slider drag against idle.")
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--slider", type=int, default=1035)
    args = parser.parse_args()
    require("Glimmora.exe", "winctl.exe")
    env, display = start_display()
    try:
        with settings_put_aside():
            write_settings(None)
            program = subprocess.Popen(["wine", os.path.join(BIN, "Glimmora.exe")], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
            time.sleep(5)
            left, top, right, bottom = slider_rect(env, args.slider)
            y = top + (bottom - top) * 2 // 3
            pids = [program.pid, wineserver_pid()] + [p.pid for p in display]
            subprocess.run(["xdotool", "mousemove", str(right + 150), str(y)], env=env, check=True)
            time.sleep(1)
            idle = cpu(pids, args.seconds)

            def sweep(seconds):
                # One xdotool process: a step every 10 ms, end to end and back.
                steps, xs = int(seconds / 0.01), []
                for i in range(steps):
                    phase = (i % 100) / 50.0
                    xs.append(int(left + (right - left) * (phase if phase <= 1 else 2 - phase)))
                command = ["xdotool", "mousemove", str(xs[0]), str(y), "mousedown", "1"]
                for x in xs:
                    command += ["mousemove", str(x), str(y), "sleep", "0.01"]
                subprocess.run(command + ["mouseup", "1"], env=env, check=True)

            dragging = cpu(pids, args.seconds, sweep)
            program.kill()
            program.wait()
    finally:
        stop_display(display)
    print("idle, pointer still: %5.1f %% of a core" % (100 * idle))
    print("dragging the slider: %5.1f %% of a core (%.1f x idle)" % (100 * dragging, dragging / idle if idle else 0))


if __name__ == "__main__":
    main()
