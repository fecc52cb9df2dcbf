"""Shared by the package tests: the packages made from the build under test by the very
script the release uses, and the version texts to check them against."""

import os
import subprocess

from screen import check, log
from version_info import version_info

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def version():
    with open(os.path.join(ROOT, "VERSION")) as f:
        return f.readline().strip()


def make_packages(h, arch="x86_64"):
    """(zip, installer) of the build whose bin folder the harness runs, written into its work folder."""
    build = os.path.dirname(h.bin)
    r = subprocess.run(["bash", os.path.join(ROOT, "scripts", "make_packages.sh"), build, arch, h.work],
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    out = r.stdout.decode("utf-8", "replace")
    check(r.returncode == 0, "make_packages.sh failed:\n" + out)
    paths = out.split()
    check(len(paths) == 2, "make_packages.sh printed %r, expected the zip and the installer" % out)
    for path in paths:
        log("made", os.path.basename(path), os.path.getsize(path), "bytes")
    return paths[0], paths[1]


def product_version(data):
    """The ProductVersion text of a PE file's version information (bytes of the file)."""
    info = version_info(data)
    return info.get("ProductVersion") if info else None
