#!/usr/bin/env python3
"""Draws the program icon (velmarin.ico beside this script): a blue rounded square holding
three list rows, each with a status dot in the colours of the list (green, yellow, red).

Run it again after changing the design; the .ico is committed so the build needs no Python."""
import math
import os
import struct

SIZES = (16, 24, 32, 48)
SAMPLES = 4
GRID = 16.0

BLUE_TOP = (52, 120, 214)
BLUE_BOTTOM = (28, 78, 160)
RIM = (18, 52, 112)
LINE = (255, 255, 255)
DOTS = ((46, 170, 72), (250, 196, 30), (224, 48, 48))
ROWS = (4.4, 8.0, 11.6)


def rounded_square_distance(x, y):
    qx = abs(x - 8) - 5.6
    qy = abs(y - 8) - 5.6
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - 1.9


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def colour_at(x, y):
    """(r, g, b) at a design point, or None outside the icon."""
    d = rounded_square_distance(x, y)
    if d > 0:
        return None
    for row, dot in zip(ROWS, DOTS):
        if math.hypot(x - 4.6, y - row) <= 1.45:
            return dot
        if segment_distance(x, y, 7.2, row, 12.4, row) <= 0.75:
            return LINE
    if d > -0.8:
        return RIM
    t = y / GRID
    return tuple(top + (bottom - top) * t for top, bottom in zip(BLUE_TOP, BLUE_BOTTOM))


def pixels(size):
    """Rows bottom-up (as a BMP stores them), each pixel B, G, R, A, not premultiplied."""
    scale = GRID / size
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((x + (sx + 0.5) / SAMPLES) * scale,
                                  (y + (sy + 0.5) / SAMPLES) * scale)
                    if c is None:
                        continue
                    covered += 1
                    for i in range(3):
                        total[i] += c[i]
            if covered == 0:
                row += bytes(4)
                continue
            r, g, b = (round(v / covered) for v in total)
            a = round(255 * covered / (SAMPLES * SAMPLES))
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def bmp_image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels(size) + bytes(mask_row * size)


def main():
    images = [bmp_image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "velmarin.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
