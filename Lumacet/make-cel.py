#!/usr/bin/env python3
"""Writes cel.bmp, the cel-shading ramp the player loads from the program
folder: 16 x 64 pixels, 24-bit, in three bands from top to bottom. A surface
facing the light reads the top rows (v = 0.5 - 0.5 n.L), so the bands are
lit, half-lit and shaded. Usage: make-cel.py [output file, default: beside
this script]."""
import os
import struct
import sys

WIDTH, HEIGHT = 16, 64
BANDS = [(26, 0xFF), (35, 0xC8), (HEIGHT, 0x96)]  # (rows up to, grey)


def grey(row):
    for end, value in BANDS:
        if row < end:
            return value
    return BANDS[-1][1]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "cel.bmp")
    stride = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in range(HEIGHT - 1, -1, -1):  # bottom-up
        line = bytes([grey(row)] * 3 * WIDTH)
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(out, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    main()
