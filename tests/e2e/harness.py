"""End-to-end harness: Glimmora under Wine on a virtual X display with a compositor, seen through
screenshots (`import` leaves the pointer out), Xlib pixels and winctl.exe, driven by xdotool, over
a TargetWindow.exe of one colour (a composited root reads grey). Each test calls `run(main)`,
whose cleanup ends what it started. Environment (ctest sets it): GLIMMORA_BIN, GLIMMORA_WINE_RUN,
WINEPREFIX or GLIMMORA_WINEPREFIX, DISPLAY (else a display of its own). Screenshots and logs stay in <build>/e2e-work/<test>."""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

from procs import *
from screen import *
from screen import _T0

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BIN = os.environ.get("GLIMMORA_BIN") or os.path.join(ROOT, "build", "win64", "bin")
SETTINGS_TITLE = "Glimmora - Settings"
TARGET_TITLE = "Glimmora e2e target"
SPOT_CLASS, PIC_CLASS, KEYBOARD_CLASS = "Glimmora_frmSpot", "Glimmora_frmPic", "Glimmora_frmKeyBoard"
TRAY_CLASS, MENU_CLASS = "__winex11_standalone_tray", "#32768"   # Wine's stand-in tray; a menu
LAYERED_TRANSPARENT = 0x00080020
KEY_HOLD = 0.18   # Glimmora reads the keyboard every 100 ms: a key held this long is seen
OWN_EXES = ("Glimmora.exe", "GlimmoraTrace.exe", "TargetWindow.exe", "BareTimer.exe")


def wine_path(path):   # drive Z: is the Unix root in every prefix
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def language_text(code, text_id):   # code "en", "de", ...
    with open(os.path.join(ROOT, "lang", "Strings_%s.inc" % code), encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\{(\d+), "(.*)"\},', line.strip())
            if m and int(m.group(1)) == text_id:
                return m.group(2).replace('\\"', '"')
    return None


class Harness(ScreenMixin):
    def __init__(self, name, prefix=None):
        self.bin = BIN
        self.wine_run = os.environ.get("GLIMMORA_WINE_RUN") or os.path.join(os.path.dirname(self.bin), "wine-run.sh")
        self.prefix = os.path.realpath(prefix or os.environ.get("WINEPREFIX") or os.environ.get("GLIMMORA_WINEPREFIX")
                                       or os.path.join(os.path.dirname(self.bin), "wineprefix"))
        # Under the build folder and kept after a pass too: the shots are there to be looked at.
        self.work = os.path.join(os.path.dirname(self.bin), "e2e-work", name)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"),
                        WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml="))
        self.processes, self.own_display, self.shots = [], [], 0
        self.user = os.path.join(self.prefix, "drive_c", "users", "root")
        self.ini_path = os.path.join(self.user, "AppData", "Roaming", "Glimmora", "Glimmora.ini")

    def setup(self):
        if not os.environ.get("DISPLAY"):
            n = next(n for n in range(141, 190) if not os.path.exists("/tmp/.X%d-lock" % n))
            self.own_display.append(subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten",
                                                      "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            while not os.path.exists("/tmp/.X11-unix/X%d" % n):
                time.sleep(0.05)
            self.env["DISPLAY"] = os.environ["DISPLAY"] = ":%d" % n
            self.own_display.append(subprocess.Popen(["xcompmgr"], env=self.env, stderr=subprocess.DEVNULL))
            time.sleep(0.3)
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            log("creating wine prefix", self.prefix)
            subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env)
        # One server for the whole test, started apart from the programs so that it holds none
        # of their pipes; and no wait for a window manager to confirm an unmap (2 s a window).
        subprocess.run(["wineserver", "-p30"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(os.path.join(self.prefix, "user.reg"), encoding="utf-8", errors="replace") as f:
            if '"Managed"="N"' not in f.read():
                self.wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        self.kill_leftovers()
        self.remove(os.path.join(self.bin, "Glimmora.ini"))   # it would be taken over
        out = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env, stdout=subprocess.PIPE).stdout.split()
        self.screen = int(out[0]), int(out[1])

    def cleanup(self):
        # A button or key a failed check left held would swallow the next test's presses.
        for args in (["mouseup", "1"], ["mouseup", "3"], ["keyup", "shift", "ctrl", "alt"]):
            subprocess.run(["xdotool", *args], env=self.env, stderr=subprocess.DEVNULL)
        for p in reversed(self.processes):
            self.stop(p)
        self.kill_leftovers()
        self.no_settings()   # the shared prefix as a first start finds it
        for p in self.own_display:
            p.terminate()
            p.wait(5)

    def windows_pids(self, exe):
        pattern = re.compile(rb"(^|[\\/])%s(\s|\0|$)" % re.escape(exe.encode()), re.IGNORECASE)
        return [int(e) for e in os.listdir("/proc") if e.isdigit() and pattern.search(proc_file(int(e), "cmdline"))
                and proc_prefix(int(e)) == self.prefix and alive(int(e))]

    def kill_leftovers(self):
        for exe in OWN_EXES:
            for pid in self.windows_pids(exe):
                log("killing leftover %s (pid %d)" % (exe, pid))
                os.kill(pid, signal.SIGKILL)
        self.wait_for("leftovers gone", lambda: not any(self.windows_pids(exe) for exe in OWN_EXES))

    def remove(self, path):
        if os.path.lexists(path):
            subprocess.run(["chattr", "-i", path], stderr=subprocess.DEVNULL)
            shutil.rmtree(path) if os.path.isdir(path) else os.remove(path)

    def write_settings(self, content, path=None):
        """A settings file (the per-user one by default) of a dict of keys, or bytes; no backup beside it."""
        path = path or self.ini_path
        for old in (path, path + ".bak"):
            self.remove(old)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if isinstance(content, dict):
            content = "[Settings]\r\n" + "".join("%s=%s\r\n" % kv for kv in content.items())
        with open(path, "wb") as f:
            f.write(content.encode() if isinstance(content, str) else content)

    def no_settings(self):
        self.remove(os.path.dirname(self.ini_path))

    def read_settings(self, path=None):
        with open(path or self.ini_path, "rb") as f:
            text = f.read().decode("latin-1")
        section = text.split("[Settings]", 1)[-1].split("\n[", 1)[0]
        return dict(tuple(s.strip() for s in line.split("=", 1)) for line in section.splitlines()
                    if "=" in line and not line.startswith(";"))

    def wine(self, *args, env=None, timeout=60):
        with open(os.path.join(self.work, "wine.log"), "ab") as out:
            return subprocess.run([self.wine_run, *args], env=dict(self.env, **(env or {})), stdout=out,
                                  stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, timeout=timeout).returncode

    def start(self, exe, *args, env=None, cwd=None):
        """Starts a Windows program: a name in the bin folder, a Unix path or a drive path."""
        windows = re.match(r"^[A-Za-z]:\\", exe) is not None
        path = exe if windows or os.path.isabs(exe) else os.path.join(self.bin, exe)
        check(windows or os.path.exists(path), "missing %s" % path)
        with open(os.path.join(self.work, re.split(r"[\\/]", path)[-1] + ".log"), "ab") as out:
            p = subprocess.Popen([self.wine_run, path, *map(str, args)], env=dict(self.env, **(env or {})), stdout=out,
                                 stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, start_new_session=True, cwd=cwd)
        p.started = time.monotonic()
        self.processes.append(p)
        return p

    def stop(self, p):
        if p.poll() is None:
            os.kill(p.pid, signal.SIGKILL)
            p.wait(5)

    def winctl(self, *args, timeout=30):
        # Output through a file: a pipe would stay open in a wineserver that this call starts.
        with tempfile.TemporaryFile(dir=self.work) as out:
            r = subprocess.run([self.wine_run, os.path.join(self.bin, "winctl.exe"), *map(str, args)], env=self.env,
                               stdout=out, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return r.returncode, out.read().decode("utf-8", "replace").strip()

    def windows(self):
        rc, out = self.winctl("list")
        check(rc == 0, "winctl list failed")
        return [dict(pid=int(f[0]), cls=f[1], visible=f[2] == "1", iconic=f[3] == "1", exstyle=int(f[4], 16),
                     rect=tuple(map(int, f[5].split())), title=f[6])
                for f in (line.split("\t") for line in out.splitlines()) if len(f) >= 7]

    def shown(self, cls=None, title=None):
        return next((w for w in self.windows() if w["visible"] and (w["cls"] == cls or w["title"] == title)), None)

    def rect(self, title, command="rect"):
        """A window's rectangle ("class:NAME" finds it by class; "client-rect" for the client area)."""
        rc, out = self.winctl(command, title)
        return tuple(map(int, out.split())) if rc == 0 else None

    def wait_window(self, condition, title, timeout=10.0):
        """Seconds until the condition held (winctl's own clock), or None on timeout."""
        rc, out = self.winctl("wait", condition, title, int(timeout * 1000), timeout=timeout + 30)
        return int(out) / 1000.0 if rc == 0 else None

    def wait_for(self, what, condition, timeout=5.0):
        deadline = time.monotonic() + timeout
        while not condition():
            check(time.monotonic() < deadline, "no %s within %.0f s" % (what, timeout))
            time.sleep(0.1)

    def children(self, title=SETTINGS_TITLE):
        rc, out = self.winctl("children", title)
        check(rc == 0, "no window titled %r" % title)
        return {int(f[0]): dict(cls=f[1], visible=f[2] == "1", enabled=f[3] == "1", checked=f[4] == "1",
                                rect=tuple(map(int, f[5].split())), text=f[6])
                for f in (line.split("\t") for line in out.splitlines()) if len(f) >= 7}

    def start_target(self, colour=BLUE, focus=False, password=False):
        """The target over the whole screen; with focus its edit box takes the keys typed (after
        focus_target) and every change of its text is logged; with password it is a password field."""
        # Once in a while under Wine a fresh process shows nothing for many seconds: the target
        # is a test tool, so it gets a second start, logged.
        for attempt in (1, 2):
            self.target_log = os.path.join(self.work, "target-%d.txt" % len(self.processes))
            self.target = self.start("TargetWindow.exe", "--log", self.target_log, "--color", "%d,%d,%d" % colour,
                                     *(["--focus"] if focus else []), *(["--password"] if password else []))
            if self.wait_window("visible", TARGET_TITLE, 15) is not None:
                return self.target
            log("start %d of the target showed no window in 15 s (exit code %s)" % (attempt, self.target.poll()))
            self.stop(self.target)
        raise CheckFailed("the target window did not appear in two starts")

    def target_lines(self, kind):
        """What the target logged: "text" contents, or ("down"|"rdown", x, y) of its clicks."""
        lines = open(self.target_log, encoding="utf-8").read().splitlines() if os.path.exists(self.target_log) else []
        if kind == "text":
            return [line[5:] for line in lines if line.startswith("text ")]
        return [tuple(line.split()) for line in lines if not line.startswith("text ")]

    def start_glimmora(self, exe="Glimmora.exe", *args, env=None, wait=True, cwd=None):
        p = self.start(exe, *args, env=env, cwd=cwd)
        if wait:
            check(self.wait_window("visible", SETTINGS_TITLE, 20) is not None, "%s showed no settings window" % exe)
            check(p.poll() is None, "%s ended right after start (exit code %s)" % (exe, p.returncode))
            # The tray window is made last but the timers; the halo takes its place a tick later.
            check(self.wait_window("exists", "class:Glimmora_TrayIcon", 20) is not None, "%s made no tray icon" % exe)
            time.sleep(0.3)
        return p

    def stop_glimmora(self, p, timeout=10.0):
        if p.poll() is None:
            self.winctl("close", SETTINGS_TITLE)
            self.ended(p, "its settings window was closed", timeout)
        return p.returncode

    def exit_cleanly(self, p, how, action):
        """Runs the action that ends the program; every window of it must be gone within 2 s and
        the process must end normally within Wine's 2 s more, leaving nothing running."""
        started = time.monotonic()
        action()
        gone = self.wait_window("none", "Glimmora_", 7) is not None and time.monotonic() - started
        self.ended(p, how, 14)
        took = time.monotonic() - started
        check(gone and gone <= 2.3 and took <= 4.0 and p.returncode == 0, "after %s the windows of Glimmora were gone"
              " after %s s, the process ended after %.2f s with exit code %s" % (how, gone, took, p.returncode))
        check(not self.windows_pids("Glimmora.exe"), "a Glimmora process is left after %s" % how)

    def ended(self, p, after, timeout=10.0):
        try:
            return p.wait(timeout)
        except subprocess.TimeoutExpired:
            raise CheckFailed("Glimmora still runs %.0f s after %s" % (timeout, after))

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, stdout=subprocess.DEVNULL)

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

    def other_windows(self):
        """Rectangles of the shown windows other than the overlays and the target, and of the target's edit box."""
        w, h = self.screen
        return [v["rect"] for v in self.windows() if v["visible"] and not v["iconic"] and v["title"] != TARGET_TITLE
                and (v["exstyle"] & LAYERED_TRANSPARENT) != LAYERED_TRANSPARENT] + [(w // 2 - 110, h - 50, w // 2 + 110, h)]

    def free_points(self, count, reach):
        """Pointer positions whose squares of +-reach neither meet, nor leave the screen, nor touch other_windows()."""
        w, h = self.screen
        occupied, found = self.other_windows(), []
        for y in range(reach + 5, h - reach - 5, 17):
            for x in range(reach + 5, w - reach - 5, 17):
                if not any(x - reach < o[2] and o[0] <= x + reach and y - reach < o[3] and o[1] <= y + reach
                           for o in occupied) and all(abs(x - fx) > 2 * reach + 20 or abs(y - fy) > 2 * reach + 20
                                                      for fx, fy in found):
                    found.append((x, y))
                    if len(found) == count:
                        return found
        raise CheckFailed("no free place for %d pointer positions of reach %d beside %s" % (count, reach, occupied))

    def drag(self, x0, y0, x1, y1, steps=10):
        """A left-button drag in steps, as a hand makes it."""
        self.move(x0, y0)
        self.xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
            time.sleep(0.04)
        self.xdotool("mouseup", 1)
        time.sleep(0.3)

    def focus(self, title=SETTINGS_TITLE):
        """Keys reach a Wine window once it is active inside Wine and holds the X focus. With no
        window manager, Wine raises an activated window over the overlays: the target goes back
        to the bottom, keeping the focus."""
        # A busy machine can refuse the first activation while the window is still settling.
        self.wait_for("activation of %r" % title, lambda: self.winctl("focus", title)[0] == 0, 2)
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title)], env=self.env,
                             stdout=subprocess.PIPE).stdout.split()
        check(len(ids) >= 1, "no X window named %r" % title)
        self.xdotool("windowfocus", "--sync", ids[0].decode())
        if title == TARGET_TITLE:
            self.x.lower(int(ids[0]))
        else:   # over Wine's tray window, which may lie on it
            self.xdotool("windowraise", ids[0].decode())
        time.sleep(0.2)

    def focus_target(self):   # for bench/soak.py
        self.focus(TARGET_TITLE)

    def press(self, *keys, hold=KEY_HOLD, wait=True):
        """Holds the keys together, then releases them in reverse; without wait it returns the
        running xdotool at once, so the screen can be watched from the moment the keys go down."""
        args = ["xdotool", "keydown", *keys, "sleep", str(hold), "keyup", *reversed(keys)]
        if not wait:
            return subprocess.Popen(args, env=self.env, stdout=subprocess.DEVNULL)
        subprocess.run(args, env=self.env, check=True, stdout=subprocess.DEVNULL)

    def type_keys(self, keys, hold=KEY_HOLD):
        """Key after key, each held long enough for a keyboard poll."""
        self.xdotool(*[a for key in keys for a in ("keydown", key, "sleep", hold, "keyup", key)])

    def menu_keys(self, *keys):
        """The settings window's program menu from the keyboard: F10, then the keys given. The
        entries: Help, Blink, Pause, Language, Options, Default settings, Boundary, ..."""
        self.focus()
        self.xdotool("key", "F10")
        time.sleep(0.4)
        if keys:
            self.xdotool("key", "--delay", "120", *keys)
            time.sleep(0.6)

    def choose_language(self, index):
        self.menu_keys(*(["Down"] * 4), "Right", *(["Down"] * index), "Return")

    def click_child(self, title, control_id, dx=None):
        """A user's click on a control (dx from its left, else its middle)."""
        left, top, right, bottom = self.children(title)[control_id]["rect"]
        self.move(left + dx if dx is not None else (left + right) // 2, (top + bottom) // 2)
        time.sleep(0.1)
        self.xdotool("click", 1)
        time.sleep(0.3)

    def wait_for_balloon_to_go(self, rect, appear=5.0):
        """The tray's start balloon comes a moment after start over the top left of the screen for
        some seconds: waits up to appear s for it to come over the rectangle, then for it to go."""
        def balloons():
            return [w for w in self.windows() if w["visible"] and w["cls"].lower() == "tooltips_class32" and
                    w["rect"][0] < rect[2] and rect[0] < w["rect"][2] and w["rect"][1] < rect[3] and rect[1] < w["rect"][3]]
        deadline = time.monotonic() + appear
        while not balloons() and time.monotonic() < deadline:
            time.sleep(0.3)
        self.wait_for("balloon gone from %s" % (rect,), lambda: not balloons(), 20)


def run(main, prefix=None):
    """Runs one end-to-end test file: main(harness) with set-up, cleanup and a verdict."""
    name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    h = Harness(name, prefix)
    ok = False
    try:
        h.setup()
        main(h)
        ok = True
    except CheckFailed as e:
        print("FAILED: %s" % e, flush=True)
    except Exception:
        traceback.print_exc()
        print("FAILED: the test itself broke (see the trace above)", flush=True)
    finally:
        try:
            h.cleanup()
        except Exception:
            traceback.print_exc()
    print("screenshots and logs in", h.work, flush=True)
    print("PASSED" if ok else "FAILED", name, "in %.1f s" % (time.monotonic() - _T0), flush=True)
    sys.exit(0 if ok else 1)
