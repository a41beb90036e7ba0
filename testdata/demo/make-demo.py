#!/usr/bin/env python3
"""Writes the demonstration character from the file formats alone:

  demo.mqo  a skeleton made of "bone:" triangles (start, head corner, end)
            with "[]" sides, and on it:
            - "bdef:body", a textured body of about 20,000 triangles that the
              bone deformer skins to the skeleton by distance: each bone
              reaches as far as its head corner lies from its start;
            - "morph:face", a mouth with the morph targets "smile|face" and
              "open|face" (same vertex count);
            - "skin:sleeve", a band round the left elbow glued to the rings
              "upper|sleeve-upperarm[L]" and "lower|sleeve-forearm[L]",
              whose vertices it shares exactly;
  demo.bmp  its 128 x 128 texture;
  walk.kvm  a 96-frame walk that keys the bones' rotations ("Savora Motion
            Ver 2", CR LF).

Frame 0 of the walk is the rest pose. The keys are local rotations as the
engine derives them from a bone triangle: the bone's z axis runs from start
to end, its y axis towards the head corner, and a bone turns relative to its
parent bone. Usage: make-demo.py [output folder, default: this script's].
"""
import math
import os
import struct
import sys

FRAMES = 96
KEY_STEP = 8

# Joints (x, y, z); the body faces -z. "L" joints are mirrored to "R".
JOINTS = {
    "hip_top": (0, 100, 0), "pelvis": (0, 92, 0), "chest": (0, 128, 0),
    "neck_top": (0, 140, 0), "head_top": (0, 162, 0),
    "shoulder": (17, 134, 0), "elbow": (24, 108, 0), "wrist": (28, 84, 0), "finger": (30, 74, 0),
    "hip": (9, 92, 0), "knee": (9, 50, 0), "ankle": (9, 8, 0), "toe": (9, 2, -16),
}
SIDED = {"shoulder", "elbow", "wrist", "finger", "hip", "knee", "ankle", "toe"}

# Bones: (material name, start, end, head offset, sided). The head corner
# sets the bone's up direction, and its distance from the start is the reach
# of the bone deformer: far enough to take in the body part round the bone,
# not so far that a bone pulls at the other leg or the trunk. It must stay
# shorter than the bone, or the corner would be taken for the bone's end.
BONES = [
    ("hips", "hip_top", "pelvis", (0, 0, -7.5), False),
    ("spine", "pelvis", "chest", (0, 0, -20), False),
    ("neck", "chest", "neck_top", (0, 0, -8), False),
    ("head", "neck_top", "head_top", (0, 0, -14), False),
    ("upperarm[]", "shoulder", "elbow", (0, 0, -6.5), True),
    ("forearm[]", "elbow", "wrist", (0, 0, -6), True),
    ("hand[]", "wrist", "finger", (0, 0, -6), True),
    ("thigh[]", "hip", "knee", (0, 0, -10), True),
    ("shin[]", "knee", "ankle", (0, 0, -8), True),
    ("foot[]", "ankle", "toe", (0, 8, 0), True),
]
# Materials after the skin and the bones' own.
EXTRA_MATERIALS = [
    ("lips", "col(0.800 0.300 0.300 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)"),
    ("sleeve", "col(0.300 0.400 0.800 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)"),
]
# Lines hang bones whose start no bone ends at from a bone end.
LINES = [("chest", "shoulder"), ("pelvis", "hip")]

# Body parts: (object name, bone, placement, radii across, segments, rings).
# A part is placed along its bone from start to end joint, or at a centre
# with an axis and a radius along it.
PARTS = [
    ("pelvis", "hips", ("at", (0, 96, 0), (0, 1, 0), 9), (14, 10), 48, 16),
    ("torso", "spine", ("at", (0, 112, 0), (0, 1, 0), 20), (16, 10), 56, 22),
    ("neck", "neck", ("at", (0, 134, 0), (0, 1, 0), 7), (5, 5), 32, 10),
    ("head", "head", ("at", (0, 151, 0), (0, 1, 0), 12), (10, 11), 48, 22),
    ("upperarm", "upperarm", ("along", "shoulder", "elbow"), (5, 5), 40, 20),
    ("forearm", "forearm", ("along", "elbow", "wrist"), (4.2, 4.2), 36, 18),
    ("hand", "hand", ("along", "wrist", "finger"), (2.5, 4), 24, 12),
    ("thigh", "thigh", ("along", "hip", "knee"), (7, 7), 44, 22),
    ("shin", "shin", ("along", "knee", "ankle"), (5.5, 5.5), 40, 20),
    ("foot", "foot", ("along", "ankle", "toe"), (5, 3), 28, 12),
]

def sub(a, b): return tuple(x - y for x, y in zip(a, b))
def add(a, b): return tuple(x + y for x, y in zip(a, b))
def mul(a, s): return tuple(x * s for x in a)
def dot(a, b): return sum(x * y for x, y in zip(a, b))
def cross(a, b): return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])
def norm(a): return mul(a, 1.0 / math.sqrt(dot(a, a)))


def joint(name, side):
    x, y, z = JOINTS[name]
    return (x * side, y, z) if name in SIDED else (x, y, z)


def sided(name, side):
    return name + ("[L]" if side > 0 else "[R]")


def bone_list():
    """(bone name, material index, start, end, head corner) in file order."""
    out = []
    for m, (material, start, end, head, is_sided) in enumerate(BONES):
        for side in ((1, -1) if is_sided else (1,)):
            s, e = joint(start, side), joint(end, side)
            name = sided(material[:-2], side) if is_sided else material
            out.append((name, m + 1, s, e, add(s, head), start, side))
    return out


def ellipsoid(centre, axis, along, across, segments, rings):
    """Vertices and triangles (index triples, uv triples) of a closed ellipsoid."""
    p = norm(cross(axis, (0, 0, 1) if abs(axis[2]) < 0.9 else (1, 0, 0)))
    q = cross(axis, p)
    verts = [add(centre, mul(axis, along))]
    for i in range(1, rings):
        t = math.pi * i / rings
        for j in range(segments):
            f = 2 * math.pi * j / segments
            r = add(mul(p, across[0] * math.sin(t) * math.cos(f)), mul(q, across[1] * math.sin(t) * math.sin(f)))
            verts.append(add(add(centre, mul(axis, along * math.cos(t))), r))
    verts.append(add(centre, mul(axis, -along)))
    last = len(verts) - 1

    def ring(i, j): return 1 + (i - 1) * segments + j % segments

    tris = []
    for j in range(segments):
        u0, u1 = j / segments, (j + 1) / segments
        tris.append(((0, ring(1, j), ring(1, j + 1)), ((u0, 0), (u0, 1 / rings), (u1, 1 / rings))))
        for i in range(1, rings - 1):
            v0, v1 = i / rings, (i + 1) / rings
            a, b, c, d = ring(i, j), ring(i, j + 1), ring(i + 1, j), ring(i + 1, j + 1)
            tris.append(((a, c, b), ((u0, v0), (u0, v1), (u1, v0))))
            tris.append(((b, c, d), ((u1, v0), (u0, v1), (u1, v1))))
        tris.append(((last, ring(rings - 1, j + 1), ring(rings - 1, j)),
                     ((u0, 1), (u1, (rings - 1) / rings), (u0, (rings - 1) / rings))))
    # Metasequoia's winding: (b - a) x (c - a) points into the body.
    fixed = []
    for (a, b, c), uv in tris:
        n = cross(sub(verts[b], verts[a]), sub(verts[c], verts[a]))
        if dot(n, sub(verts[a], centre)) > 0:
            a, b, c, uv = a, c, b, (uv[0], uv[2], uv[1])
        fixed.append(((a, b, c), uv))
    return verts, fixed


def body_parts():
    """(label, vertices, triangles) of the ellipsoids the body is made of."""
    objects = []
    for name, bone, placement, across, segments, rings in PARTS:
        sides = (1, -1) if bone + "[]" in [b[0] for b in BONES] else (1,)
        for side in sides:
            if placement[0] == "along":  # a little longer than the bone
                s, e = joint(placement[1], side), joint(placement[2], side)
                centre, direction = mul(add(s, e), 0.5), norm(sub(e, s))
                length = math.sqrt(dot(sub(e, s), sub(e, s))) * 0.55
            else:
                _, centre, direction, length = placement
            verts, tris = ellipsoid(centre, direction, length, across, segments, rings)
            label = name + ("_l" if side > 0 else "_r") if len(sides) == 2 else name
            objects.append((label, verts, tris))
    return objects


def body():
    """All parts as one mesh: the deformer bends it where parts meet."""
    verts, tris = [], []
    for _, v, t in body_parts():
        shift = len(verts)
        verts += v
        tris += [((a + shift, b + shift, c + shift), uv) for (a, b, c), uv in t]
    return verts, tris


def segment_distance(p, a, b):
    """The deformer's distance from p to the bone a-b."""
    ab, ap = sub(b, a), sub(p, a)
    if dot(ab, ap) < 0:
        return math.sqrt(dot(ap, ap))
    bp = sub(p, b)
    if dot(sub(a, b), bp) < 0:
        return math.sqrt(dot(bp, bp))
    length2 = dot(ab, ab)
    if length2 == 0:
        return float("inf")
    foot = add(a, mul(ab, dot(ap, ab) / length2))
    d = sub(p, foot)
    return math.sqrt(dot(d, d))


def check_reach(verts):
    """Every body vertex must lie within some bone's reach."""
    bones = bone_list()
    missed = 0
    for v in verts:
        if not any(segment_distance(v, s, e) < math.sqrt(dot(sub(h, s), sub(h, s))) for _, _, s, e, h, _, _ in bones):
            missed += 1
    if missed:
        raise SystemExit("%d body vertices lie beyond every bone's reach" % missed)


def winding(verts, tris, outward):
    """Metasequoia's winding: (b - a) x (c - a) points into the surface."""
    fixed = []
    for (a, b, c), uv in tris:
        n = cross(sub(verts[b], verts[a]), sub(verts[c], verts[a]))
        if dot(n, outward(verts[a])) > 0:
            a, b, c, uv = a, c, b, (uv[0], uv[2], uv[1])
        fixed.append(((a, b, c), uv))
    return fixed


def grid(rows, cols, point):
    """A (rows + 1) x (cols + 1) grid of point(i, j) and its triangles."""
    verts = [point(i, j) for i in range(rows + 1) for j in range(cols + 1)]
    tris = []
    for i in range(rows):
        for j in range(cols):
            a, b = i * (cols + 1) + j, i * (cols + 1) + j + 1
            c, d = a + cols + 1, b + cols + 1
            uv = ((j / cols, i / rows), (j / cols, (i + 1) / rows), ((j + 1) / cols, i / rows))
            tris.append(((a, c, b), uv))
            tris.append(((b, c, d), (uv[2], uv[1], ((j + 1) / cols, (i + 1) / rows))))
    return verts, tris


def mouth(shape):
    """The mouth on the front of the head; the targets move the same vertices."""
    cx, cy, cz, rx, ry, rz = 0, 151, 0, 10, 12, 11

    def point(i, j):
        u = j / 8 * 2 - 1  # -1 .. 1 across
        x, y = 3.5 * u, 147 - i
        if shape == "smile":
            y += 0.8 * u * u
        elif shape == "open" and i == 2:
            y -= 1.2 * (1 - u * u)
        r = 1 - ((x - cx) / rx) ** 2 - ((y - cy) / ry) ** 2
        return (x, y, cz - rz * math.sqrt(max(r, 0)) - 0.3)
    verts, tris = grid(2, 8, point)
    return verts, winding(verts, tris, lambda v: (0, 0, -1))


def ring_points(centre, axis, radius, segments=16):
    p = norm(cross(axis, (0, 0, 1)))
    q = cross(axis, p)
    return [add(centre, add(mul(p, radius * math.cos(2 * math.pi * k / segments)),
                            mul(q, radius * math.sin(2 * math.pi * k / segments)))) for k in range(segments)]


def band(top, bottom, centre):
    """Triangles joining two rings of equal length, wound outwards."""
    n = len(top)
    verts = top + bottom
    tris = []
    for k in range(n):
        a, b, c, d = k, (k + 1) % n, n + k, n + (k + 1) % n
        uv = ((k / n, 0), (k / n, 1), ((k + 1) / n, 0))
        tris.append(((a, c, b), uv))
        tris.append(((b, c, d), (uv[2], uv[1], ((k + 1) / n, 1))))
    return verts, winding(verts, tris, lambda v: sub(v, centre))


def sleeve():
    """Rings on the left upper arm and forearm, and the band glued to both."""
    shoulder, elbow, wrist = joint("shoulder", 1), joint("elbow", 1), joint("wrist", 1)
    up, down = norm(sub(shoulder, elbow)), norm(sub(wrist, elbow))
    upper = [ring_points(add(elbow, mul(up, 8)), up, 6.2), ring_points(add(elbow, mul(up, 3)), up, 6.2)]
    lower = [ring_points(add(elbow, mul(down, 3)), down, 5.6), ring_points(add(elbow, mul(down, 8)), down, 5.6)]
    # Round the opposite axis a ring runs mirrored: corner k of the upper
    # rings faces corner n/2 - k of the lower ones.
    lower = [[r[(len(r) // 2 - k) % len(r)] for k in range(len(r))] for r in lower]
    return {
        "upper": band(upper[0], upper[1], elbow),
        "lower": band(lower[0], lower[1], elbow),
        "band": band(upper[1], lower[0], elbow),
    }

def object_lines(name, verts, tris, material, color="0.898 0.498 0.698"):
    lines = ['Object "%s" {' % name, "\tvisible 15", "\tlocking 0", "\tshading 1", "\tfacet 59.5",
             "\tcolor " + color, "\tvertex %d {" % len(verts)]
    lines += ["\t\t%.4f %.4f %.4f" % v for v in verts]
    lines += ["\t}", "\tface %d {" % len(tris)]
    for (a, b, c), uv in tris:
        lines.append("\t\t3 V(%d %d %d) M(%d) UV(%.5f %.5f %.5f %.5f %.5f %.5f)" %
                     (a, b, c, material, uv[0][0], uv[0][1], uv[1][0], uv[1][1], uv[2][0], uv[2][1]))
    return lines + ["\t}", "}"]


def write_mqo(path):
    bones = bone_list()
    lines = ["Metasequoia Document", "Format Text Ver 1.0", "",
             "Scene {", "\tpos 0 -80 1500", "\tlookat 0 0 0", "}",
             "Material %d {" % (1 + len(BONES) + len(EXTRA_MATERIALS)),
             '\t"skin" col(1.000 1.000 1.000 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) '
             'power(5.00) tex("demo.bmp")']
    for material, *_ in BONES:
        lines.append('\t"%s" col(0.900 0.200 0.200 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) '
                     'power(5.00)' % material)
    for material, values in EXTRA_MATERIALS:
        lines.append('\t"%s" %s' % (material, values))
    lines.append("}")
    lips, cloth = 1 + len(BONES), 2 + len(BONES)

    # The skeleton: joints shared between bones, one head corner per bone.
    points, index = [], {}

    def point(p):
        key = tuple(round(c, 4) for c in p)
        if key not in index:
            index[key] = len(points)
            points.append(p)
        return index[key]

    faces = []
    for name, material, s, e, h, _, _ in bones:
        faces.append("3 V(%d %d %d) M(%d)" % (point(s), point(h), point(e), material))
    for a, b in LINES:
        for side in (1, -1):
            faces.append("2 V(%d %d)" % (point(joint(a, side)), point(joint(b, side))))
    lines += ['Object "bone:skeleton" {', "\tvisible 15", "\tlocking 0", "\tshading 1", "\tfacet 59.5",
              "\tvertex %d {" % len(points)]
    lines += ["\t\t%.4f %.4f %.4f" % p for p in points]
    lines += ["\t}", "\tface %d {" % len(faces)] + ["\t\t" + f for f in faces] + ["\t}", "}"]

    verts, tris = body()
    check_reach(verts)
    lines += object_lines("bdef:body", verts, tris, 0)
    triangles = len(tris)
    for shape, name in (("base", "morph:face"), ("smile", "smile|face"), ("open", "open|face")):
        v, t = mouth(shape)
        lines += object_lines(name, v, t, lips)
        triangles += len(t)
    pieces = sleeve()
    for key, name in (("band", "skin:sleeve"), ("upper", "upper|sleeve-upperarm[L]"),
                      ("lower", "lower|sleeve-forearm[L]")):
        v, t = pieces[key]
        lines += object_lines(name, v, t, cloth)
        triangles += len(t)
    lines.append("Eof")
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))
    return triangles, len(bones)


def write_bmp(path, size=128):
    rows = []
    for y in range(size):  # bottom row first
        row = bytearray()
        for x in range(size):
            shade = 0.85 if ((x // 16) + (y // 16)) % 2 else 1.0
            stripe = 0.7 if y % 32 < 2 else 1.0
            r, g, b = 235 * shade * stripe, 190 * shade * stripe, 160 * shade * stripe
            row += bytes((int(b), int(g), int(r)))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


# Rotations as the engine holds them: row-vector matrices, v' = v M.
def frame(s, e, h):
    z = norm(sub(e, s))
    x = norm(cross(sub(h, s), z))
    return [x, cross(z, x), z]


def matmul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def transpose(m): return [list(r) for r in zip(*m)]


def quaternion(m):
    """The quaternion whose rotation matrix is m (the D3DX convention)."""
    trace = m[0][0] + m[1][1] + m[2][2]
    if trace > 0:
        s = 2 * math.sqrt(trace + 1)
        q = ((m[1][2] - m[2][1]) / s, (m[2][0] - m[0][2]) / s, (m[0][1] - m[1][0]) / s, 0.25 * s)
    elif m[0][0] >= m[1][1] and m[0][0] >= m[2][2]:
        s = 2 * math.sqrt(1 + m[0][0] - m[1][1] - m[2][2])
        q = (0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] - m[2][1]) / s)
    elif m[1][1] >= m[2][2]:
        s = 2 * math.sqrt(1 + m[1][1] - m[0][0] - m[2][2])
        q = ((m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s, (m[2][0] - m[0][2]) / s)
    else:
        s = 2 * math.sqrt(1 + m[2][2] - m[0][0] - m[1][1])
        q = ((m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s, (m[0][1] - m[1][0]) / s)
    return q if q[3] >= 0 else tuple(-c for c in q)


def turn(axis, degrees):
    """Rotation about the bone's own x (0) or z (2) axis."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    if axis == 0:
        return [[1, 0, 0], [0, c, s], [0, -s, c]]
    return [[c, s, 0], [-s, c, 0], [0, 0, 1]]


def swing(bone, side, phase):
    """(axis, degrees) of a bone at a phase of the stride; 0 at phase 0."""
    s = math.sin(phase)
    lift = max(0.0, s if side > 0 else -s) ** 2
    return {
        "thigh[]": (0, -25 * s * side),
        "shin[]": (0, 40 * lift),
        "foot[]": (0, -10 * s * side),
        "upperarm[]": (0, 20 * s * side),
        "forearm[]": (0, -15 * (1 - math.cos(2 * phase)) / 2),
        "spine": (2, 5 * s),
        "head": (2, -4 * s),
    }.get(bone, (0, 0))


def write_kvm(path):
    bones = bone_list()
    world = {b[0]: frame(b[2], b[3], b[4]) for b in bones}
    # A bone's parent: the bone ending at its start, else the one ending at
    # the far end of the line that reaches its start.
    ends = {tuple(b[3]): b[0] for b in bones}
    hang = {}
    for a, b in LINES:
        for side in (1, -1):
            hang[joint(b, side)] = joint(a, side)
    parent = {}
    for name, _, s, *_ in bones:
        start = tuple(s)
        parent[name] = ends.get(start) or ends.get(hang.get(start, ()))
    out = ["Savora Motion Ver 2", "Motion {", '\tname = "walk"', "\tendframe = %d" % FRAMES, "\tloop = 1"]
    for name, material, s, e, h, _, side in bones:
        material_name = BONES[material - 1][0]
        above = world[parent[name]] if parent[name] else [[1, 0, 0], [0, 1, 0], [0, 0, 1]]
        rest = matmul(world[name], transpose(above))
        out += ["\tQuaternion {", '\t\tname = "%s"' % name, '\t\tclass = "Coordinate"', '\t\tmember = "rot"',
                '\t\tcurve = "spline"']
        previous = None
        for f in range(0, FRAMES + 1, KEY_STEP):
            axis, degrees = swing(material_name, side, 2 * math.pi * f / FRAMES)
            q = quaternion(matmul(turn(axis, degrees), rest))
            if previous and dot(q, previous) < 0:  # neighbouring keys on one side
                q = tuple(-c for c in q)
            previous = q
            out.append("\t\t%d (%f %f %f %f)" % ((f,) + q))
        out.append("\t}")
    hips = JOINTS["hip_top"]
    out += ["\tVector {", '\t\tname = "j_hips"', '\t\tclass = "Locate"', '\t\tmember = "pos"', '\t\tcurve = "spline"']
    for f in range(0, FRAMES + 1, KEY_STEP):
        bob = 1.5 * (1 - math.cos(4 * math.pi * f / FRAMES)) / 2
        out.append("\t\t%d (%f %f %f)" % (f, hips[0], hips[1] - bob, hips[2]))
    out += ["\t}", "}", "Eof"]
    with open(path, "wb") as f:
        f.write(("\r\n".join(out) + "\r\n").encode("ascii"))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    triangles, bones = write_mqo(os.path.join(folder, "demo.mqo"))
    write_bmp(os.path.join(folder, "demo.bmp"))
    write_kvm(os.path.join(folder, "walk.kvm"))
    print("demo.mqo: %d triangles, %d bones; demo.bmp; walk.kvm: %d frames" % (triangles, bones, FRAMES))


if __name__ == "__main__":
    main()
