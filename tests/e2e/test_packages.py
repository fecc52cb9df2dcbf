"""The x86_64 packages of the release's own script, in a fresh Wine prefix of their own: a
silent install with "start with Windows" writes the files, a Start-menu entry described in
English, the uninstall entry with this version and the Run value, nothing else; a second
install while the program runs gives up untouched; the uninstall leaves only the settings.
Under Austrian German: the entry in German, no Run value, and /REMOVESETTINGS leaves nothing.
The portable zip, unpacked onto a drive Wine reports as removable, shows the default halo and
keeps its settings beside the program, writing nothing to %APPDATA%.
Catches: an installer needing admin rights or 32-bit Wine, a missing file or runtime DLL, a
stray key, the language ignored, an uninstall that leaves or removes too much, a stick's trace."""
import getpass
import zipfile

from harness import *

PREFIX = os.path.join(os.path.dirname(os.path.abspath(BIN)), "installer-prefix")
USER = os.path.join(PREFIX, "drive_c", "users", getpass.getuser())
INSTALLED = os.path.join(USER, "AppData", "Local", "Programs", "Glimmora")
HKCU = "HKEY_CURRENT_USER"
UNINSTALL_KEY = HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmora"
RUN_VALUE = HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Run : Glimmora"
SHORTCUT = os.path.join(USER, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Glimmora.lnk")
SETTINGS = [os.path.join("AppData", "Roaming", "Glimmora"), os.path.join("AppData", "Roaming", "Glimmora", "Glimmora.ini")]
with open(os.path.join(ROOT, "VERSION")) as f:
    VERSION = f.readline().strip()


def fresh_prefix():
    """A copy of a prefix nothing ran in, made once per Wine version: as new as a wineboot, without its 15 s."""
    template = PREFIX + "-" + subprocess.run(["wine", "--version"], stdout=subprocess.PIPE).stdout.decode().strip()
    for args in (["-k"], ["-w"]):
        subprocess.run(["wineserver", *args], env=dict(os.environ, WINEPREFIX=PREFIX), stderr=subprocess.DEVNULL)
    shutil.rmtree(PREFIX, ignore_errors=True)
    # Wine's menu builder would copy the Start-menu entry to this machine's own desktop menus.
    os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
    if not os.path.exists(template):
        env = dict(os.environ, WINEPREFIX=template + ".new", WINEDEBUG="-all")
        for args in (["wineboot", "-i"], ["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d",
                                          "N", "/f"], ["wineserver", "-w"]):
            subprocess.run(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.rename(template + ".new", template)
    subprocess.run(["cp", "-a", template, PREFIX], check=True)


def locale_env(name):
    """Environment for a Wine process in a locale, compiled once into the build folder."""
    folder = os.path.join(os.path.dirname(PREFIX), "locales")
    if not os.path.isdir(os.path.join(folder, name)):
        language, charset = name.split(".")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", language, "-f", charset, os.path.join(folder, name)])
        check(os.path.isdir(os.path.join(folder, name)), "localedef cannot make %s (Debian's locales package?)" % name)
    return {"LOCPATH": folder, "LC_ALL": name, "LANG": name}


def of_ours(h):
    """Files below drive C: named Glimmora or dsmouse (relative to the user folder), and
    {key or 'key : value name': data} of everything under HKCU that mentions Glimmora."""
    files = sorted(os.path.relpath(os.path.join(folder, name), USER) for folder, dirs, names in
                   os.walk(os.path.join(PREFIX, "drive_c")) for name in dirs + names
                   if re.search(r"glimmora|dsmouse", name, re.IGNORECASE))
    path = os.path.join(h.work, "hkcu.reg")
    check(h.wine("reg", "export", "HKCU", wine_path(path), "/y") == 0, "reg export HKCU failed")
    with open(path, "rb") as f:
        text = f.read().decode("utf-16")
    keys, key = {}, None
    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            if "glimmora" in key.lower():
                keys[key] = None
        elif key and "glimmora" in line.lower() and "glimmora" not in key.lower() and "=" in line:
            name, data = line.split("=", 1)
            keys["%s : %s" % (key, name.strip('"'))] = re.sub(r"\\(.)", r"\1", data[1:-1])
    return files, keys, text


def uninstall(h, *switches, env=None):
    # The uninstaller runs on from a copy in the temp folder (Un.exe) and this one returns.
    check(h.wine(os.path.join(INSTALLED, "Uninstall.exe"), "/S", *switches, env=env) == 0, "the uninstaller failed")
    h.wait_for("uninstaller's end", lambda: not os.path.exists(INSTALLED) and not h.windows_pids("Un.exe"), 30)


def install(h, installer, description, keys, *switches, env=None):
    check(h.wine(installer, "/S", *switches, env=env) == 0, "the silent install %s failed" % " ".join(switches))
    check(sorted(os.listdir(INSTALLED)) == ["Glimmora.exe", "LICENSE.txt", "Uninstall.exe", "dsmouse.dll",
                                            "readme.txt"], "installed files: %s" % os.listdir(INSTALLED))
    with open(SHORTCUT, "rb") as f:
        check(description.encode("utf-16-le") in f.read(), "the Start-menu entry does not say %r" % description)
    _, found, text = of_ours(h)
    check(set(found) == keys and '"DisplayVersion"="%s"' % VERSION in text, "the install wrote %s" % found)
    return found


def portable(h, zip_path):
    folder = "Glimmora-%s-x86_64" % VERSION
    with zipfile.ZipFile(zip_path) as z:
        names = sorted(n for n in z.namelist() if not n.endswith("/"))
        check(names == sorted(folder + "/" + n for n in ("Glimmora.exe", "dsmouse.dll", "readme.txt", "LICENSE.txt")),
              "the zip holds %s" % names)
        stick = os.path.join(h.work, "stick")
        z.extractall(stick)
    drive = next(d + ":" for d in "rstuvwxy" if not os.path.lexists(os.path.join(PREFIX, "dosdevices", d + ":")))
    os.symlink(stick, os.path.join(PREFIX, "dosdevices", drive))
    h.wine("reg", "add", r"HKLM\Software\Wine\Drives", "/v", drive, "/d", "floppy", "/f")
    for args in (["-k"], ["-w"], ["-p30"]):   # Wine reads the drive types when its server starts
        subprocess.run(["wineserver", *args], env=h.env, stderr=subprocess.DEVNULL)
    h.start_target()
    p = h.start_glimmora("%s\\%s\\Glimmora.exe" % (drive.upper(), folder))
    x, y = h.free_points(1, 110)[0]
    h.move(x, y)
    h.settle(lambda s: halo_on_circles(s, x, y, ((0, True), (106, False)), "the default halo"))
    check(h.stop_glimmora(p) == 0, "the stick's Glimmora ended with an error")
    check(os.path.exists(os.path.join(stick, folder, "Glimmora.ini")), "no settings file beside the program on the stick")
    check(of_ours(h)[0] == [], "the stick's Glimmora left %s on the computer" % of_ours(h)[0])


def main(h):
    r = subprocess.run(["bash", os.path.join(ROOT, "scripts", "make_packages.sh"), os.path.dirname(h.bin), "x86_64",
                        h.work], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    check(r.returncode == 0, "make_packages.sh failed:\n" + r.stdout.decode("utf-8", "replace"))
    zip_path, installer = r.stdout.decode().split()
    check(os.path.basename(installer) == "Glimmora-%s-x86_64-setup.exe" % VERSION, "the installer is %s" % installer)

    found = install(h, installer, "Makes the mouse and the keyboard visible", {UNINSTALL_KEY, RUN_VALUE}, "/AUTOSTART")
    check(found[RUN_VALUE] == '"C:\\users\\%s\\AppData\\Local\\Programs\\Glimmora\\Glimmora.exe"' % getpass.getuser(),
          "the Run value is %r" % found[RUN_VALUE])
    exe = os.path.join(INSTALLED, "Glimmora.exe")
    p = h.start_glimmora(exe)
    # Not the modification time: the installer gives every file the time it had in the build.
    before = os.stat(exe).st_ctime_ns
    check(h.wine(installer, "/S") == 2 and os.stat(exe).st_ctime_ns == before,
          "a silent install over the running program did not give up untouched")
    check(h.stop_glimmora(p) == 0, "the installed Glimmora ended with an error")
    uninstall(h)
    check(of_ours(h)[:2] == (SETTINGS, {}), "the uninstall left %s" % (of_ours(h)[:2],))

    german = locale_env("de_AT.UTF-8")
    install(h, installer, "Macht Maus und Tastatur sichtbar", {UNINSTALL_KEY}, env=german)
    uninstall(h, "/REMOVESETTINGS", env=german)
    check(of_ours(h)[:2] == ([], {}), "the uninstall with /REMOVESETTINGS left %s" % (of_ours(h)[:2],))
    portable(h, zip_path)


fresh_prefix()
run(main, PREFIX)
