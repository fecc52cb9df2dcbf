"""Display and input for the end-to-end tests: xdotool, the pointer, screenshots, free places
on the screen and typing into the target window. Harness takes it as a base class."""

import os
import subprocess
import time

from screen import *

TARGET_TITLE = "Glimmora e2e target"
LAYERED_TRANSPARENT = 0x00080020
# Glimmora reads the keyboard every 100 ms: a key held this long is seen by at least one read.
KEY_HOLD = 0.18


class DisplayInput:
    """Needs from the harness: env, screen, work, shots, _x, winctl() and windows()."""

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, stdout=subprocess.DEVNULL)

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

    @property
    def x(self):
        """The display through Xlib: fast single pixels and the stacking of X windows."""
        if not self._x:
            self._x = XDisplay(self.env["DISPLAY"])
        return self._x

    def watch(self, x, y, seconds, every=0.01):
        """The screen at (x, y) over that many seconds: [(seconds since the start, (r, g, b))]."""
        samples, start = [], time.monotonic()
        while True:
            now = time.monotonic() - start
            if now > seconds:
                return samples
            samples.append((now, self.x.pixel(x, y)))
            time.sleep(every)

    def pointer(self):
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env, check=True,
                             stdout=subprocess.PIPE).stdout.decode()
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"])

    def screen_size(self):
        out = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env, check=True,
                             stdout=subprocess.PIPE).stdout.decode().split()
        return int(out[0]), int(out[1])

    def shot(self):
        self.shots += 1
        png = os.path.join(self.work, "shot%02d.png" % self.shots)
        subprocess.run(["import", "-window", "root", png], env=self.env, check=True)
        raw = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
        w, h = self.screen
        check(len(raw) == w * h * 3, "screenshot has %d bytes, not %d x %d x 3" % (len(raw), w, h))
        return Shot(png, w, h, raw)

    def settle(self, verify, timeout=3.0):
        """Takes screenshots until verify(shot) passes its checks and returns that shot; fails
        with the last finding when the screen has not settled within the timeout. (The
        compositor may show a frame or two of the old state after a change.)"""
        deadline = time.monotonic() + timeout
        while True:
            s = self.shot()
            try:
                verify(s)
                return s
            except CheckFailed as e:
                if time.monotonic() > deadline:
                    raise CheckFailed("%s (screenshot %s)" % (e, s.path))
                # xcompmgr does not always repaint what a reshaped window uncovers (Wine
                # shapes colour-keyed windows); exposing the whole screen makes it redraw
                # from the windows as they are. Anything our windows still draw stays.
                subprocess.run(["xrefresh"], env=self.env)
            time.sleep(0.05)

    def obstacles(self):
        """Rectangles of shown windows that are neither overlays nor the target: the settings
        window, a tray stand-in, a help window. Pixel checks keep away from them."""
        return [w["rect"] for w in self.windows()
                if w["visible"] and not w["iconic"] and w["title"] != TARGET_TITLE
                and (w["exstyle"] & LAYERED_TRANSPARENT) != LAYERED_TRANSPARENT
                and w["rect"][2] > w["rect"][0] and w["rect"][3] > w["rect"][1]]

    def occupied(self, obstacles=None):
        """The obstacles and the target's edit box, which sits at the bottom middle of the screen."""
        w, h = self.screen
        return (self.obstacles() if obstacles is None else obstacles) + [(w // 2 - 110, h - 50, w // 2 + 110, h)]

    def free_points(self, count, reach, obstacles=None):
        """Pointer positions, far enough apart that their squares of +-reach do not meet,
        whose squares are clear of the screen edge and of other windows."""
        obstacles = self.occupied(obstacles)
        w, h = self.screen
        found = []
        for y in range(reach + 5, h - reach - 5, 17):
            for x in range(reach + 5, w - reach - 5, 17):
                box = (x - reach, y - reach, x + reach + 1, y + reach + 1)
                if any(box[0] < o[2] and o[0] < box[2] and box[1] < o[3] and o[1] < box[3] for o in obstacles):
                    continue
                if all(abs(x - fx) > 2 * reach + 20 or abs(y - fy) > 2 * reach + 20 for fx, fy in found):
                    found.append((x, y))
                    if len(found) == count:
                        return found
        raise CheckFailed("no free place for %d pointer positions of reach %d beside %s" % (count, reach, obstacles))

    def focus_target(self):
        """Gives the keyboard to the target's edit box as a user's click into it would: keys
        reach a Wine program only while a Wine window is the active window and has the X
        input focus. The target (started with focus) sends its keyboard focus on to the
        edit box whenever it is activated.

        With no window manager, Wine raises the X window of an activated window above all
        others, the overlays included; it is put back at the bottom, where it was, keeping
        the input focus."""
        check(self.winctl("focus", TARGET_TITLE)[0] == 0, "the target window could not be activated")
        out = subprocess.run(["xdotool", "search", "--name", "^%s$" % TARGET_TITLE], env=self.env,
                             stdout=subprocess.PIPE).stdout.decode().split()
        check(len(out) == 1, "the target has %d X windows named %r, expected one" % (len(out), TARGET_TITLE))
        self.xdotool("windowfocus", "--sync", out[0])
        self.x.lower(int(out[0]))
        check(self.winctl("foreground", TARGET_TITLE)[0] == 0, "the target window is not the active window")

    def press(self, *keys, hold=KEY_HOLD, wait=True):
        """Holds the keys together (pressed in this order), then releases them in reverse.
        With wait false it returns at once (the xdotool process) so the screen can be
        watched from the moment the keys go down."""
        args = ["xdotool", "keydown", *keys, "sleep", str(hold), "keyup", *reversed(keys)]
        if not wait:
            return subprocess.Popen(args, env=self.env, stdout=subprocess.DEVNULL)
        subprocess.run(args, env=self.env, check=True, stdout=subprocess.DEVNULL)
        return None

    def type_keys(self, keys, hold=KEY_HOLD):
        """Types key after key (xdotool key names), each held long enough for a keyboard poll;
        the next key goes down as the last one comes up."""
        args = []
        for key in keys:
            args += ["keydown", key, "sleep", hold, "keyup", key]
        self.xdotool(*args)
