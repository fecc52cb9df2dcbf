#!/usr/bin/env python3
"""CPU cost of Glimmora as a multiple of the least a pointer-following program can cost.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/cpu_ratio.py [SECONDS] [--seconds SECONDS] [--settings KEY=VALUE,...] [--rounds N]

It starts its own Xvfb and xcompmgr, then measures four phases of the same length (SECONDS,
default 25): the bare program (bench/BareTimer.cpp: one 15 ms timer reading the pointer) with
the pointer still and with the pointer moving, then Glimmora the same two ways. Glimmora runs
with all defaults (no settings file), or with --settings written as the only keys of its
per-user settings file, e.g. --settings Crosshair=1,MouseImage=1. --settings every-overlay
switches every overlay on, the keyboard display listing keys of every class: listing is
switched on by the key classes (ListSpecialKeys, ListCharacterKeys, ...); "ListAnyKeys" only
records that one of them is on and lists nothing by itself.
A phase's cost is the CPU time (utime + stime from /proc/<pid>/stat) of the program, the
wineserver, Xvfb and the compositor together over that interval: under Wine much of a
window's cost is paid by the server and the display, not by the program itself. The pointer
moves through one xdotool process (not counted) along the same path in both moving phases.
The results are the two ratios Glimmora / bare program.
One run of the four phases varies by a third or more on a machine shared with other work:
the same idle program, with the same wineserver requests and X requests, costs up to twice
as much CPU in one run as in the next, in every counted process at once. --rounds N repeats
the four phases N times and reports the median of the N ratios; compare configurations with
--rounds 5 or more, not with single runs. Environment: GLIMMORA_BIN and
WINEPREFIX override build/win64/bin and build/win64/wineprefix-bench (also when GLIMMORA_BIN
names another folder; the prefix is made once if missing); BENCH_DISPLAY is the first X display
number tried (default 200). The benchmarks keep a prefix apart from the tests' because each
display they stop takes its Wine server, and every process of that prefix, with it.
"""
import argparse
import contextlib
import os
import re
import shutil
import statistics
import subprocess
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BIN = os.environ.get("GLIMMORA_BIN") or os.path.join(ROOT, "build", "win64", "bin")
PREFIX = os.path.realpath(os.environ.get("WINEPREFIX") or os.path.join(ROOT, "build", "win64", "wineprefix-bench"))
INI = os.path.join(PREFIX, "drive_c", "users", "root", "AppData", "Roaming", "Glimmora", "Glimmora.ini")
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


def require(*exes, folder=BIN):
    for exe in exes:
        if not os.path.exists(os.path.join(folder, exe)):
            raise SystemExit("missing %s: build win64 first (scripts/run.sh or scripts/test.sh)" % os.path.join(folder, exe))


def bin_choice(text):
    """--bin value "DIR" or "LABEL=DIR" -> (label, absolute folder); a bare DIR is its own label."""
    label, sep, folder = text.partition("=")
    if not sep:
        label, folder = text, text
    folder = os.path.abspath(folder)
    if not os.path.isdir(folder):
        raise argparse.ArgumentTypeError("%s is not a folder" % folder)
    return label, folder


def add_bin_option(parser):
    parser.add_argument("--bin", dest="bins", action="append", type=bin_choice, metavar="[LABEL=]DIR",
                        help="a folder whose Glimmora to measure (repeatable; default %s); the helper "
                             "programs always come from %s" % (BIN, BIN))


def chosen_bins(args):
    return args.bins or [(os.path.relpath(BIN, ROOT) if BIN.startswith(ROOT + os.sep) else BIN, BIN)]


def start_display():
    """Xvfb and xcompmgr on a free display; returns the environment for programs on it and both processes."""
    first = int(os.environ.get("BENCH_DISPLAY") or 200)
    n = next(n for n in range(first, first + 60) if not os.path.exists("/tmp/.X11-unix/X%d" % n)
             and not os.path.exists("/tmp/.X%d-lock" % n))
    env = dict(os.environ, DISPLAY=":%d" % n, WINEPREFIX=PREFIX, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    xcompmgr = subprocess.Popen(["xcompmgr"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["bash", "-c", '. "$0/scripts/display.sh" && make_wine_prefix "$1"', ROOT, PREFIX], env=env,
                   check=True)
    # A wineserver that outlives each program, so that every phase counts the same server.
    subprocess.run(["wineserver", "-p30"], env=env)
    return env, [xvfb, xcompmgr]


def stop_display(processes):
    # A server that outlived its display would serve the next display's programs with the old
    # one's desktop: presses and moves then stopped reaching the overlays.
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=PREFIX))
    # The compositor first, so that it does not complain about the display going away.
    for p in reversed(processes):
        p.terminate()
        p.wait()


# Every overlay on: halo (by default), click rings (by default), cross hair, mouse image and
# the keyboard display listing every class of key.
EVERY_OVERLAY = ("Crosshair=1,MouseImage=1,ListSpecialKeys=1,ListCharacterKeys=1,ListCharacterSpecialKeys=1,"
                 "ListCursorKeys=1,ListFunctionKeys=1,ListInputKeys=1,ListMouseButtons=1")


def parse_settings(text):
    """"Crosshair=1,MouseImage=1" -> [("Crosshair", 1), ("MouseImage", 1)]; every key holds an integer."""
    if text == "every-overlay":
        text = EVERY_OVERLAY
    pairs = []
    for item in filter(None, (part.strip() for part in text.split(","))):
        match = re.fullmatch(r"(\w+)\s*=\s*(-?\d+)", item)
        if not match:
            raise argparse.ArgumentTypeError("%r is not KEY=INTEGER" % item)
        pairs.append((match.group(1), int(match.group(2))))
    return pairs


def write_settings(pairs):
    """Makes the per-user settings file hold exactly these keys; None leaves no file (all defaults)."""
    if os.path.exists(INI):
        os.remove(INI)
    if pairs is not None:
        os.makedirs(os.path.dirname(INI), exist_ok=True)
        with open(INI, "w", newline="\r\n") as f:
            f.write("[Settings]\n" + "".join("%s=%d\n" % pair for pair in pairs))


@contextlib.contextmanager
def settings_put_aside():
    """The benchmark writes its own settings file; a user's or a test run's is put back afterwards."""
    saved = INI + ".bench-saved"
    if os.path.exists(INI):
        shutil.move(INI, saved)
    try:
        yield
    finally:
        if os.path.exists(INI):
            os.remove(INI)
        if os.path.exists(saved):
            shutil.move(saved, INI)


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
    parser = argparse.ArgumentParser(description="CPU of Glimmora under Wine against a bare 15 ms timer program.")
    parser.add_argument("phase", nargs="?", type=float, help="seconds per phase (same as --seconds)")
    parser.add_argument("--seconds", type=float, help="seconds per phase (default 25)")
    parser.add_argument("--settings", type=parse_settings, help="Glimmora settings, e.g. Crosshair=1,MouseImage=1")
    parser.add_argument("--rounds", type=int, default=1, help="repeat the four phases; the median ratio is reported")
    args = parser.parse_args()
    seconds = args.seconds or args.phase or 25.0
    rounds = max(1, args.rounds)
    require("BareTimer.exe", "Glimmora.exe")
    print("load average %.2f %.2f %.2f; Glimmora settings: %s" % (
        *os.getloadavg(), ", ".join("%s=%d" % p for p in args.settings) if args.settings else "defaults"))
    env, display = start_display()
    try:
        ratios = {False: [], True: []}
        with settings_put_aside():
            for round_index in range(rounds):
                results = {}
                for exe in ("BareTimer.exe", "Glimmora.exe"):
                    for moving in (False, True):
                        write_settings(args.settings if exe == "Glimmora.exe" else None)
                        rate, parts = measure(env, exe, seconds, moving, [p.pid for p in display],
                                              4.0 if exe == "Glimmora.exe" else 1.5)
                        results[exe, moving] = rate
                        print("%s%-14s pointer %-6s %6.2f %% of a core  (program %.2f s, wineserver %.2f s, Xvfb %.2f s,"
                              " xcompmgr %.2f s over %.0f s)" % ("round %d: " % (round_index + 1) if rounds > 1 else "",
                                                                 exe, "moving" if moving else "still", 100 * rate,
                                                                 *parts, seconds), flush=True)
                for moving in (False, True):
                    bare = results["BareTimer.exe", moving]
                    ratios[moving].append(results["Glimmora.exe", moving] / bare if bare > 0 else float("inf"))
        for moving in (False, True):
            detail = " (median of %d rounds: %s)" % (rounds, " ".join("%.2f" % r for r in ratios[moving])) \
                if rounds > 1 else ""
            print("Glimmora / bare program, pointer %s: %.2f%s" % ("moving" if moving else "still",
                                                                  statistics.median(ratios[moving]), detail))
    finally:
        stop_display(display)


if __name__ == "__main__":
    main()
