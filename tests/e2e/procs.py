"""What /proc tells of a process: its files, its Wine prefix, whether it still runs, its memory."""
import os
import re

from screen import check


def proc_file(pid, name):
    try:
        with open("/proc/%d/%s" % (pid, name), "rb") as f:
            return f.read()
    except OSError:
        return b""


def proc_prefix(pid):
    for item in proc_file(pid, "environ").split(b"\0"):
        if item.startswith(b"WINEPREFIX="):
            return os.path.realpath(item[11:].decode("utf-8", "replace"))
    return None


def alive(pid):
    stat = proc_file(pid, "stat").decode("latin-1")
    return bool(stat) and stat.rsplit(")", 1)[1].split()[0] != "Z"


def rss_kib(pid):
    m = re.search(rb"VmRSS:\s+(\d+)", proc_file(pid, "status"))
    check(m, "process %d has no resident size (ended?)" % pid)
    return int(m.group(1))
