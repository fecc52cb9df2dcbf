#!/usr/bin/env python3
"""CPU cost of Glimmora as a multiple of the least a pointer-following program can cost.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/cpu_ratio.py [seconds per phase, default 25]

It starts its own Xvfb and xcompmgr, then measures four phases of the same length: the bare
program (bench/BareTimer.cpp: one 15 ms timer reading the pointer) with the pointer still and
with the pointer moving, then Glimmora (no settings file, so all defaults) the same two ways.
A phase's cost is the CPU time (utime + stime from /proc/<pid>/stat) of the program, the
wineserver, Xvfb and the compositor together over that interval: under Wine much of a
window's cost is paid by the server and the display, not by the program itself. The pointer
moves through one xdotool process (not counted) along the same path in both moving phases.
The results are the two ratios Glimmora / bare program. Environment: GLIMMORA_BIN and
WINEPREFIX override build/win64/bin and build/win64/wineprefix.
"""
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BIN = os.environ.get("GLIMMORA_BIN") or os.path.join(ROOT, "build", "win64", "bin")
PREFIX = os.path.realpath(os.environ.get("WINEPREFIX") or os.path.join(os.path.dirname(BIN), "wineprefix"))
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / TICK
    except OSError:
        return 0.0


def wineserver_pid():
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                if b"wineserver" not in f.read().split(b"\0")[0]:
                    continue
            with open("/proc/%s/environ" % entry, "rb") as f:
                env = dict(item.split(b"=", 1) for item in f.read().split(b"\0") if b"=" in item)
            if os.path.realpath(env.get(b"WINEPREFIX", b"").decode()) == PREFIX:
                return int(entry)
        except OSError:
            pass
    raise SystemExit("no wineserver runs for %s" % PREFIX)


def pointer_path(seconds):
    """One xdotool command line that moves the pointer round a circle every 20 ms."""
    import math
    steps, args = int(seconds / 0.02), ["xdotool"]
    for i in range(steps):
        a = 2 * math.pi * i / 150
        args += ["mousemove", str(int(640 + 250 * math.cos(a))), str(int(400 + 200 * math.sin(a))), "sleep", "0.02"]
    return args


def measure(env, exe, seconds, moving, display_pids, settle):
    program = subprocess.Popen(["wine", os.path.join(BIN, exe)], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    try:
        time.sleep(settle)
        if program.poll() is not None:
            raise SystemExit("%s ended early (exit code %s)" % (exe, program.returncode))
        subprocess.run(["xdotool", "mousemove", "640", "400"], env=env, check=True)
        time.sleep(0.5)
        pids = [program.pid, wineserver_pid()] + display_pids
        mover = subprocess.Popen(pointer_path(seconds + 1), env=env) if moving else None
        time.sleep(0.2)
        before = [cpu_seconds(p) for p in pids]
        start = time.monotonic()
        time.sleep(seconds)
        after = [cpu_seconds(p) for p in pids]
        wall = time.monotonic() - start
        if mover:
            mover.kill()
            mover.wait()
        parts = [b - a for a, b in zip(before, after)]
        return sum(parts) / wall, parts
    finally:
        program.kill()
        program.wait()
        time.sleep(1)


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 25.0
    for exe in ("BareTimer.exe", "Glimmora.exe"):
        if not os.path.exists(os.path.join(BIN, exe)):
            raise SystemExit("missing %s: build win64 first (scripts/run.sh or scripts/test.sh)" % os.path.join(BIN, exe))
    n = next(n for n in range(200, 260) if not os.path.exists("/tmp/.X11-unix/X%d" % n)
             and not os.path.exists("/tmp/.X%d-lock" % n))
    env = dict(os.environ, DISPLAY=":%d" % n, WINEPREFIX=PREFIX, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    xcompmgr = subprocess.Popen(["xcompmgr"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Measure Glimmora with its defaults; a settings file of a test run is put back afterwards.
    ini = os.path.join(PREFIX, "drive_c", "users", "root", "AppData", "Roaming", "Glimmora", "Glimmora.ini")
    saved = ini + ".bench-saved"
    if os.path.exists(ini):
        shutil.move(ini, saved)
    subprocess.run(["wineserver", "-p30"], env=env)
    try:
        display = [xvfb.pid, xcompmgr.pid]
        results = {}
        for exe in ("BareTimer.exe", "Glimmora.exe"):
            for moving in (False, True):
                rate, parts = measure(env, exe, seconds, moving, display, 4.0 if exe == "Glimmora.exe" else 1.5)
                results[exe, moving] = rate
                print("%-14s pointer %-6s %6.2f %% of a core  (program %.2f s, wineserver %.2f s, Xvfb %.2f s,"
                      " xcompmgr %.2f s over %.0f s)" % (exe, "moving" if moving else "still", 100 * rate, *parts,
                                                         seconds), flush=True)
                if os.path.exists(ini):
                    os.remove(ini)
        for moving in (False, True):
            bare = results["BareTimer.exe", moving]
            ratio = results["Glimmora.exe", moving] / bare if bare > 0 else float("inf")
            print("Glimmora / bare program, pointer %s: %.2f" % ("moving" if moving else "still", ratio))
    finally:
        if os.path.exists(saved):
            shutil.move(saved, ini)
        xcompmgr.terminate()
        xvfb.terminate()
        xcompmgr.wait()
        xvfb.wait()


if __name__ == "__main__":
    main()
