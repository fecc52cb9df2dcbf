"""The x86_64 installer in a fresh Wine prefix of its own (for every run a new copy of a
prefix that nothing has run in), in two rounds.

1. Silent install with "start with Windows": the program, its uninstaller, a Start-menu
   entry, the uninstall entry (with this version) and the Run value, and no other file or
   registry key of ours. A second silent install while Glimmora runs gives up and replaces
   nothing. The installed program starts from its folder and shows its settings window.
   The silent uninstall then leaves nothing of ours but the settings file.
2. Silent install without "start with Windows" (no Run value), silent uninstall with
   /REMOVESETTINGS: nothing of ours is left at all.
3. The language follows the user's locale: a silent install under Austrian German gives the
   Start-menu entry its German description, one under Italian (not offered) the English
   one, as the English rounds do; the installer's first page under German is titled in
   German, and its picture is saved under the build folder's e2e-shots to look at.

Catches: an installer that needs a 32-bit Wine or administrator rights, misses a file or
the DLL, writes the wrong version or a stray key; an uninstaller that leaves files, the
Start-menu entry, the uninstall entry or the Run value behind, or removes the settings
without being asked to."""

import getpass
import os
import re
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pkg"))
from harness import *
from settings_ui import crop
from packages import make_packages, version

BIN = os.environ.get("GLIMMORA_BIN") or os.path.join(ROOT, "build", "win64", "bin")
PREFIX = os.path.join(os.path.dirname(os.path.abspath(BIN)), "installer-prefix")
# Wine names the profile folder after the Unix user.
USER = os.path.join(PREFIX, "drive_c", "users", getpass.getuser())
INSTALLED = os.path.join(USER, "AppData", "Local", "Programs", "Glimmora")
SETTINGS = os.path.join(USER, "AppData", "Roaming", "Glimmora")
HKCU = "HKEY_CURRENT_USER"
UNINSTALL_KEY = HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmora"
RUN_KEY = HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Run"
SHORTCUT = os.path.join(USER, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Glimmora.lnk")
ENGLISH_DESCRIPTION = "Makes the mouse and the keyboard visible"
INSTALLED_EXE = "C:\\users\\%s\\AppData\\Local\\Programs\\Glimmora\\Glimmora.exe" % getpass.getuser()


def fresh_prefix():
    """A copy of a prefix that nothing ever ran in: as new as a wineboot, without its 15 s."""
    template = PREFIX + "-template"
    stamp = os.path.join(template, "wine-version")
    wine_version = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL).stdout.decode().strip()
    try:
        with open(stamp) as f:
            stale = [PREFIX] if f.read() == wine_version else [PREFIX, template]
    except OSError:
        stale = [PREFIX, template]
    for prefix in stale:
        if os.path.exists(prefix):
            env = dict(os.environ, WINEPREFIX=prefix)
            subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=env)
            shutil.rmtree(prefix)
    if not os.path.exists(template):
        log("creating the template prefix", template)
        env = dict(os.environ, WINEPREFIX=template, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env)
        # As the harness sets every prefix up: no wait for a window manager.
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                       env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env)
        with open(stamp, "w") as f:
            f.write(wine_version)
    subprocess.run(["cp", "-a", template, PREFIX], check=True)
    os.environ["WINEPREFIX"] = PREFIX
    # Wine's menu builder would copy the Start-menu entry to this machine's own desktop menus.
    os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"


def locale_env(name):
    """Environment for a Wine process in the locale (say "de_AT.UTF-8"): made once from the
    system's locale sources into the build folder, since a fresh machine has none compiled."""
    folder = os.path.join(os.path.dirname(PREFIX), "locales")
    if not os.path.isdir(os.path.join(folder, name)):
        language, charset = name.split(".")
        os.makedirs(folder, exist_ok=True)
        # localedef's exit code also counts warnings: the locale's folder is the result.
        subprocess.run(["localedef", "-i", language, "-f", charset, os.path.join(folder, name)])
        check(os.path.isdir(os.path.join(folder, name)),
              "localedef cannot make %s (is Debian's locales package installed?)" % name)
    return {"LOCPATH": folder, "LC_ALL": name, "LANG": name}


def wine(h, *args, timeout=60, env=None):
    with open(os.path.join(h.work, "wine.log"), "ab") as out:
        return subprocess.run([h.wine_run, *args], env=dict(h.env, **(env or {})), stdout=out,
                              stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, timeout=timeout).returncode


def files_of_ours():
    """Paths below drive C: whose name says Glimmora or dsmouse, relative to the user folder."""
    found = []
    for folder, dirs, files in os.walk(os.path.join(PREFIX, "drive_c")):
        for name in dirs + files:
            if re.search(r"glimmora|dsmouse", name, re.IGNORECASE):
                found.append(os.path.relpath(os.path.join(folder, name), USER))
    return sorted(found)


def registry_of_ours(h):
    """{key or 'key : value name': data} for everything under HKCU that mentions Glimmora."""
    path = os.path.join(h.work, "hkcu.reg")
    check(wine(h, "reg", "export", "HKCU", wine_path(path), "/y") == 0, "reg export HKCU failed")
    with open(path, "rb") as f:
        text = f.read().decode("utf-16")
    found, key = {}, None
    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            if "glimmora" in key.lower():
                found[key] = None
        elif key and "glimmora" in line.lower() and "glimmora" not in key.lower() and "=" in line:
            name, data = line.split("=", 1)
            if data.startswith('"') and data.endswith('"'):
                data = re.sub(r"\\(.)", r"\1", data[1:-1])
            found["%s : %s" % (key, name.strip('"'))] = data
    return found


def shortcut_description(path):
    """The description (tooltip) a .lnk file holds, or None."""
    with open(path, "rb") as f:
        data = f.read()
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & 0x1:  # target ID list
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x2:  # link info
        at += struct.unpack_from("<I", data, at)[0]
    if not flags & 0x4:  # no description
        return None
    count = struct.unpack_from("<H", data, at)[0]
    # Wine counts the terminating zero in, Windows does not.
    if flags & 0x80:
        return data[at + 2:at + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
    return data[at + 2:at + 2 + count].decode("latin-1").rstrip("\0")


def check_shortcut_description(expected):
    description = shortcut_description(SHORTCUT)
    check(description == expected, "the Start-menu entry's description is %r, expected %r" % (description, expected))


def uninstall(h, *switches, env=None):
    # The uninstaller runs on from a copy in the temp folder (Un.exe) and this one returns.
    check(wine(h, os.path.join(INSTALLED, "Uninstall.exe"), "/S", *switches, env=env) == 0,
          "the uninstaller failed to start")
    deadline = time.monotonic() + 30
    while (os.path.exists(INSTALLED) or h.windows_pids("Un.exe")) and time.monotonic() < deadline:
        time.sleep(0.1)
    check(not h.windows_pids("Un.exe"), "the uninstaller still runs after 30 s")


def check_nothing_left(h, kept):
    left = files_of_ours()
    check(left == kept, "the uninstaller left %s, expected %s" % (left, kept))
    keys = registry_of_ours(h)
    check(not keys, "the uninstaller left registry entries: %s" % keys)


def main(h):
    zip_path, installer = make_packages(h)
    check(os.path.basename(installer) == "Glimmora-%s-x86_64-setup.exe" % version(),
          "the installer is named %s" % os.path.basename(installer))
    check(files_of_ours() == [], "the fresh prefix already holds %s" % files_of_ours())

    log("round 1: install with start with Windows, keep the settings")
    check(wine(h, installer, "/S", "/AUTOSTART") == 0, "the silent install failed")
    installed = sorted(os.listdir(INSTALLED))
    check(installed == ["Glimmora.exe", "LICENSE.txt", "Uninstall.exe", "dsmouse.dll", "readme.txt"],
          "installed files: %s" % installed)
    check(os.path.exists(SHORTCUT), "no Start-menu entry")
    check_shortcut_description(ENGLISH_DESCRIPTION)
    keys = registry_of_ours(h)
    check(set(keys) == {UNINSTALL_KEY, RUN_KEY + " : Glimmora"}, "registry entries of the install: %s" % keys)
    check(keys[RUN_KEY + " : Glimmora"] == '"%s"' % INSTALLED_EXE, "Run value %r" % keys[RUN_KEY + " : Glimmora"])
    with open(os.path.join(h.work, "hkcu.reg"), "rb") as f:
        check('"DisplayVersion"="%s"' % version() in f.read().decode("utf-16"),
              "the uninstall entry does not carry the version %s" % version())

    p = h.start_glimmora(os.path.join(INSTALLED, "Glimmora.exe"))
    exe = os.path.join(INSTALLED, "Glimmora.exe")
    # Not the modification time: the installer gives every file the time it had in the build.
    before = os.stat(exe).st_ctime_ns
    check(wine(h, installer, "/S") == 2, "a silent install over the running program did not give up")
    check(os.stat(exe).st_ctime_ns == before, "the install over the running program replaced its files")
    check(h.stop_glimmora(p) == 0, "Glimmora ended with an error")
    check(os.path.exists(os.path.join(SETTINGS, "Glimmora.ini")), "Glimmora saved no settings in %APPDATA%")

    uninstall(h)
    check_nothing_left(h, [os.path.join("AppData", "Roaming", "Glimmora"),
                           os.path.join("AppData", "Roaming", "Glimmora", "Glimmora.ini")])

    log("round 2: install without start with Windows, remove the settings")
    check(wine(h, installer, "/S") == 0, "the second silent install failed")
    keys = registry_of_ours(h)
    check(set(keys) == {UNINSTALL_KEY}, "registry entries of the install without autostart: %s" % keys)
    uninstall(h, "/REMOVESETTINGS")
    check_nothing_left(h, [])

    log("round 3: the system's language")
    for locale, description in (("de_AT.UTF-8", "Macht Maus und Tastatur sichtbar"),
                                ("it_IT.UTF-8", ENGLISH_DESCRIPTION)):
        env = locale_env(locale)
        check(wine(h, installer, "/S", env=env) == 0, "the silent install under %s failed" % locale)
        check_shortcut_description(description)
        uninstall(h, "/REMOVESETTINGS", env=env)
        check_nothing_left(h, [])
    first_page_in_german(h, installer)


def first_page_in_german(h, installer):
    p = h.start(installer, env=locale_env("de_DE.UTF-8"))
    deadline = time.monotonic() + 20
    titles = []
    while not titles and time.monotonic() < deadline:
        time.sleep(0.2)
        titles = [w["title"] for w in h.windows() if w["visible"] and (w["title"].startswith("Installation ")
                  or w["title"].startswith("Glimmora "))]
    # Debian's German caption ends in a blank.
    check([t.strip() for t in titles] == ["Installation von Glimmora %s" % version()],
          "the installer's window under German is titled %r" % titles)
    time.sleep(0.5)
    path = crop(h, h.shot(), h.rect(titles[0]), "installer-de.png")
    log("the installer's first page in German:", path)
    h.stop(p)
    deadline = time.monotonic() + 10
    while h.windows_pids(os.path.basename(installer)) and time.monotonic() < deadline:
        time.sleep(0.1)


fresh_prefix()
run(main)
