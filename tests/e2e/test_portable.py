"""The portable zip of the x86_64 build, unpacked onto a drive that Wine reports as
removable (a USB stick): it holds the program, the DLL, the readme and the licence in one
folder named with the version; the program carries that version; started from the stick it
shows the default halo at the pointer, and on closing it keeps its settings beside itself,
writing nothing to %APPDATA%.

Catches: a zip that misses the DLL or the texts, an unpacked program that cannot start
(a runtime DLL left out of the build), a version that differs from VERSION, and a
settings file that a stick leaves behind on the computer."""

import os
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pkg"))
from harness import *
from packages import make_packages, product_version, version

HALO = 100                                              # HaloSize default
INSIDE = blend((0, 0, 0), alpha_from_percent(80), BLUE)   # the default halo over the target


def restart_wineserver(h):
    """Wine reads the drive types when its server starts."""
    subprocess.run(["wineserver", "-k"], env=h.env, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=h.env)
    subprocess.run(["wineserver", "-p30"], env=h.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def set_drive_type(h, drive, kind):
    args = ["reg", "add", r"HKLM\Software\Wine\Drives", "/v", drive, "/d", kind, "/f"] if kind else \
        ["reg", "delete", r"HKLM\Software\Wine\Drives", "/v", drive, "/f"]
    subprocess.run([h.wine_run, *args], env=h.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main(h):
    zip_path, _ = make_packages(h)
    folder = "Glimmora-%s-x86_64" % version()
    check(os.path.basename(zip_path) == folder + "-portable.zip", "the zip is named %s" % os.path.basename(zip_path))
    with zipfile.ZipFile(zip_path) as z:
        names = sorted(n for n in z.namelist() if not n.endswith("/"))
        expected = sorted(folder + "/" + n for n in ("Glimmora.exe", "dsmouse.dll", "readme.txt", "LICENSE.txt"))
        check(names == expected, "the zip holds %s, expected %s" % (names, expected))
        check(product_version(z.read(folder + "/Glimmora.exe")) == version(),
              "Glimmora.exe in the zip carries version %r, VERSION says %r"
              % (product_version(z.read(folder + "/Glimmora.exe")), version()))
        stick = os.path.join(h.work, "stick")
        z.extractall(stick)

    # The first drive letter from R: on that the prefix does not use yet.
    dosdevices = os.path.join(h.prefix, "dosdevices")
    drive = next(d + ":" for d in "rstuvwxy" if not os.path.lexists(os.path.join(dosdevices, d + ":")))
    link = os.path.join(dosdevices, drive)
    os.symlink(stick, link)
    try:
        set_drive_type(h, drive, "floppy")
        restart_wineserver(h)
        h.no_settings()
        h.start_target()
        p = h.start_glimmora("%s\\%s\\Glimmora.exe" % (drive.upper(), folder))

        x, y = h.free_points(1, HALO + 10)[0]
        h.move(x, y)

        def halo_at_pointer(s):
            check(close_to(s.pixel(x, y), INSIDE, 4), "at the pointer (%d, %d) the screen reads %s, expected the "
                  "default halo %s" % (x, y, s.pixel(x, y), INSIDE))
            for px, py in on_circle(x, y, HALO + 6):
                check(close_to(s.pixel(px, py), BLUE, 3), "outside the halo, (%d, %d) reads %s instead of blue"
                      % (px, py, s.pixel(px, py)))

        h.settle(halo_at_pointer)
        check(h.stop_glimmora(p) == 0, "Glimmora ended with an error")
        beside = os.path.join(stick, folder, "Glimmora.ini")
        check(os.path.exists(beside), "no settings file beside the program on the stick")
        check(not os.path.exists(os.path.dirname(h.ini_path)), "the stick's Glimmora wrote to %APPDATA%")
    finally:
        os.remove(link)
        set_drive_type(h, drive, None)
        restart_wineserver(h)


run(main)
