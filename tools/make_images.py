#!/usr/bin/env python3
"""Draws Gradova's icon and the main window's home-page picture.

The program's images are simple shapes (a rounded tile with a rising bar chart), drawn here so
that they can be redrawn at any size without an image editor. The icon is written as PNG files
at the sizes the program and the desktop's icon theme use, as an SVG of the same shapes for the
theme's scalable size, and as a Windows .ico that holds the PNGs.
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


# The icon's shapes, in fractions of its size: the tile's corner radius, each bar's left edge and
# top (bars are BAR_WIDTH wide and end at BAR_BOTTOM), and the gold dot's centre and radius.
TILE_RADIUS = 0.2
BARS = [(0.22, 0.62), (0.42, 0.45), (0.62, 0.28)]
BAR_WIDTH = 0.16
BAR_BOTTOM = 0.8
DOT = (0.78, 0.2, 0.1)
ICON_SIZES = (16, 32, 48, 256)


def icon_pixel(size):
    radius = size * TILE_RADIUS
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        # rounded tile
        cx = min(max(x + 0.5, radius), size - radius)
        cy = min(max(y + 0.5, radius), size - radius)
        if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > radius ** 2:
            return (0, 0, 0, 0)
        colour = mix(BLUE_TOP, BLUE_BOTTOM, v)
        for left, top in BARS:
            if left <= u < left + BAR_WIDTH and top <= v < BAR_BOTTOM:
                colour = WHITE
        if (u - DOT[0]) ** 2 + (v - DOT[1]) ** 2 < DOT[2] ** 2:
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


def icon_svg():
    size = 256
    def at(fraction):
        return f"{fraction * size:g}"
    def hex_colour(colour):
        return "#" + "".join(f"{c:02x}" for c in colour)
    bars = "".join(
        f'  <rect x="{at(left)}" y="{at(top)}" width="{at(BAR_WIDTH)}" '
        f'height="{at(BAR_BOTTOM - top)}" fill="#ffffff"/>\n' for left, top in BARS)
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">\n'
        '  <defs>\n'
        '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">\n'
        f'      <stop offset="0" stop-color="{hex_colour(BLUE_TOP)}"/>\n'
        f'      <stop offset="1" stop-color="{hex_colour(BLUE_BOTTOM)}"/>\n'
        '    </linearGradient>\n'
        '  </defs>\n'
        f'  <rect width="{size}" height="{size}" rx="{at(TILE_RADIUS)}" fill="url(#tile)"/>\n'
        + bars +
        f'  <circle cx="{at(DOT[0])}" cy="{at(DOT[1])}" r="{at(DOT[2])}" '
        f'fill="{hex_colour(GOLD)}"/>\n'
        '</svg>\n')


def ico(pngs):
    """An .ico whose images are PNG files, as Windows reads them since Vista."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries = b""
    for size, data in pngs:
        # A size of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in pngs)


def main(folder):
    pngs = []
    for size in ICON_SIZES:
        data = png(size, size, icon_pixel(size))
        pngs.append((size, data))
        with open(f"{folder}/gradova-{size}.png", "wb") as out:
            out.write(data)
    with open(f"{folder}/gradova.svg", "w", encoding="ascii", newline="\n") as out:
        out.write(icon_svg())
    with open(f"{folder}/gradova.ico", "wb") as out:
        out.write(ico(pngs))
    with open(f"{folder}/home_link.png", "wb") as out:
        out.write(png(80, 144, banner_pixel(80, 144)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "ui/res")
