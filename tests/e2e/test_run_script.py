"""`bash scripts/run.sh` as a newcomer runs it on a machine without a display: it ends with
0, says where its screenshot is (a picture of the right size, taken during this run), and
leaves nothing of its own running: not its virtual display, its compositor, its prefix's Wine
server or Glimmora.

Catches: a run that ends with a killed child's status (143) instead of 0, a display or
compositor left behind by a clean-up that stops half-way, a lingering Wine server."""
import os
import re
import subprocess
import sys
import time

from harness import BIN, ROOT
from procs import proc_file, proc_prefix as prefix_of

BUILD = os.path.dirname(os.path.dirname(os.path.abspath(BIN)))  # the folder run.sh builds under
WATCHED = ("Xvfb", "xcompmgr", "wineserver", "Glimmora.exe", "winctl.exe")
RUN_PREFIX = os.path.realpath(os.path.join(BUILD, "wineprefix-run"))


def own_processes(display=None):
    """pid -> command of every process of a kind run.sh starts: Wine's of its prefix, and X's of its
    display once known (other tests on this machine run their own)."""
    found = {}
    for pid in (int(e) for e in os.listdir("/proc") if e.isdigit()):
        command = proc_file(pid, "cmdline").replace(b"\0", b" ").decode("utf-8", "replace").strip()
        first = os.path.basename(command.split(" ", 1)[0]) if command else ""
        if first.startswith("wineserver") or any(exe in command for exe in WATCHED[3:]):   # wineserver64 too
            mine = prefix_of(pid) == RUN_PREFIX
        else:
            mine = first in WATCHED[:2] and (not display or display in command.split() or
                                             b"DISPLAY=" + display.encode() in proc_file(pid, "environ").split(b"\0"))
        if mine:
            found[pid] = command
    return found


def main():
    before = own_processes()
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEPREFIX")}
    env["GLIMMORA_BUILD"] = BUILD
    started = time.time()
    run = subprocess.run(["bash", os.path.join(ROOT, "scripts", "run.sh")], env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=170)
    out = run.stdout.decode("utf-8", "replace")
    print(out[-2000:])
    faults = []
    if run.returncode != 0:
        faults.append("run.sh ended with %d, not 0" % run.returncode)
    shot = re.search(r"Screenshot of Glimmora .*: (\S+\.png)", out)
    if not shot:
        faults.append("run.sh did not say where its screenshot is")
    else:
        path = shot.group(1)
        if not os.path.isfile(path) or os.path.getmtime(path) < started:
            faults.append("no screenshot of this run at %s" % path)
        else:
            size = subprocess.run(["identify", "-format", "%wx%h", path], stdout=subprocess.PIPE).stdout.decode()
            if size != "1280x800":
                faults.append("the screenshot is %s, not the virtual display's 1280x800" % size)
    # Whatever run.sh started has to be gone by the time it returns, give or take a moment
    # for the kernel to reap it.
    display = (re.findall(r"Virtual display (:\d+)", out) or [None])[0]
    deadline = time.monotonic() + 2
    while True:
        left = {pid: cmd for pid, cmd in own_processes(display).items() if pid not in before}
        if not left or time.monotonic() > deadline:
            break
        time.sleep(0.1)
    for pid, cmd in sorted(left.items()):
        faults.append("left running: %d %s" % (pid, cmd[:120]))
    for fault in faults:
        print("FAILED:", fault)
    print("PASSED run_script" if not faults else "FAILED run_script", flush=True)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
