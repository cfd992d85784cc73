#!/usr/bin/env python3
"""Draws the wizard's two banner images into res/: BXSidebar.png, the watermark of the welcome page
(164 x 314), and BXTopbar.png, the header bar of the other pages (497 x 57).

Both are a calm blue-to-teal gradient with a wireless motif: concentric arcs spreading from a point.
The header bar stays pale on its left, where the sheet draws the page's title in black.
Standard library only; run from anywhere:  python3 tools/make_banners.py
"""
import math
import os
import struct
import zlib

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")

DEEP_BLUE = (12, 52, 104)
MID_BLUE = (22, 96, 150)
TEAL = (24, 142, 146)
PALE = (255, 255, 255)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smoothstep(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


def arc_coverage(x, y, cx, cy, radius, width, direction, half_angle):
    """How much of pixel (x, y) an arc covers (0..1), anti-aliased across and along the stroke."""
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    dist = math.hypot(dx, dy)
    across = width / 2 - abs(dist - radius) + 0.5
    if across <= 0:
        return 0.0
    delta = math.atan2(dy, dx) - direction
    delta = (delta + math.pi) % (2 * math.pi) - math.pi
    along = (half_angle - abs(delta)) * dist + 0.5
    return max(0.0, min(1.0, across)) * max(0.0, min(1.0, along))


def dot_coverage(x, y, cx, cy, radius):
    return max(0.0, min(1.0, radius - math.hypot(x + 0.5 - cx, y + 0.5 - cy) + 0.5))


def draw(width, height, background, motif):
    """background(x, y) -> rgb; motif: list of (coverage(x, y), rgb, opacity) layers."""
    rows = []
    for y in range(height):
        row = bytearray([0])  # filter: none
        for x in range(width):
            r, g, b = background(x, y)
            for coverage, colour, opacity in motif:
                a = coverage(x, y) * opacity
                if a > 0:
                    r, g, b = (r + (colour[0] - r) * a, g + (colour[1] - g) * a, b + (colour[2] - b) * a)
            row += bytes((int(round(r)), int(round(g)), int(round(b))))
        rows.append(bytes(row))
    return b"".join(rows)


def write_png(path, width, height, raw_rgb_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB, not interlaced
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw_rgb_rows, 9)) +
            chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def waves(cx, cy, direction, half_angle, radii, width, opacity):
    layers = []
    for i, radius in enumerate(radii):
        fade = opacity * (1.0 - 0.16 * i)
        layers.append((lambda x, y, r=radius: arc_coverage(x, y, cx, cy, r, width, direction, half_angle),
                       PALE, fade))
    layers.append((lambda x, y: dot_coverage(x, y, cx, cy, width * 0.9), PALE, opacity))
    return layers


def sidebar():
    width, height = 164, 314

    def background(x, y):
        t = (y / (height - 1)) * 0.85 + (x / (width - 1)) * 0.15
        base = mix(DEEP_BLUE, MID_BLUE, t * 1.6) if t < 0.625 else mix(MID_BLUE, TEAL, (t - 0.625) / 0.375)
        # A soft lighter band across the middle, like a horizon.
        glow = math.exp(-((y - height * 0.58) / (height * 0.16)) ** 2) * 0.10
        return mix(base, PALE, glow)

    # Waves rise from a point near the lower left towards the upper right.
    motif = waves(34, 262, -math.pi / 3.2, math.radians(34), [26, 48, 70, 92, 114], 5.0, 0.78)
    # A large faint echo behind, filling the upper part.
    motif = [(lambda x, y, r=r: arc_coverage(x, y, 34, 262, r, 2.0, -math.pi / 3.2, math.radians(40)), PALE, 0.12)
             for r in (150, 180, 210)] + motif
    return width, height, draw(width, height, background, motif)


def topbar():
    width, height = 497, 57

    def background(x, y):
        t = smoothstep((x - width * 0.42) / (width * 0.58))
        colour = mix(MID_BLUE, TEAL, y / (height - 1) * 0.6 + 0.2)
        return mix(PALE, colour, t)

    # Waves spread to the right from a point near the right edge, vertically centred.
    motif = waves(438, 36, -math.pi / 4, math.radians(40), [9, 17, 25, 33], 3.2, 0.85)
    motif = [(lambda x, y, r=r: arc_coverage(x, y, 438, 36, r, 1.5, -math.pi / 4, math.radians(48)), PALE, 0.15)
             for r in (44, 54)] + motif
    # A thin teal rule along the bottom ties the bar to the page below it.
    motif.append((lambda x, y: 1.0 if y == height - 1 else 0.0, TEAL, 0.55))
    return width, height, draw(width, height, background, motif)


def main():
    for name, make in (("BXSidebar.png", sidebar), ("BXTopbar.png", topbar)):
        width, height, rows = make()
        path = os.path.normpath(os.path.join(RES_DIR, name))
        write_png(path, width, height, rows)
        print("wrote %s (%d x %d)" % (path, width, height))


if __name__ == "__main__":
    main()
