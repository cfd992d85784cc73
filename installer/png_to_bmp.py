#!/usr/bin/env python3
"""Turns the wizard's sidebar banner (an 8-bit RGB PNG without row filters, as tools/make_banners.py
writes it) into the 24-bit BMP that the installer's welcome and finish pages show.
Standard library only:  png_to_bmp.py <in.png> <out.bmp>
"""
import struct
import sys
import zlib


def read_png_rgb(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("%s: not a PNG" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 2, 0):
        sys.exit("%s: only 8-bit RGB, not interlaced" % path)
    raw = zlib.decompress(idat)
    stride = width * 3 + 1
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        if line[0] != 0:
            sys.exit("%s: row %d uses a PNG filter" % (path, y))
        rows.append(line[1:])
    return width, height, rows


def write_bmp(path, width, height, rows):
    pad = (4 - width * 3 % 4) % 4
    out = bytearray()
    for row in reversed(rows):
        for x in range(width):
            r, g, b = row[3 * x:3 * x + 3]
            out += bytes((b, g, r))
        out += b"\x00" * pad
    pixels = bytes(out)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_bmp(sys.argv[2], *read_png_rgb(sys.argv[1]))
