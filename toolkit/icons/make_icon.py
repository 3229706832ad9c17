#!/usr/bin/env python3
"""Draws the program's icon, a dark green CD on white, in 32x32 and 16x16 pixels with the
16-colour palette, and writes it as PNG files (for Qt) and one .ico file (for Windows).

Run it from this folder: python3 make_icon.py
"""
import math
import struct
import zlib

# The standard 16-colour palette; the icon uses white, dark green, green and black.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, GREEN, WHITE = 0, 2, 10, 15


def draw(size):
    """Rows of palette indices: a disc with its hole and a bright reflection."""
    c = (size - 1) / 2.0
    outer = size / 2.0 - 0.5
    hole = size * 0.09 + 0.5
    hub = size * 0.2
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = math.hypot(x - c, y - c)
            angle = math.degrees(math.atan2(c - y, x - c)) % 360
            if r > outer:
                row.append(WHITE)
            elif r > outer - 1.0:
                row.append(BLACK if size >= 32 else DARK_GREEN)
            elif r <= hole:
                row.append(WHITE)
            elif r <= hole + 1.0:
                row.append(DARK_GREEN)
            elif r <= hub:
                row.append(WHITE)
            elif 115 <= angle <= 150 and r > hub + 1.5:
                row.append(GREEN)  # the light on the disc
            else:
                row.append(DARK_GREEN)
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(
        b"\0" + bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2)) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0))
            + chunk(b"PLTE", b"".join(bytes(rgb) for rgb in PALETTE))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def bmp_for_ico(rows):
    """A 4-bit DIB with its AND mask, bottom row first, as an .ico entry holds it."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = b"".join(
        bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2)).ljust(xor_stride, b"\0")
        for row in reversed(rows))
    mask = b"\0" * (and_stride * size)  # every pixel opaque: the white is part of the picture
    return header + palette + xor + mask


def ico(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        blob = bmp_for_ico(rows)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


if __name__ == "__main__":
    images = [draw(32), draw(16)]
    for rows in images:
        with open("platnovnik-%d.png" % len(rows), "wb") as f:
            f.write(png(rows))
    with open("platnovnik.ico", "wb") as f:
        f.write(ico(images))
