#!/usr/bin/env python3
"""Writes the input models of the intermediate-file golden cases:

  bdef/bdef.mqo        two bones in a row and a square tube round them named
                       "bdef:arm" (skinned by distance), beside a plain box;
  anchors/anchors.mqo  a spine and two "hand[]" bones, three tubes named as one
                       object "bdef:body", and its anchors: one object of two
                       boxes ("anchor_hands|body", material "hand[]", split and
                       bound by side) and one box round the spine;
  nested/nested.mqo    one bone, a tube "bdef:arm" holding a box "cuff|arm"
                       that holds a box "button|cuff", beside a plain box.
  anchor-material/anchor-material.mqo
                       two bones in a row and a tube "sdef:leg" with two
                       one-piece anchors: "anchor_knee" of material "lower"
                       lying nearer the upper bone, and "anchor_hip" of
                       material "upper".

Usage: make-cases.py [folder, default: this script's].
"""
import os
import sys


def tube(x, ys, half=1):
    verts = [(x + cx, y, cz) for y in ys for cx, cz in ((half, half), (half, -half), (-half, -half), (-half, half))]
    faces = []
    for r in range(len(ys) - 1):
        for k in range(4):
            a, b = r * 4 + k, r * 4 + (k + 1) % 4
            faces.append((a, b, b + 4, a + 4))
    return verts, faces


def box(lo, hi):
    verts = [(hi[0] if i & 1 else lo[0], hi[1] if i & 2 else lo[1], hi[2] if i & 4 else lo[2]) for i in range(8)]
    faces = [(0, 2, 3, 1), (4, 5, 7, 6), (0, 1, 5, 4), (2, 6, 7, 3), (0, 4, 6, 2), (1, 3, 7, 5)]
    return verts, faces


def join(*parts):
    verts, faces = [], []
    for v, f in parts:
        shift = len(verts)
        verts += v
        faces += [tuple(i + shift for i in face) for face in f]
    return verts, faces


def obj(name, mesh, material):
    verts, faces = mesh
    lines = ['Object "%s" {' % name, "\tvisible 15", "\tvertex %d {" % len(verts)]
    lines += ["\t\t%g %g %g" % v for v in verts]
    lines += ["\t}", "\tface %d {" % len(faces)]
    lines += ["\t\t%d V(%s) M(%d)" % (len(f), " ".join(map(str, f)), material) for f in faces]
    return lines + ["\t}", "}"]


def document(materials, objects):
    lines = ["Metasequoia Document", "Format Text Ver 1.0", "", "Material %d {" % len(materials)]
    lines += ['\t"%s" col(1.000 1.000 1.000 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)' % m
              for m in materials]
    lines.append("}")
    for o in objects:
        lines += o
    lines.append("Eof")
    return "\r\n".join(lines) + "\r\n"


def bones(triangles):
    """A "bone:" object of (start, head corner, end, material) triangles."""
    verts, faces = [], []
    for s, h, e, m in triangles:
        faces.append((len(verts), len(verts) + 1, len(verts) + 2, m))
        verts += [s, h, e]
    lines = ['Object "bone:skeleton" {', "\tvertex %d {" % len(verts)] + ["\t\t%g %g %g" % v for v in verts]
    lines += ["\t}", "\tface %d {" % len(faces)] + ["\t\t3 V(%d %d %d) M(%d)" % f for f in faces] + ["\t}", "}"]
    return lines


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    bdef = document(["skin", "upper", "lower"], [
        bones([((0, 0, 0), (0, 0, -4), (0, 10, 0), 1), ((0, 10, 0), (0, 10, -4), (0, 20, 0), 2)]),
        obj("bdef:arm", tube(0, [0, 5, 10, 15, 20]), 0),
        obj("plain", box((10, 0, 0), (11, 1, 1)), 0),
    ])
    anchors = document(["skin", "spine", "hand[]"], [
        bones([((0, 0, 0), (0, 0, -2), (0, 10, 0), 1), ((5, 10, 0), (5, 10, -2), (5, 0, 0), 2),
               ((-5, 10, 0), (-5, 10, -2), (-5, 0, 0), 2)]),
        obj("bdef:body", join(tube(-5, [0, 5, 10]), tube(0, [0, 5, 10]), tube(5, [0, 5, 10])), 0),
        obj("anchor_hands|body", join(box((-7, -1, -2), (-3, 11, 2)), box((3, -1, -2), (7, 11, 2))), 2),
        obj("anchor_spine|body", box((-2, -1, -2), (2, 11, 2)), 1),
    ])
    nested = document(["skin", "upper"], [
        bones([((0, 0, 0), (0, 0, -4), (0, 10, 0), 1)]),
        obj("bdef:arm", tube(0, [0, 5, 10]), 0),
        obj("cuff|arm", box((-2, 8, -2), (2, 10, 2)), 0),
        obj("button|cuff", box((2, 9, 0), (3, 10, 1)), 0),
        obj("plain", box((10, 0, 0), (11, 1, 1)), 0),
    ])
    anchor_material = document(["skin", "upper", "lower"], [
        bones([((0, 0, 0), (0, 0, -4), (0, 10, 0), 1), ((0, 10, 0), (0, 10, -4), (0, 20, 0), 2)]),
        obj("sdef:leg", tube(0, [0, 5, 10, 15, 20]), 0),
        obj("anchor_hip|leg", box((-2, -1, -2), (2, 7, 2)), 1),
        obj("anchor_knee|leg", box((-2, 4, -2), (2, 14, 2)), 2),
    ])
    for name, text in (("bdef", bdef), ("anchors", anchors), ("nested", nested),
                       ("anchor-material", anchor_material)):
        os.makedirs(os.path.join(folder, name), exist_ok=True)
        with open(os.path.join(folder, name, name + ".mqo"), "wb") as f:
            f.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
