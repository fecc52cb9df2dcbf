"""Every button and wheel action reaches the program's mouse-event dispatcher once, with
the right code: left press/release, a double-click, middle and right clicks, and the wheel
both ways (GlimmoraTrace.exe writes one "<code> <data>" line per dispatched event).

Catches: a hook that misses presses or releases, a press counted twice (from both hooks),
a double-click not recognised or reported for slow clicks, swapped buttons, and a wheel sign
turned round."""
import os
import time

from harness import *

LEFT_UP, LEFT_DOWN, LEFT_DOUBLE = 1, 2, 3
MIDDLE_UP, MIDDLE_DOWN = 4, 5
RIGHT_UP, RIGHT_DOWN = 7, 8
RELEASES = {LEFT_UP, MIDDLE_UP, RIGHT_UP}


def read_events(path):
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [tuple(int(v) for v in line.split()) for line in f if line.strip()]


def collapse(events):
    """A release may come from two sources: one or two identical release lines in a row
    stand for one release. Anything else is kept as it is."""
    out, i = [], 0
    while i < len(events):
        out.append(events[i])
        if events[i][0] in RELEASES and i + 1 < len(events) and events[i + 1] == events[i]:
            i += 1
        i += 1
    return out


def main(h):
    h.no_settings()
    h.start_target()
    trace = os.path.join(h.work, "events.txt")
    check(os.path.exists(os.path.join(h.bin, "GlimmoraTrace.exe")), "GlimmoraTrace.exe is not built")
    h.start_glimmora("GlimmoraTrace.exe", env={"GLIMMORA_TRACE_FILE": wine_path(trace)})
    x, y = h.free_points(1, 60)[0]
    h.move(x, y)
    time.sleep(0.2)

    steps = [
        ("left press", ["mousedown", 1], [(LEFT_DOWN, 0)]),
        ("left release", ["mouseup", 1], [(LEFT_UP, 0)]),
        ("double-click", ["click", "--repeat", 2, "--delay", 80, 1],
         [(LEFT_DOWN, 0), (LEFT_UP, 0), (LEFT_DOUBLE, 0), (LEFT_UP, 0)]),
        ("middle click", ["click", 2], [(MIDDLE_DOWN, 0), (MIDDLE_UP, 0)]),
        ("right click", ["click", 3], [(RIGHT_DOWN, 0), (RIGHT_UP, 0)]),
        ("wheel up", ["click", 4], [(0, 1)]),
        ("wheel down", ["click", 5], [(0, -1)]),
        ("two slow left clicks", ["click", "--repeat", 2, "--delay", 700, 1],
         [(LEFT_DOWN, 0), (LEFT_UP, 0), (LEFT_DOWN, 0), (LEFT_UP, 0)]),
    ]
    expected = []
    for name, action, events in steps:
        expected += events
        h.xdotool(*action)
        deadline = time.monotonic() + 3
        while collapse(read_events(trace)) != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        got = read_events(trace)
        check(collapse(got) == expected, "after the %s the trace reads %s, expected %s (releases may be doubled)"
              % (name, got, expected))
        log(name, "ok")
        # Longer than the double-click time, so that the next press is a fresh one.
        time.sleep(0.6)
    # Nothing late: a second report of a press would arrive within this time.
    time.sleep(0.5)
    got = read_events(trace)
    check(collapse(got) == expected, "late events: the trace reads %s, expected %s" % (got, expected))
    check(alive(h.processes[-1].pid), "GlimmoraTrace.exe ended during the clicks")


run(main)
