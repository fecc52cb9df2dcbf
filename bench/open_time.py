#!/usr/bin/env python3
"""Time from Glimmora's start to its settings window standing fully painted, against a bare
window, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/open_time.py [--bin [LABEL=]DIR ...] [--runs 10]

e.g. python3 bench/open_time.py --bin before=/work/bin-before-trace --bin after=build/win64/bin

It starts its own Xvfb, xcompmgr and one wineserver for the whole run, then in each run starts,
one after the other with no settings file, the bare window (BareTimer.exe --window), the same
window with Glimmora's manifest and the themed controls library (BareThemedWindow.exe --window:
the floor of any window made of the standard controls) and GlimmoraTrace.exe (the program with its test traces) from each --bin folder (default
build/win64/bin). Each notes in the file GLIMMORA_OPEN_TIME_FILE names (bench/OpenTimeNote_win.h)
the moment its window stood fully painted and, for Glimmora, the moment its overlays, hooks
and tray stood, in ms since the process was created (Wine's loading of the DLLs included, as a
bare window pays it too) and since its entry. Each is then closed. Reported per program:
medians over the runs of those and of the wall time from launching the Wine process to the
window shown on the X display (polled with xdotool every 10 ms or so), and for each Glimmora the ratio of its painted
time from creation to the bare window's (bar: <= 1.5) and loaded minus painted (bar: <= 500 ms).
The helper programs come from GLIMMORA_BIN (default build/win64/bin); WINEPREFIX and
BENCH_DISPLAY as for cpu_ratio.py.
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

from cpu_ratio import BIN, add_bin_option, chosen_bins, require, settings_put_aside, start_display, stop_display, \
    write_settings

BARE_WINDOW = "bare window"
BARE_THEMED = "bare themed window"
FLOORS = (BARE_WINDOW, BARE_THEMED)
RATIO_BAR = 1.5
LOADED_BAR_MS = 500
QUIET = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)


def shown(env, title):
    # Asked of X, not of Wine: a Wine process per poll would compete with the start it measures.
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=env,
                          **QUIET).returncode == 0


def read_notes(path):
    """{"painted": (ms from creation, ms from entry), "loaded": (...)} from one run's file; a line
    still being written is left for the next read."""
    notes = {}
    with open(path) as f:
        for line in filter(lambda text: text.endswith("\n"), f):
            words = line.split()
            if len(words) != 3:
                raise SystemExit("%s holds %r: a GlimmoraTrace.exe older than its open-time notes "
                                 "(build one from the current tests/GlimmoraTrace.cpp)" % (path, line.strip()))
            notes[words[0]] = (float(words[1]), float(words[2]))
    return notes


def one_start(env, argv, title, notes_path, wait_loaded):
    """Starts the program, waits for its window and notes, closes it; returns (outside ms, notes)."""
    start = time.monotonic()
    program = subprocess.Popen(["wine", *argv], env=dict(env, GLIMMORA_OPEN_TIME_FILE="Z:" + notes_path), **QUIET)
    try:
        while not shown(env, title):
            if time.monotonic() - start > 30:
                raise SystemExit("no window %r within 30 s" % title)
            time.sleep(0.01)
        outside = 1000 * (time.monotonic() - start)
        wanted = ("painted", "loaded") if wait_loaded else ("painted",)
        while not (os.path.exists(notes_path) and all(w in read_notes(notes_path) for w in wanted)):
            if time.monotonic() - start > 30:
                raise SystemExit("%s noted no %s within 30 s" % (argv[0], " and ".join(wanted)))
            time.sleep(0.1)
        # The same pause for every program, so that each ends from the same state.
        time.sleep(1.0)
        subprocess.run(["wine", os.path.join(BIN, "winctl.exe"), "close", title], env=env, **QUIET)
        program.wait(30)
        # Wine's other processes (the desktop's tray, say) settle before the next start.
        time.sleep(0.5)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    return outside, read_notes(notes_path)


def main():
    parser = argparse.ArgumentParser(description="Start to first full paint of the settings window, against a bare window.")
    add_bin_option(parser)
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    bins = chosen_bins(args)
    require("BareTimer.exe", "BareThemedWindow.exe", "winctl.exe")
    for _, folder in bins:
        require("GlimmoraTrace.exe", "dsmouse.dll", folder=folder)
    programs = [(BARE_WINDOW, [os.path.join(BIN, "BareTimer.exe"), "--window"], "BareWindow"),
                (BARE_THEMED, [os.path.join(BIN, "BareThemedWindow.exe"), "--window"], "BareWindow")]
    programs += [("Glimmora %s" % label, [os.path.join(folder, "GlimmoraTrace.exe")], "Glimmora - Settings")
                 for label, folder in bins]
    print("load average %.2f %.2f %.2f" % os.getloadavg(), flush=True)
    env, display = start_display()
    results = {label: [] for label, _, _ in programs}
    try:
        with settings_put_aside(), tempfile.TemporaryDirectory() as work:
            # One start first that is not counted: the first start in a new server loads every DLL from disk.
            write_settings(None)
            one_start(env, programs[-1][1], programs[-1][2], os.path.join(work, "warm.txt"), True)
            for run in range(args.runs):
                for label, argv, title in programs:
                    write_settings(None)
                    notes_path = os.path.join(work, "%d-%s.txt" % (run, label.replace("/", "_")))
                    results[label].append(one_start(env, argv, title, notes_path, label not in FLOORS))
                print("run %d: %s" % (run + 1, ", ".join("%s painted %.0f ms" % (label, runs[-1][1]["painted"][0])
                                                         for label, runs in results.items())), flush=True)
    finally:
        stop_display(display)

    def median(label, pick):
        return statistics.median(pick(outside, notes) for outside, notes in results[label])

    print("\nmedians over %d runs, in ms" % args.runs)
    print("%-28s %20s %17s %20s %17s %12s" % ("program", "painted since create", "painted since entry",
                                              "loaded since create", "loaded - painted", "window found"))
    for label in results:
        loaded = label not in FLOORS
        print("%-28s %20.0f %17.0f %20s %17s %12.0f" % (
            label, median(label, lambda o, n: n["painted"][0]), median(label, lambda o, n: n["painted"][1]),
            "%.0f" % median(label, lambda o, n: n["loaded"][0]) if loaded else "-",
            "%.0f" % median(label, lambda o, n: n["loaded"][0] - n["painted"][0]) if loaded else "-",
            median(label, lambda o, n: o)))
    bare = median(BARE_WINDOW, lambda o, n: n["painted"][0])
    themed = median(BARE_THEMED, lambda o, n: n["painted"][0])
    print("%s: painted since create / bare window's %.2f" % (BARE_THEMED, themed / bare))
    for label in list(results)[len(FLOORS):]:
        ratio = median(label, lambda o, n: n["painted"][0]) / bare
        later = median(label, lambda o, n: n["loaded"][0] - n["painted"][0])
        print("%s: painted since create / bare window's %.2f (bar <= %.1f: %s); loaded - painted %.0f ms "
              "(bar <= %d: %s)" % (label, ratio, RATIO_BAR, "met" if ratio <= RATIO_BAR else "NOT met", later,
                                   LOADED_BAR_MS, "met" if later <= LOADED_BAR_MS else "NOT met"))
    print("load average %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
