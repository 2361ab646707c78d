#!/usr/bin/env python3
"""Draws the window's icon, a pipe in cross-section full of water, at 16, 32, 48, 64, 128 and 256
pixels square in the 16 colours of the classic palette, and writes each as a 4-bit indexed PNG
file, idrovela-N.png.

Usage: make_icons.py [OUTPUT_DIR]   (default: this script's folder)
Only the standard library is used; the PNG files are committed, so the build never runs this.
"""

import math
import os
import struct
import sys
import zlib

# The classic 16-colour palette; index 0 is drawn transparent.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
TRANSPARENT, NAVY, SILVER, GRAY, RED, BLUE, AQUA, WHITE = 0, 4, 7, 8, 9, 12, 14, 15

# The sizes drawn, in pixels; each is even, as a row packs two pixels a byte.
SIZES = (16, 32, 48, 64, 128, 256)


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from the point (px, py) to the segment from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def draw(size):
    """One index per pixel: a steel ring, the water inside, a wave and a red flow arrow.

    Every shape is laid out in fractions of the size, and the lines, 1 px wide up to 32 px, widen
    with the size above it, so the large icons are drawn, not enlarged.
    """
    centre = (size - 1) / 2
    outer = size / 2 - 0.25
    wall = max(1.5, size / 10)
    stroke = max(1, size / 32)
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            r = math.hypot(x - centre, y - centre)
            if r > outer:
                continue
            if r > outer - stroke:
                pixels[y][x] = GRAY if x + y > size else SILVER
            elif r > outer - wall:
                pixels[y][x] = SILVER if x + y < size - 2 else GRAY
            else:
                # Water: deeper below the wave, lighter above it.
                wave = centre - size / 10 + math.sin(x * 2 * math.pi / size * 2) * size / 24
                pixels[y][x] = NAVY if y > wave + size / 5 else BLUE if y > wave else AQUA
    # A round white glint on the upper left of the water; at 16 and 32 px it fills its square.
    glint = max(1, size // 16)
    gx, gy = int(centre - size / 4), int(centre - size / 4)
    glint_centre = (gx + glint / 2, gy + glint / 2)
    for dy in range(glint + 1):
        for dx in range(glint + 1):
            if math.hypot(gx + dx - glint_centre[0], gy + dy - glint_centre[1]) <= (glint + 1) / 2:
                pixels[gy + dy][gx + dx] = WHITE
    # A red arrow across the water, pointing right: the flow. A shaft and two barbs, 1 px wide
    # up to 32 px, and above it an odd number of pixels about the same lines, so it stays centred.
    mid = int(centre + size / 8)
    start, end = int(size * 0.28), int(size * 0.72)
    head = max(2, size // 8)
    lines = [(start, mid, end - 1, mid),
             (end - 1, mid - 1, end - head, mid - head),
             (end - 1, mid + 1, end - head, mid + head)]
    half = (size + 16) // 64 + 0.5
    for y in range(size):
        for x in range(size):
            if any(segment_distance(x, y, *line) <= half for line in lines):
                pixels[y][x] = RED
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(pixels):
    size = len(pixels)
    raw = b""
    for row in pixels:
        raw += b"\x00"  # no filter
        for x in range(0, size, 2):
            raw += bytes([(row[x] << 4) | row[x + 1]])
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit indexed colour
    palette = b"".join(bytes(colour) for colour in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"tRNS", b"\x00") + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for size in SIZES:
        with open(os.path.join(out, f"idrovela-{size}.png"), "wb") as f:
            f.write(png(draw(size)))


if __name__ == "__main__":
    main()
