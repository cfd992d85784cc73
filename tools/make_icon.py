#!/usr/bin/env python3
"""Draws the program's icon, res/win32/nimbrel.ico, in the banners' style: the blue-to-teal gradient
with the wireless waves spreading from a point in the lower left. PNG-compressed entries of 16, 32,
48 and 256 pixels (read by Windows Vista and later). Standard library only:  python3 tools/make_icon.py
"""
import io
import math
import os
import struct
import tempfile

import make_banners as mb

ICON_PATH = os.path.join(mb.RES_DIR, "win32", "nimbrel.ico")
SIZES = (16, 32, 48, 256)


def icon_png(size):
    def background(x, y):
        t = (y / (size - 1)) * 0.6 + (x / (size - 1)) * 0.4
        return mb.mix(mb.DEEP_BLUE, mb.TEAL, t)

    scale = size / 32.0
    radii = [r * scale for r in (8, 14, 20)]
    motif = mb.waves(7 * scale, 25 * scale, -math.pi / 4, math.radians(42), radii, max(1.2, 2.6 * scale), 0.95)
    rows = mb.draw(size, size, background, motif)
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "icon.png")
        mb.write_png(path, size, size, rows)
        with open(path, "rb") as f:
            return f.read()


def main():
    images = [icon_png(size) for size in SIZES]
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
