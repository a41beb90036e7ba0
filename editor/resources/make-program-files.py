#!/usr/bin/env python3
"""Writes the files the editor loads from its program folder:

  general.mqo   the "general" character's model: a floor grid and the three
                axes drawn as lines (Metasequoia text);
  font16.bmp    256 x 256 handle texture; its lower cells hold the icons of
                the manipulators, time bar and key bars, white on black (the
                loader turns opaque black transparent);
  env.bmp       a sky sphere map for the hidden-interface display mode;
  cel.bmp       the cel-shading ramp (rows from lit to shadowed);
  cellight.bmp  the cel highlight sphere map (a soft spot, black elsewhere).

Usage: make-program-files.py <output folder>. Python 3 standard library only.
"""
import math
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    """24-bit bottom-up BMP; pixel(x, y) gives (r, g, b) with y from the top."""
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += bytes(row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def clamp(v):
    return max(0, min(255, int(v)))


# --- font16.bmp: icon cells (top-left corner, size) and their shapes ---------

def disc(cx, cy, r0, r1):
    """Ring from radius r0 to r1 around (cx, cy) (r0 = 0: a filled disc)."""
    return lambda x, y: r0 <= math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r1


def diamond(cx, cy, r):
    return lambda x, y: abs(x + 0.5 - cx) + abs(y + 0.5 - cy) <= r


def triangle_down(cx, top, half, height):
    return lambda x, y: top <= y < top + height and abs(x + 0.5 - cx) <= half * (1 - (y - top) / height)


def cross(cx, cy, r, w):
    return lambda x, y: (abs((x - cx) - (y - cy)) <= w or abs((x - cx) + (y - cy)) <= w) and \
        abs(x - cx) <= r and abs(y - cy) <= r


def either(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


ICONS = [
    ((0, 144), 16, either(disc(8, 8, 5, 7), disc(8, 8, 0, 2.5))),   # IK-chain locate mark
    ((16, 144), 16, disc(8, 8, 4, 6.5)),                            # locate mark
    ((32, 144), 16, lambda x, y: 3 <= x <= 12 and 1 <= y <= 14),   # slider knob
    ((48, 144), 16, lambda x, y: 6 <= x <= 9 or (x > 9 and y < 7 and x - 9 <= 7 - y)),  # end mark
    ((64, 144), 16, triangle_down(8, 2, 7, 12)),                    # time bar marker
    ((80, 144), 16, diamond(8, 8, 6.5)),                           # key mark of a motion bar
    ((0, 160), 16, cross(7.5, 7.5, 7, 1)),                          # fixed world locate
    ((80, 160), 16, diamond(8, 8, 4.5)),                           # key mark of a control row
    ((80, 128), 16, disc(8, 8, 5.5, 7.5)),                          # active handle highlight
]
# Manipulator handles 3 to 8: three squares (axes), three discs (rings).
for k in range(6):
    shape = (lambda x, y: 1 <= x <= 6 and 1 <= y <= 6) if k < 3 else disc(4, 4, 0, 3.4)
    ICONS.append(((8 * k, 128), 8, shape))


def font_pixel(x, y):
    for (cx, cy), size, shape in ICONS:
        if cx <= x < cx + size and cy <= y < cy + size and shape(x - cx, y - cy):
            return (255, 255, 255)
    return (0, 0, 0)


# --- sphere maps and the ramp ---------------------------------------------

def env_pixel(x, y, n=128):
    u, v = (x + 0.5) / n * 2 - 1, (y + 0.5) / n * 2 - 1
    if u * u + v * v > 1:
        return (20, 30, 40)
    t = (v + 1) / 2  # 0 at the top (sky), 1 at the bottom (ground)
    sky = (150, 190, 235)
    ground = (70, 60, 50)
    c = [s * (1 - t) + g * t for s, g in zip(sky, ground)]
    glint = max(0.0, 1 - math.hypot(u + 0.35, v + 0.45) / 0.25)
    return tuple(clamp(v_ + 255 * glint) for v_ in c)


def cel_pixel(x, y, height=64):
    # v = 0.5 - 0.5 n.L: lit rows at the top, then half-lit and shaded. The
    # player shares the program folder and this file (Lumacet/make-cel.py).
    for end, grey in ((26, 0xFF), (35, 0xC8), (height, 0x96)):
        if y < end:
            return (grey,) * 3
    return (0x96,) * 3


def cellight_pixel(x, y, n=64):
    u, v = (x + 0.5) / n * 2 - 1, (y + 0.5) / n * 2 - 1
    spot = max(0.0, 1 - math.hypot(u + 0.4, v + 0.4) / 0.3)
    return (clamp(255 * spot),) * 3


# --- general.mqo --------------------------------------------------------------

def general_mqo():
    """A floor grid of lines (cheap to draw at any size) and the three axes;
    one small quad under the origin gives the object its normals."""
    size, cells = 400.0, 20
    step = 2 * size / cells
    verts, faces = [], []
    for k in range(cells + 1):
        t = -size + k * step
        for a, b in (((t, 0.0, -size), (t, 0.0, size)), ((-size, 0.0, t), (size, 0.0, t))):
            faces.append((2, (len(verts), len(verts) + 1), 1 if abs(t) < 1e-6 else 0))
            verts += [a, b]
    for a, b, m in (((0, 0.5, 0), (120, 0.5, 0), 2), ((0, 0.5, 0), (0, 120.5, 0), 3),
                    ((0, 0.5, 0), (0, 0.5, 120), 4)):
        faces.append((2, (len(verts), len(verts) + 1), m))
        verts += [a, b]
    q = len(verts)
    verts += [(-1.0, -0.1, -1.0), (1.0, -0.1, -1.0), (1.0, -0.1, 1.0), (-1.0, -0.1, 1.0)]
    faces.append((4, (q, q + 1, q + 2, q + 3), 0))
    out = ["Metasequoia Document", "Format Text Ver 1.0", "", "Scene {", "\tpos 0 0 1500",
           "\tlookat 0 0 0", "}", "Material 5 {"]
    mats = [("grid", (0.30, 0.40, 0.50)), ("grid-centre", (0.50, 0.60, 0.70)),
            ("axis-x", (1.0, 0.3, 0.3)), ("axis-y", (0.3, 1.0, 0.3)), ("axis-z", (0.3, 0.5, 1.0))]
    for name, (r, g, b) in mats:
        out.append('\t"%s" col(%.3f %.3f %.3f 1.000) dif(0.800) amb(0.600) emi(0.600) spc(0.000) power(5.00)'
                   % (name, r, g, b))
    out += ["}", 'Object "floor" {', "\tvisible 15", "\tlocking 0", "\tshading 1", "\tfacet 59.5",
            "\tvertex %d {" % len(verts)]
    out += ["\t\t%.4f %.4f %.4f" % v for v in verts]
    out += ["\t}", "\tface %d {" % len(faces)]
    for n, idx, m in faces:
        out.append("\t\t%d V(%s) M(%d)" % (n, " ".join(str(i) for i in idx), m))
    out += ["\t}", "}", "Eof", ""]
    return "\n".join(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-program-files.py <output folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "general.mqo"), "w", newline="\n") as f:
        f.write(general_mqo())
    write_bmp(os.path.join(folder, "font16.bmp"), 256, 256, font_pixel)
    write_bmp(os.path.join(folder, "env.bmp"), 128, 128, env_pixel)
    write_bmp(os.path.join(folder, "cel.bmp"), 16, 64, cel_pixel)
    write_bmp(os.path.join(folder, "cellight.bmp"), 64, 64, cellight_pixel)


if __name__ == "__main__":
    main()
