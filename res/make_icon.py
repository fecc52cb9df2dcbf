#!/usr/bin/env python3
"""Draws the application icon (a soft yellow halo with a dark pointer) at 16, 32 and 48
pixels and writes Glimmora.ico. Run it again after changing the drawing."""
import math
import struct
import sys
import zlib


def pixel(size, x, y):
    """RGBA of one pixel, supersampled 4x4 for smooth edges."""
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            u = (x + (sx + 0.5) / 4) / size
            v = (y + (sy + 0.5) / 4) / size
            r = math.hypot(u - 0.5, v - 0.5)
            colour = None
            if inside_pointer(u, v):
                colour = (30, 30, 40, 255)
            elif r < 0.47:
                glow = 1.0 - r / 0.47
                colour = (255, 214, 64, int(110 + 145 * glow))
            if colour:
                for i in range(3):
                    acc[i] += colour[i] * colour[3] / 255.0
                acc[3] += colour[3]
    alpha = acc[3] / 16
    if alpha == 0:
        return (0, 0, 0, 0)
    return tuple(int(min(255, acc[i] / (acc[3] / 255.0))) for i in range(3)) + (int(alpha),)


# A classic arrow pointer, tip at the centre of the halo (unit square coordinates).
POINTER = [(0.50, 0.50), (0.50, 0.92), (0.60, 0.82), (0.68, 0.98), (0.75, 0.95),
           (0.67, 0.79), (0.80, 0.79)]


def inside_pointer(u, v):
    inside = False
    j = len(POINTER) - 1
    for i, (xi, yi) in enumerate(POINTER):
        xj, yj = POINTER[j]
        if (yi > v) != (yj > v) and u < (xj - xi) * (v - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def png(size):
    rows = b""
    for y in range(size):
        rows += b"\0" + b"".join(bytes(pixel(size, x, y)) for x in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def main(path):
    images = [(s, png(s)) for s in (16, 32, 48)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Glimmora.ico")
