#!/usr/bin/env python3
"""Draws the plug-in's icon (resource 113) and writes it as resources/stats.ico.

The picture: a light-yellow tile (the plug-in's window colour) with a dark
frame and three rising bars, a small score chart. Two sizes, 32 x 32 and
16 x 16, both 32-bit with an all-opaque mask. Run it again after changing the
picture and commit the .ico it writes; the build only reads the .ico.
"""
import os
import struct
import sys

TILE = (255, 250, 198)
FRAME = (40, 60, 110)
BARS = [(0, 120, 190), (0, 150, 110), (210, 70, 40)]


def draw(size):
    """Rows of (r, g, b) from top to bottom."""
    pixels = [[TILE for _ in range(size)] for _ in range(size)]
    edge = max(1, size // 16)
    for y in range(size):
        for x in range(size):
            if x < edge or y < edge or x >= size - edge or y >= size - edge:
                pixels[y][x] = FRAME
    # Three bars standing on a base line, rising left to right.
    base = size - 3 * edge - 1
    pixels_per_bar = (size - 6 * edge) // 4
    gap = (size - 2 * edge - 3 * pixels_per_bar) // 4
    for i, colour in enumerate(BARS):
        left = edge + gap + i * (pixels_per_bar + gap)
        height = (base - 3 * edge) * (i + 2) // 4
        for y in range(base - height, base + 1):
            for x in range(left, left + pixels_per_bar):
                pixels[y][x] = colour
    for x in range(2 * edge, size - 2 * edge):
        pixels[base + 1][x] = FRAME
    return pixels


def bitmap(size):
    """The icon image: a BITMAPINFOHEADER, BGRA rows bottom-up, the AND mask."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, 255)) for row in reversed(rows) for (r, g, b) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    return header + colour + mask


def icon(sizes):
    images = [bitmap(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "stats.ico")
    with open(target, "wb") as f:
        f.write(icon([32, 16]))


if __name__ == "__main__":
    main()
