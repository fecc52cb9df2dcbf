#!/usr/bin/env python3
"""What Glimmora costs at rest, with every overlay on, against the floors, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/rest_cost.py [--bin [LABEL=]DIR ...] [--seconds 10] [--rounds 5] [--settings K=V,...] [--json FILE]

e.g. python3 bench/rest_cost.py --bin before=/work/bin-before --bin after=build/win64/bin --json rest.json

It starts its own Xvfb, xcompmgr and one wineserver that serve every phase. Each round runs, one
after the other, in an order that turns by one each round: the bare window (BareTimer.exe
--window: a visible self-painted window, no timer), the bare 15 ms reader (BareTimer.exe: one
timer reading the pointer) and Glimmora.exe from each --bin folder (default build/win64/bin)
with every overlay on (cpu_ratio.py's every-overlay settings, and --settings over them, e.g.
ClickSounds=1). Each program is given --settle seconds to stand, the pointer is moved once to
the middle of the screen, then left still with the keys for --still seconds so that a tick that
stops at rest has stopped; then, over --seconds, it counts:
  wakeups/s  the context switches (voluntary + involuntary) of every thread of the Windows
             process, from /proc/<pid>/task/*/status;
  CPU        utime + stime of that process and of the wineserver, apart and summed.
Reported: the median of each figure per program over the rounds, and for each Glimmora:
wakeups/s above the bare window's (bar: <= 20) and its CPU sum against the bare reader's
(bar: <= 0.5 x). --json writes every round's figures. The helper programs come from
GLIMMORA_BIN (default build/win64/bin); WINEPREFIX and BENCH_DISPLAY as for cpu_ratio.py.
"""
import argparse
import json
import os
import statistics
import subprocess
import time

from cpu_ratio import (BIN, EVERY_OVERLAY, add_bin_option, chosen_bins, cpu_seconds, parse_settings, require,
                       settings_put_aside, start_display, stop_display, wineserver_pid, write_settings)

BARE_WINDOW, BARE_READER = "bare window", "bare 15 ms reader"
WAKEUP_BAR = 20
CPU_BAR = 0.5
FIGURES = ("wakeups_per_s", "cpu_process", "cpu_wineserver", "cpu_sum")


def children(pid):
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as f:
                if int(f.read().rsplit(")", 1)[1].split()[1]) == pid:
                    found.append(int(entry))
        except OSError:
            pass
    return found


def windows_process(launched, exe):
    """The pid of the Wine process that runs exe: `wine X.exe` execs its loader in the same pid,
    whose command line becomes the Windows path of X.exe; a child is searched too in case a
    loader forks instead."""
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        pending = [launched.pid]
        while pending:
            pid = pending.pop()
            try:
                with open("/proc/%d/cmdline" % pid, "rb") as f:
                    first = f.read().split(b"\0")[0].decode(errors="replace")
            except OSError:
                continue
            if first.replace("\\", "/").lower().endswith("/" + exe.lower()):
                return pid
            pending += children(pid)
        time.sleep(0.1)
    raise SystemExit("no Wine process runs %s under pid %d" % (exe, launched.pid))


def wakeups(pid):
    """Context switches of every live thread of the process so far."""
    total = 0
    task_dir = "/proc/%d/task" % pid
    for task in os.listdir(task_dir):
        try:
            with open(os.path.join(task_dir, task, "status")) as f:
                total += sum(int(line.split()[1]) for line in f
                             if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")))
        except OSError:
            pass
    return total


def measure(env, argv, seconds, settle, still):
    """Starts the program, lets it stand and rest, and returns its figures over the interval."""
    exe = os.path.basename(argv[0])
    launched = subprocess.Popen(["wine"] + argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                stdin=subprocess.DEVNULL)
    try:
        pid = windows_process(launched, exe)
        time.sleep(settle)
        if launched.poll() is not None:
            raise SystemExit("%s ended early (exit code %s)" % (exe, launched.returncode))
        # Two steps: the pointer may already be in the middle, and a move to where it is moves nothing.
        subprocess.run(["xdotool", "mousemove", "600", "360", "sleep", "0.1", "mousemove", "640", "400"], env=env,
                       check=True)
        time.sleep(still)
        server = wineserver_pid()
        before = (wakeups(pid), cpu_seconds(pid), cpu_seconds(server))
        start = time.monotonic()
        time.sleep(seconds)
        after = (wakeups(pid), cpu_seconds(pid), cpu_seconds(server))
        wall = time.monotonic() - start
        if launched.poll() is not None:
            raise SystemExit("%s ended while measured (exit code %s)" % (exe, launched.returncode))
        # CPU as seconds over the nominal interval, so that rounds of a slightly longer wall compare.
        process, wineserver = ((b - a) * seconds / wall for a, b in zip(before[1:], after[1:]))
        return dict(wakeups_per_s=(after[0] - before[0]) / wall, cpu_process=process, cpu_wineserver=wineserver,
                    cpu_sum=process + wineserver)
    finally:
        launched.kill()
        launched.wait()
        time.sleep(1)


def report(rounds, glimmoras, seconds):
    medians = {label: {f: statistics.median(r[label][f] for r in rounds) for f in FIGURES} for label in rounds[0]}
    print("\nmedians over %d rounds; CPU in seconds over %.0f s" % (len(rounds), seconds))
    print("%-28s %10s %12s %15s %9s" % ("program", "wakeups/s", "CPU process", "CPU wineserver", "CPU sum"))
    for label, m in medians.items():
        print("%-28s %10.1f %12.3f %15.3f %9.3f" % (label, *(m[f] for f in FIGURES)))
    checks = {}
    window, reader = medians[BARE_WINDOW], medians[BARE_READER]
    for label in glimmoras:
        above = medians[label]["wakeups_per_s"] - window["wakeups_per_s"]
        ratio = medians[label]["cpu_sum"] / reader["cpu_sum"] if reader["cpu_sum"] > 0 else float("inf")
        checks[label] = dict(wakeups_above_bare_window=above, wakeups_met=above <= WAKEUP_BAR,
                             cpu_to_bare_reader=ratio, cpu_met=ratio <= CPU_BAR)
        print("%s: wakeups/s above the bare window %.1f (bar <= %d: %s); CPU sum / bare reader's %.2f (bar <= %.1f: %s)"
              % (label, above, WAKEUP_BAR, "met" if above <= WAKEUP_BAR else "NOT met", ratio, CPU_BAR,
                 "met" if ratio <= CPU_BAR else "NOT met"))
    return medians, checks


def main():
    parser = argparse.ArgumentParser(description="Wakeups and CPU of Glimmora at rest against a bare window and a bare timer.")
    add_bin_option(parser)
    parser.add_argument("--seconds", type=float, default=10.0, help="seconds measured per phase")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--settle", type=float, default=4.0, help="seconds for a program to stand before the pointer moves")
    parser.add_argument("--still", type=float, default=2.0, help="seconds of rest after that move before measuring")
    parser.add_argument("--json", help="file for every round's figures")
    parser.add_argument("--settings", type=parse_settings, default=[], help="more Glimmora settings, e.g. ClickSounds=1")
    args = parser.parse_args()
    bins = chosen_bins(args)
    require("BareTimer.exe")
    for _, folder in bins:
        require("Glimmora.exe", "dsmouse.dll", folder=folder)
    programs = [(BARE_WINDOW, [os.path.join(BIN, "BareTimer.exe"), "--window"], None),
                (BARE_READER, [os.path.join(BIN, "BareTimer.exe")], None)]
    programs += [("Glimmora %s" % label, [os.path.join(folder, "Glimmora.exe")], parse_settings(EVERY_OVERLAY) + args.settings)
                 for label, folder in bins]
    load = os.getloadavg()
    print("load average %.2f %.2f %.2f" % load, flush=True)
    env, display = start_display()
    rounds = []
    try:
        with settings_put_aside():
            for r in range(max(1, args.rounds)):
                turn = r % len(programs)
                figures = {}
                for label, argv, settings in programs[turn:] + programs[:turn]:
                    write_settings(settings)
                    figures[label] = measure(env, argv, args.seconds, args.settle, args.still)
                    print("round %d: %-28s %7.1f wakeups/s, CPU process %.3f s, wineserver %.3f s" % (
                        r + 1, label, figures[label]["wakeups_per_s"], figures[label]["cpu_process"],
                        figures[label]["cpu_wineserver"]), flush=True)
                rounds.append({label: figures[label] for label, _, _ in programs})
    finally:
        stop_display(display)
    medians, checks = report(rounds, [label for label, _, _ in programs[2:]], args.seconds)
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    if args.json:
        with open(args.json, "w") as f:
            json.dump(dict(seconds=args.seconds, settle=args.settle, still=args.still, bins=dict(bins),
                           load_before=load, rounds=rounds, medians=medians, checks=checks), f, indent=1)


if __name__ == "__main__":
    main()
