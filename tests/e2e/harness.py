"""End-to-end harness: Glimmora under Wine on a virtual X display with a compositor.

The tests look at what a user would see: real screenshots of the display (taken with
ImageMagick's `import`, which leaves the pointer image out), real window state (read
through the winctl.exe helper) and real input (xdotool). A TargetWindow.exe of one known
colour lies under the overlays, because the bare root of a composited display reads grey.

Standard library only. Each test file calls `run(main)`; `main(h)` gets a Harness whose
cleanup ends every process the test started, even when a check fails.

Environment (set by ctest, defaults for a manual run from the source tree):
  GLIMMORA_BIN        folder with Glimmora.exe and the helpers (build/win64/bin)
  GLIMMORA_WINE_RUN   wine-run.sh of that build
  WINEPREFIX          the build's prefix (GLIMMORA_WINEPREFIX is the fallback)
  DISPLAY             a display with a compositor; without one the harness starts its own
  GLIMMORA_E2E_KEEP   keep the work folder (screenshots, logs) even when the test passes
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

# The tests take the checks, the pixel helpers and the input helpers through this module.
from screen import *
from screen import _T0
from display import *

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SETTINGS_TITLE = "Glimmora - Settings"
MESSAGE_TITLE = "Glimmora_frmMessageName"
SPOT_CLASS = "Glimmora_frmSpot"
BLUE = (0, 0, 255)
# Executables of ours that a failed earlier test may have left running in the prefix.
OWN_EXES = ("Glimmora.exe", "GlimmoraTrace.exe", "TargetWindow.exe", "BareTimer.exe")


# ---------------------------------------------------------------------------------------
# Processes


def _proc_cmdline(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return f.read().replace(b"\0", b" ").decode("utf-8", "replace")
    except OSError:
        return ""


def _proc_prefix(pid):
    try:
        with open("/proc/%d/environ" % pid, "rb") as f:
            for item in f.read().split(b"\0"):
                if item.startswith(b"WINEPREFIX="):
                    return os.path.realpath(item[11:].decode("utf-8", "replace"))
    except OSError:
        pass
    return None


def wine_path(path):
    """The Windows name of a Unix path: drive Z: is the Unix root in every prefix."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise CheckFailed("process %d has no resident size (ended?)" % pid)


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


class Harness(DisplayInput):
    def __init__(self, name):
        self.name = name
        self.bin = os.environ.get("GLIMMORA_BIN") or os.path.join(ROOT, "build", "win64", "bin")
        self.wine_run = os.environ.get("GLIMMORA_WINE_RUN") or os.path.join(os.path.dirname(self.bin), "wine-run.sh")
        if not os.path.exists(self.wine_run):
            self.wine_run = "wine"
        self.prefix = os.path.realpath(os.environ.get("WINEPREFIX") or os.environ.get("GLIMMORA_WINEPREFIX")
                                       or os.path.join(os.path.dirname(self.bin), "wineprefix"))
        self.work = tempfile.mkdtemp(prefix="glimmora-e2e-%s-" % name)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"),
                        WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml="))
        self.processes = []     # Popen objects of Windows programs started here
        self.own_display = []   # Xvfb and compositor when the harness started them
        self.shots = 0
        self.screen = None
        self._x = None

    # -- set-up and tear-down -----------------------------------------------------------

    def setup(self):
        if not os.environ.get("DISPLAY"):
            self._start_display()
        self._prepare_prefix()
        self.kill_leftovers()
        for exe in ("Glimmora.exe", "winctl.exe", "TargetWindow.exe"):
            check(os.path.exists(os.path.join(self.bin, exe)), "missing %s in %s" % (exe, self.bin))
        # A file beside the program would be taken over as the settings file.
        self.remove(os.path.join(self.bin, "Glimmora.ini"))
        self.screen = self.screen_size()

    def cleanup(self):
        # A button or key a failed check left held would swallow the next test's presses.
        for button in (1, 2, 3):
            subprocess.run(["xdotool", "mouseup", str(button)], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["xdotool", "keyup", "shift", "ctrl", "alt"], env=self.env, stderr=subprocess.DEVNULL)
        if self._x:
            self._x.close()
        for p in reversed(self.processes):
            if p.poll() is None:
                self._kill(p)
        self.kill_leftovers()
        # Leave the shared prefix as a first start finds it.
        try:
            self.no_settings()
        except OSError as error:
            log("could not remove the settings file:", error)
        for p in self.own_display:
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()

    def _start_display(self):
        n = next(n for n in range(141, 190)
                 if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n))
        xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.own_display.append(xvfb)
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X%d" % n):
                break
            time.sleep(0.05)
        self.env["DISPLAY"] = os.environ["DISPLAY"] = ":%d" % n
        self.own_display.append(subprocess.Popen(["xcompmgr"], env=self.env, stdout=subprocess.DEVNULL,
                                                 stderr=subprocess.DEVNULL))
        time.sleep(0.3)
        log("started display", self.env["DISPLAY"])

    def _prepare_prefix(self):
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            log("creating wine prefix", self.prefix)
            subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env)
        # One server for the whole test, started apart from the programs so that it holds none
        # of their pipes and is not in their process groups.
        subprocess.run(["wineserver", "-p30"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # With no window manager on the display, Wine must not wait for one to confirm that a
        # window was unmapped: it waits 2 s per captioned window otherwise (scripts/display.sh).
        with open(os.path.join(self.prefix, "user.reg"), encoding="utf-8", errors="replace") as f:
            if '"Managed"="N"' not in f.read():
                subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N",
                                "/f"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def windows_pids(self, exe):
        """Unix pids of running Windows programs of that exe name in this prefix."""
        pattern = re.compile(r"(^|[\\/])%s(\s|$)" % re.escape(exe), re.IGNORECASE)
        pids = []
        for entry in os.listdir("/proc"):
            if entry.isdigit() and pattern.search(_proc_cmdline(int(entry)).strip()) \
                    and _proc_prefix(int(entry)) == self.prefix and alive(int(entry)):
                pids.append(int(entry))
        return pids

    def kill_leftovers(self):
        for exe in OWN_EXES:
            for pid in self.windows_pids(exe):
                log("killing leftover %s (pid %d)" % (exe, pid))
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass
        deadline = time.monotonic() + 5
        while any(self.windows_pids(exe) for exe in OWN_EXES) and time.monotonic() < deadline:
            time.sleep(0.05)

    def _kill(self, p):
        log("killing", p.args[1] if len(p.args) > 1 else p.args, "pid", p.pid)
        try:
            os.kill(p.pid, signal.SIGKILL)
        except OSError:
            pass
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            pass

    # -- files ----------------------------------------------------------------------------

    @property
    def ini_path(self):
        return os.path.join(self.prefix, "drive_c", "users", "root", "AppData", "Roaming", "Glimmora",
                            "Glimmora.ini")

    def remove(self, path):
        if os.path.exists(path):
            subprocess.run(["chattr", "-i", path], stderr=subprocess.DEVNULL)
            os.remove(path)

    def write_settings(self, content):
        """Writes the per-user settings file: a dict of keys, or raw bytes / text as they are;
        no backup of an earlier save stays beside it."""
        self.remove(self.ini_path)
        self.remove(self.ini_path + ".bak")
        os.makedirs(os.path.dirname(self.ini_path), exist_ok=True)
        if isinstance(content, dict):
            content = "[Settings]\r\n" + "".join("%s=%s\r\n" % kv for kv in content.items())
        if isinstance(content, str):
            content = content.encode("latin-1")
        with open(self.ini_path, "wb") as f:
            f.write(content)

    def no_settings(self):
        """No settings file at all, and no folder for it either."""
        self.remove(self.ini_path)
        folder = os.path.dirname(self.ini_path)
        if os.path.isdir(folder):
            for name in os.listdir(folder):
                self.remove(os.path.join(folder, name))
            os.rmdir(folder)

    def read_settings(self):
        """The [Settings] section as an ordered list of (key, value text)."""
        with open(self.ini_path, "rb") as f:
            text = f.read().decode("latin-1")
        pairs, section = [], None
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1]
            elif section == "Settings" and "=" in line:
                key, value = line.split("=", 1)
                pairs.append((key.strip(), value.strip()))
        return pairs

    # -- Windows programs ----------------------------------------------------------------

    def start(self, exe, *args, env=None, log_name=None, cwd=None):
        """Starts a Windows program; cwd becomes its current folder (Wine maps it to Z:). exe is
        a name in the bin folder, a Unix path, or a drive-letter path ("R:\\Glimmora.exe")."""
        windows = re.match(r"^[A-Za-z]:\\", exe) is not None
        path = exe if windows or os.path.isabs(exe) else os.path.join(self.bin, exe)
        check(windows or os.path.exists(path), "missing %s" % path)
        name = log_name or (path.rsplit("\\", 1)[-1] if windows else os.path.basename(exe))
        out = open(os.path.join(self.work, name + ".log"), "ab")
        p = subprocess.Popen([self.wine_run, path, *args], env=dict(self.env, **(env or {})), stdout=out,
                             stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, start_new_session=True, cwd=cwd)
        out.close()
        p.started = time.monotonic()
        self.processes.append(p)
        return p

    def winctl(self, *args, timeout=30):
        # Output through a file: a pipe would stay open in a wineserver that this call starts.
        with tempfile.TemporaryFile(dir=self.work) as out:
            r = subprocess.run([self.wine_run, os.path.join(self.bin, "winctl.exe"), *args], env=self.env,
                               stdout=out, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return r.returncode, out.read().decode("utf-8", "replace").strip()

    def windows(self):
        """Every top-level window: dicts with hwnd, pid, exe, cls, visible, iconic, exstyle, rect, title."""
        rc, out = self.winctl("list")
        check(rc == 0, "winctl list failed")
        result = []
        for line in out.splitlines():
            f = line.split("\t")
            if len(f) < 9:
                continue
            result.append(dict(hwnd=f[0], pid=int(f[1]), exe=f[2], cls=f[3], visible=f[4] == "1",
                               iconic=f[5] == "1", exstyle=int(f[6], 16), rect=tuple(map(int, f[7].split())),
                               title=f[8]))
        return result

    def rect(self, title):
        rc, out = self.winctl("rect", title)
        return tuple(map(int, out.split())) if rc == 0 else None

    def class_rect(self, cls):
        rc, out = self.winctl("class-rect", cls)
        return tuple(map(int, out.split())) if rc == 0 else None

    def wait_window(self, condition, title, timeout=10.0):
        """Seconds until the condition held (winctl's own clock), or None on timeout."""
        rc, out = self.winctl("wait", condition, title, str(int(timeout * 1000)), timeout=timeout + 30)
        return int(out) / 1000.0 if rc == 0 else None

    def start_target(self, colour=BLUE, focus=False):
        """The target over the whole screen; with focus, its edit box takes the keys typed
        (after focus_target once Glimmora runs) and every change of its text is logged."""
        self.target_log = os.path.join(self.work, "target-clicks.txt")
        p = self.start("TargetWindow.exe", "--log", self.target_log, "--color", "%d,%d,%d" % colour,
                       *(["--focus"] if focus else []))
        check(self.wait_window("visible", TARGET_TITLE, 15) is not None, "the target window did not appear")
        self.target = p
        return p

    def _target_log(self):
        if not os.path.exists(self.target_log):
            return []
        with open(self.target_log, encoding="utf-8", errors="replace") as f:
            return [line.rstrip("\n") for line in f if line.strip()]

    def target_clicks(self):
        return [tuple(line.split()) for line in self._target_log() if not line.startswith("text ")]

    def target_text(self):
        """The text of the target's edit box after its last change."""
        texts = [line[5:] for line in self._target_log() if line.startswith("text ")]
        return texts[-1] if texts else ""

    def start_glimmora(self, exe="Glimmora.exe", *args, env=None, wait=True, cwd=None):
        p = self.start(exe, *args, env=env, cwd=cwd)
        if wait:
            took = self.wait_window("visible", SETTINGS_TITLE, 20)
            check(took is not None, "%s showed no window titled %r within 20 s" % (exe, SETTINGS_TITLE))
            check(p.poll() is None, "%s ended right after start (exit code %s)" % (exe, p.returncode))
            # The overlays come after the window has painted; the tray window is made last
            # but the timers, and the halo takes its place on the next 15 ms tick.
            check(self.wait_window("exists", "class:Glimmora_TrayIcon", 20) is not None,
                  "%s showed its settings window but no overlays within 20 s" % exe)
            time.sleep(0.3)
        return p

    def stop_glimmora(self, p, timeout=10.0):
        """Closes the settings window as a user would and waits for the process to end."""
        if p.poll() is None:
            self.winctl("close", SETTINGS_TITLE)
            try:
                p.wait(timeout)
            except subprocess.TimeoutExpired:
                self._kill(p)
                raise CheckFailed("Glimmora did not end within %.0f s of closing its settings window" % timeout)
        return p.returncode

    def stop(self, p):
        if p.poll() is None:
            self._kill(p)

def run(main):
    """Runs one end-to-end test file: main(harness) with set-up, cleanup and a verdict."""
    name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    h = Harness(name)
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
    if ok and not os.environ.get("GLIMMORA_E2E_KEEP"):
        shutil.rmtree(h.work, ignore_errors=True)
    else:
        print("screenshots and logs kept in", h.work, flush=True)
    print("PASSED" if ok else "FAILED", name, "in %.1f s" % (time.monotonic() - _T0), flush=True)
    sys.exit(0 if ok else 1)
