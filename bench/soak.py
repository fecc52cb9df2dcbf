#!/usr/bin/env python3
"""Whole-program soak: Glimmora used as a presenter would for a long time, under Wine.

Run after a win64 build (scripts/test.sh or scripts/run.sh made build/win64):

    python3 bench/soak.py [--minutes 30]

It starts its own Xvfb and xcompmgr (through the screen-test harness), a target window and
GlimmoraTrace.exe (the program with its test traces), then repeats rounds of scripted use
until the time is up: left, middle, right and double clicks, wheel turns, typing into the
target, the blink and pause shortcuts, every dialog opened from its button, key or menu
entry and closed again, and a switch of language through the menu. Every 10 s the program
writes the live counts of its handle layer (GDI objects, DCs, windows, timers, hooks); after
each round the resident memory is read. Reported: the counts and the memory after the first
round and at the end, their largest values, and whether the program stayed alive and
answering. Environment: GLIMMORA_BIN, WINEPREFIX as for the screen tests.
"""
import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import *  # noqa: E402

SETTINGS_IDS = {"cmdClickOptions": 1015, "cmdKeyOptions": 1053, "cmdHotkeySpot": 1032, "cmdHotkeyButtons": 1012}
OUR_CLASSES = ("Glimmora_frmSet", "Glimmora_Program")


def counts(path):
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [tuple(int(float(v)) for v in line.split()) for line in f if line.strip()]


def dialogs_open(h, pid):
    """Shown top-level windows of the program other than the settings window and overlays."""
    return [w for w in h.windows() if w["pid"] == pid and w["visible"] and w["title"]
            and w["title"] != SETTINGS_TITLE and (w["exstyle"] & LAYERED_TRANSPARENT) != LAYERED_TRANSPARENT]


def close_dialogs(h, pid):
    for w in dialogs_open(h, pid):
        h.winctl("close", w["title"])
    time.sleep(0.3)


def menu_keys(h, *keys):
    h.winctl("focus", SETTINGS_TITLE)
    wid = subprocess.run(["xdotool", "search", "--name", SETTINGS_TITLE], env=h.env, stdout=subprocess.PIPE).stdout.split()
    if wid:
        subprocess.run(["xdotool", "windowfocus", wid[0]], env=h.env, stderr=subprocess.DEVNULL)
    time.sleep(0.2)
    h.xdotool("key", "--delay", "120", *keys)
    time.sleep(0.5)


def one_round(h, pid, spots, language):
    # Clicks of every kind and the wheel, over the target.
    for (x, y), button in zip(spots, (1, 2, 3, 1)):
        h.move(x, y)
        h.xdotool("click", button)
        time.sleep(0.15)
    h.xdotool("click", "--repeat", 2, "--delay", 80, 1)
    for button in (4, 4, 5, 5):
        h.xdotool("click", button)
        time.sleep(0.05)
    # Typing, and the two default shortcuts (blink, then pause and back).
    h.focus_target()
    h.type_keys(["s", "o", "a", "k", "space", "1", "Return"])
    for chord in (("shift", "ctrl", "y"), ("shift", "ctrl", "a"), ("shift", "ctrl", "a")):
        h.press(*chord)
        time.sleep(0.6)
    # Every dialog from its entry point, then closed.
    for name, control in SETTINGS_IDS.items():
        h.winctl("press", SETTINGS_TITLE, str(control))
        time.sleep(0.5)
        close_dialogs(h, pid)
    menu_keys(h, "F1")  # help
    close_dialogs(h, pid)
    menu_keys(h, "F10", *(["Down"] * 5), "Return")  # Options
    close_dialogs(h, pid)
    menu_keys(h, "F10", *(["Down"] * 7), "Return")  # boundary window
    close_dialogs(h, pid)
    # Another language through the menu.
    menu_keys(h, "F10", *(["Down"] * 4), "Right", *(["Down"] * language), "Return")


def main(h):
    parser = argparse.ArgumentParser(description="Whole-program soak under Wine.")
    parser.add_argument("--minutes", type=float, default=30.0)
    args = parser.parse_args()
    live = os.path.join(h.work, "live-counts.txt")
    h.no_settings()
    h.start_target(focus=True)
    p = h.start_glimmora("GlimmoraTrace.exe", env={"GLIMMORA_LIVE_COUNTS_FILE": wine_path(live)})
    pid = next(w["pid"] for w in h.windows() if w["title"] == SETTINGS_TITLE)
    spots = h.free_points(4, 60)
    end = time.monotonic() + 60 * args.minutes
    rounds, memory = 0, []
    while time.monotonic() < end:
        one_round(h, pid, spots, rounds % 7)
        rounds += 1
        check(p.poll() is None, "Glimmora ended in round %d (exit code %s)" % (rounds, p.returncode))
        rc, _ = h.winctl("responsive", SETTINGS_TITLE)
        check(rc == 0, "the settings window stopped answering in round %d" % rounds)
        memory.append(rss_kib(p.pid))
        if rounds == 1 or rounds % 10 == 0:
            log("round %d: resident %d KiB; live counts %s" % (rounds, memory[-1], (counts(live) or [None])[-1]))
    menu_keys(h, "F10", *(["Down"] * 4), "Right", "Return")  # back to English
    samples = counts(live)
    check(len(samples) >= 3, "too few live-count samples (%d)" % len(samples))
    first, last = samples[1], samples[-1]
    names = ("GDI objects", "DCs", "windows", "timers", "hooks")
    print("%d rounds in %.0f minutes" % (rounds, args.minutes))
    for i, name in enumerate(names):
        values = [s[i + 1] for s in samples[1:]]
        print("%-12s after the first round %5d, at the end %5d, largest %5d" % (name, first[i + 1], last[i + 1],
                                                                             max(values)))
    print("resident memory after the first round %d KiB, at the end %d KiB, largest %d KiB"
          % (memory[0], memory[-1], max(memory)))
    check(h.stop_glimmora(p) == 0, "Glimmora did not end cleanly")


run(main)
