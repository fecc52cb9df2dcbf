"""Seeing the screen: the verdict of a check, colours as the compositor blends them, a
screenshot's pixels, single pixels straight from X, and the harness's screenshot methods."""

import ctypes
import math
import os
import subprocess
import time

_T0 = time.monotonic()
BLUE = (0, 0, 255)   # the target window's colour, under every overlay


class CheckFailed(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def log(*parts):
    print("[%7.2f]" % (time.monotonic() - _T0), *parts, flush=True)


def alpha_from_percent(percent):   # the alpha of a transparency slider value
    return int(round(255 - 2.55 * percent))


def blend(colour, alpha, background=BLUE):
    return tuple(round(c * alpha / 255 + b * (255 - alpha) / 255) for c, b in zip(colour, background))


def close_to(actual, expected, tolerance=4):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def plain(p):   # the blue target shows
    return close_to(p, BLUE, 3)


def tinted(p):   # the default halo over the target
    return close_to(p, blend((0, 0, 0), alpha_from_percent(80)))


def halo_on_circles(s, x, y, radii, what):
    """radii: [(radius, whether the circle around (x, y) shows the default halo)]."""
    for r, want in radii:
        wrong = [p for p in on_circle(x, y, r) if tinted(s.pixel(*p)) != want]
        check(not wrong, "%s at radius %d should %sbe tinted: %s" % (what, r, "" if want else "not ", wrong[:3]))


def on_circle(px, py, radius, steps=16):
    """Points on a circle around (px, py), away from the keyboard display (left of and below it)."""
    points = [(int(round(px + radius * math.cos(2 * math.pi * i / steps))),
               int(round(py - radius * math.sin(2 * math.pi * i / steps)))) for i in range(steps)]
    return [(x, y) for x, y in points if not (px - 240 <= x <= px - 5 and py + 15 <= y <= py + 60)]


class Shot:   # raw RGB, with the PNG kept for a failure report
    def __init__(self, path, size=None):   # the size of a screenshot is known; of another file, asked
        size = size or subprocess.run(["identify", "-format", "%w %h", path], check=True,
                                      stdout=subprocess.PIPE).stdout.split()
        self.path, (self.width, self.height) = path, map(int, size)
        self.data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
        check(len(self.data) == self.width * self.height * 3, "%s has %d bytes of pixels" % (path, len(self.data)))

    def pixel(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, "pixel (%d, %d) is off the screen" % (x, y))
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def extent(self, x, y, inside):
        """(left, top, right, bottom), inclusive, of the runs inside() holds along the row and column."""
        def end(dx, dy):
            px, py = x, y
            while 0 <= px + dx < self.width and 0 <= py + dy < self.height and inside(self.pixel(px + dx, py + dy)):
                px, py = px + dx, py + dy
            return px if dx else py
        return end(-1, 0), end(0, -1), end(1, 0), end(0, 1)

    def runs(self, x, y, dx, dy, inside, reach):
        """(first, last) step counts of the runs for which inside() holds on the ray from (x, y)."""
        found = []
        for i in range(reach + 1):
            px, py = x + i * dx, y + i * dy
            if 0 <= px < self.width and 0 <= py < self.height and inside(self.pixel(px, py)):
                if found and found[-1][1] == i - 1:
                    found[-1] = (found[-1][0], i)
                else:
                    found.append((i, i))
        return found

    def painted(self, others):
        """Every pixel that is not the blue target, outside the others (rectangles of windows not
        ours to check); stretches of a row that equal blue are skipped at once."""
        out = []
        for y in range(self.height):
            # The row's stretches between the others that cross it.
            cuts = sorted((max(o[0] - 2, 0), min(o[2] + 2, self.width)) for o in others if o[1] - 2 <= y < o[3] + 2)
            start = 0
            for left, right in cuts + [(self.width, self.width)]:
                if left > start and self.data[(y * self.width + start) * 3:(y * self.width + left) * 3] != \
                        bytes(BLUE) * (left - start):
                    out += [(x, y) for x in range(start, left) if not plain(self.pixel(x, y))]
                start = max(start, right)
        return out

    def matching(self, left, top, right, bottom, inside):
        return [(px, py) for py in range(max(top, 0), min(bottom, self.height))
                for px in range(max(left, 0), min(right, self.width)) if inside(self.pixel(px, py))]


class XDisplay:
    """libX11 through ctypes: a pixel of the screen in well under a millisecond (`import` takes 0.3 s)."""

    def __init__(self, name):
        x = self.x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = x.XGetImage.restype = ctypes.c_void_p
        x.XDefaultRootWindow.restype = x.XGetPixel.restype = ctypes.c_ulong
        v, u, i = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int
        x.XOpenDisplay.argtypes, x.XDefaultRootWindow.argtypes, x.XDestroyImage.argtypes = [ctypes.c_char_p], [v], [v]
        x.XGetImage.argtypes = [v, u, i, i, ctypes.c_uint, ctypes.c_uint, u, i]
        x.XGetPixel.argtypes, x.XLowerWindow.argtypes, x.XSync.argtypes = [v, i, i], [v, u], [v, i]
        self.d = x.XOpenDisplay(name.encode())
        check(self.d, "cannot open the X display %s" % name)
        self.root = x.XDefaultRootWindow(self.d)

    def pixel(self, px, py):
        image = self.x.XGetImage(self.d, self.root, px, py, 1, 1, 0xFFFFFFFF, 2)   # ZPixmap
        check(image, "XGetImage failed at (%d, %d)" % (px, py))
        value = self.x.XGetPixel(image, 0, 0)
        self.x.XDestroyImage(image)
        return (value >> 16) & 255, (value >> 8) & 255, value & 255

    def lower(self, window):
        self.x.XLowerWindow(self.d, window)
        self.x.XSync(self.d, 0)


class ScreenMixin:
    """Screenshots of the test's display into its work folder; the harness supplies env,
    work, bin, screen and the shot counter."""
    _x = None

    @property
    def x(self):
        if not self._x:   # opened on first use
            self._x = XDisplay(self.env["DISPLAY"])
        return self._x

    def watch(self, x, y, seconds, every=0.01):
        """The screen at (x, y) over that many seconds: [(seconds since the start, (r, g, b))]."""
        samples, start = [], time.monotonic()
        while time.monotonic() - start <= seconds:
            samples.append((time.monotonic() - start, self.x.pixel(x, y)))
            time.sleep(every)
        return samples

    def shot(self):
        self.shots += 1
        png = os.path.join(self.work, "shot%02d.png" % self.shots)
        subprocess.run(["import", "-window", "root", png], env=self.env, check=True)
        return Shot(png, self.screen)

    def settle(self, verify, timeout=3.0):
        """Takes screenshots until verify(shot) passes its checks and returns that shot (the
        compositor may show a frame or two of the old state after a change)."""
        deadline = time.monotonic() + timeout
        while True:
            s = self.shot()
            try:
                verify(s)
                return s
            except CheckFailed as e:
                if time.monotonic() > deadline:
                    raise CheckFailed("%s (screenshot %s)" % (e, s.path))
                # xcompmgr may not repaint what a reshaped colour-keyed window uncovers.
                subprocess.run(["xrefresh"], env=self.env)
            time.sleep(0.05)

    def crop(self, shot, rect, name):
        """Saves a rectangle of a screenshot under GLIMMORA_E2E_SHOTS (default <build>/e2e-shots)."""
        path = os.path.join(os.environ.get("GLIMMORA_E2E_SHOTS") or os.path.join(os.path.dirname(self.bin),
                                                                                 "e2e-shots"), name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["convert", shot.path, "-crop", "%dx%d+%d+%d" % (rect[2] - rect[0], rect[3] - rect[1], *rect[:2]),
                        "+repage", path], check=True)
        return path
