#!/usr/bin/env python3
"""Draws Gradova's icon and the main window's home-page picture as PNG files.

The program's images are simple shapes (a rounded tile with a rising bar chart), drawn here so
that they can be redrawn at any size without an image editor.
"""
import struct
import sys
import zlib


def png(width, height, pixel):
    rows = b"".join(
        b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


BLUE_TOP = (36, 99, 178)
BLUE_BOTTOM = (22, 63, 122)
WHITE = (255, 255, 255)
GOLD = (247, 190, 52)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def icon_pixel(size):
    radius = size * 0.2
    bars = [(0.22, 0.62), (0.42, 0.45), (0.62, 0.28)]  # left edge and top of each bar, in size
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        # rounded tile
        cx = min(max(x + 0.5, radius), size - radius)
        cy = min(max(y + 0.5, radius), size - radius)
        if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > radius ** 2:
            return (0, 0, 0, 0)
        colour = mix(BLUE_TOP, BLUE_BOTTOM, v)
        for left, top in bars:
            if left <= u < left + 0.16 and top <= v < 0.8:
                colour = WHITE
        if (u - 0.78) ** 2 + (v - 0.2) ** 2 < 0.01:
            colour = GOLD
        return colour + (255,)
    return pixel


def banner_pixel(width, height):
    def pixel(x, y):
        u, v = (x + 0.5) / width, (y + 0.5) / height
        colour = mix(BLUE_TOP, BLUE_BOTTOM, v)
        for left, top in [(0.2, 0.55), (0.42, 0.42), (0.64, 0.3)]:
            if left <= u < left + 0.16 and top <= v < 0.7:
                colour = WHITE
        if (u - 0.5) ** 2 * (width / height) ** 2 + (v - 0.17) ** 2 < 0.004:
            colour = GOLD
        if 0.8 <= v < 0.83 and 0.15 <= u < 0.85:
            colour = GOLD
        return colour + (255,)
    return pixel


def main(folder):
    for size in (16, 32, 48, 256):
        with open(f"{folder}/gradova-{size}.png", "wb") as out:
            out.write(png(size, size, icon_pixel(size)))
    with open(f"{folder}/home_link.png", "wb") as out:
        out.write(png(80, 144, banner_pixel(80, 144)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "ui/res")
