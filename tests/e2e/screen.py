"""Checks, colour arithmetic and screenshots as pixels, for the end-to-end tests (taken
through harness.py)."""

import ctypes
import math
import time

class CheckFailed(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def log(*parts):
    print("[%7.2f]" % (time.monotonic() - _T0), *parts, flush=True)


_T0 = time.monotonic()


def alpha_from_percent(percent):
    """The layered-window alpha of a transparency slider value (ties to even, as round())."""
    return int(round(255 - 2.55 * percent))


def blend(colour, alpha, background):
    return tuple(round(c * alpha / 255 + b * (255 - alpha) / 255) for c, b in zip(colour, background))


def close_to(actual, expected, tolerance):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


# ---------------------------------------------------------------------------------------
# Screenshots


class Shot:
    """One screenshot as raw RGB, with the PNG kept for a failure report."""

    def __init__(self, path, width, height, data):
        self.path, self.width, self.height, self.data = path, width, height, data

    def pixel(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, "pixel (%d, %d) is off the screen" % (x, y))
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def run_along(self, x, y, dx, dy, inside):
        """Steps from (x, y) while inside(pixel) holds; returns the last coordinate inside."""
        while 0 <= x + dx < self.width and 0 <= y + dy < self.height and inside(self.pixel(x + dx, y + dy)):
            x, y = x + dx, y + dy
        return x, y

    def extent(self, x, y, inside):
        """(left, top, right, bottom) of the run of pixels for which inside() holds, along the
        row and the column through (x, y); right and bottom are inclusive."""
        left = self.run_along(x, y, -1, 0, inside)[0]
        right = self.run_along(x, y, 1, 0, inside)[0]
        top = self.run_along(x, y, 0, -1, inside)[1]
        bottom = self.run_along(x, y, 0, 1, inside)[1]
        return left, top, right, bottom

    def runs(self, x, y, dx, dy, inside, reach):
        """Runs of pixels for which inside() holds on the ray from (x, y) in steps of (dx, dy),
        up to reach steps: a list of (first, last) step counts, both inclusive."""
        found = []
        for step in range(reach + 1):
            px, py = x + step * dx, y + step * dy
            if not (0 <= px < self.width and 0 <= py < self.height):
                break
            if inside(self.pixel(px, py)):
                if found and found[-1][1] == step - 1:
                    found[-1] = (found[-1][0], step)
                else:
                    found.append((step, step))
        return found

    def matching(self, left, top, right, bottom, inside):
        """Points of the box (right and bottom exclusive, clipped to the screen) whose
        pixel satisfies inside()."""
        return [(px, py) for py in range(max(top, 0), min(bottom, self.height))
                for px in range(max(left, 0), min(right, self.width)) if inside(self.pixel(px, py))]


def keyboard_zone(x, y, px, py):
    """True near where the keyboard display sits for a pointer at (px, py): left of and
    below the pointer. Pixel checks of other overlays leave that place out."""
    return px - 240 <= x <= px - 5 and py + 15 <= y <= py + 60


def on_circle(px, py, radius, steps=16):
    """Integer points on a circle around (px, py), away from the keyboard display's place."""
    points = []
    for i in range(steps):
        a = 2 * math.pi * i / steps
        x, y = int(round(px + radius * math.cos(a))), int(round(py - radius * math.sin(a)))
        if not keyboard_zone(x, y, px, py):
            points.append((x, y))
    return points


# ---------------------------------------------------------------------------------------
# The display through Xlib, for what a screenshot is too slow for


class XDisplay:
    """A connection to the X display through libX11 (ctypes, so the standard library
    suffices): single pixels of the composited screen in well under a millisecond, where
    `import` takes 0.3 s for the screen, and the stacking of X windows."""

    _ZPIXMAP = 2
    _ALL_PLANES = 0xFFFFFFFF

    def __init__(self, name):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        x.XLowerWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x = x
        self.d = x.XOpenDisplay(name.encode())
        check(self.d, "cannot open the X display %s" % name)
        self.root = x.XDefaultRootWindow(self.d)

    def pixel(self, px, py):
        """(r, g, b) of the screen at (px, py), as the compositor shows it now."""
        image = self.x.XGetImage(self.d, self.root, px, py, 1, 1, self._ALL_PLANES, self._ZPIXMAP)
        check(image, "XGetImage failed at (%d, %d)" % (px, py))
        value = self.x.XGetPixel(image, 0, 0)
        self.x.XDestroyImage(image)
        return (value >> 16) & 255, (value >> 8) & 255, value & 255

    def lower(self, window):
        self.x.XLowerWindow(self.d, window)
        self.x.XSync(self.d, 0)

    def close(self):
        if self.d:
            self.x.XCloseDisplay(self.d)
            self.d = None
