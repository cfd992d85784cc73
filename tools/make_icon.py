#!/usr/bin/env python3
"""Draws the program's icon, res/win32/nimbrel.ico, in the banners' style: a rounded tile with the
blue-to-teal gradient and the wireless waves spreading from a point in the lower left, its corners
transparent (an alpha channel, anti-aliased). Entries of 16, 32 and 48 pixels are 32-bit bitmaps with
an AND mask, which every Windows from XP on reads; the 256-pixel entry is a PNG (Vista and later).
Standard library only:  python3 tools/make_icon.py
"""
import io
import math
import os
import struct
import zlib

import make_banners as mb

ICON_PATH = os.path.join(mb.RES_DIR, "win32", "nimbrel.ico")
SIZES = (16, 32, 48, 256)
PNG_FROM = 256  # entries this large are stored as PNG


def tile_coverage(x, y, size):
    """How much of pixel (x, y) the rounded tile covers (0..1): a square with round corners."""
    radius = size * 0.2
    inner = size / 2 - radius
    dx = max(abs(x + 0.5 - size / 2) - inner, 0.0)
    dy = max(abs(y + 0.5 - size / 2) - inner, 0.0)
    return max(0.0, min(1.0, radius - math.hypot(dx, dy) + 0.5))


def icon_rgba(size):
    """Rows of (r, g, b, a) tuples, top row first."""
    scale = size / 32.0
    radii = [r * scale for r in (8, 14, 20)]
    motif = mb.waves(7 * scale, 25 * scale, -math.pi / 4, math.radians(42), radii, max(1.2, 2.6 * scale), 0.95)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            t = (y / (size - 1)) * 0.6 + (x / (size - 1)) * 0.4
            r, g, b = mb.mix(mb.DEEP_BLUE, mb.TEAL, t)
            for coverage, colour, opacity in motif:
                a = coverage(x, y) * opacity
                if a > 0:
                    r, g, b = (r + (colour[0] - r) * a, g + (colour[1] - g) * a, b + (colour[2] - b) * a)
            alpha = int(round(255 * tile_coverage(x, y, size)))
            row.append((int(round(r)), int(round(g)), int(round(b)), alpha))
        rows.append(row)
    return rows


def png_rgba(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def dib_bgra(size, rows):
    """BITMAPINFOHEADER, BGRA pixels bottom-up, then the AND mask (set where fully transparent)."""
    mask_stride = ((size + 31) // 32) * 4
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def main():
    images = []
    for size in SIZES:
        rows = icon_rgba(size)
        images.append(png_rgba(size, rows) if size >= PNG_FROM else dib_bgra(size, rows))
    out = io.BytesIO()
    out.write(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        dim = 0 if size >= 256 else size  # 0 means 256 in an icon directory
        out.write(struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    for data in images:
        out.write(data)
    with open(ICON_PATH, "wb") as f:
        f.write(out.getvalue())
    print("wrote %s (%s)" % (os.path.normpath(ICON_PATH), ", ".join(str(s) for s in SIZES)))


if __name__ == "__main__":
    main()
