#!/usr/bin/env python3
"""Writes the input of every golden case of the BVH plug-in: testdata/bvh/<case>/<case>.bvh.
The expected files beside them are written by the golden runner (SAVORA_UPDATE_GOLDEN=1)
and reviewed by hand."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

TWO_ROOTS = """HIERARCHY
ROOT Hips
{
\tOFFSET 1 2 3
\tCHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation
\tJOINT Chest
\t{
\t\tOFFSET 0 5 0
\t\tCHANNELS 3 Zrotation Yrotation Xrotation
\t\tEnd Site
\t\t{
\t\t\tOFFSET 0 2 0
\t\t}
\t}
}
ROOT Prop
{
\tOFFSET 10 0 0
\tCHANNELS 6 Zrotation Yrotation Xrotation Xposition Yposition Zposition
\tEnd Site
\t{
\t\tOFFSET 1 0 0
\t}
}
MOTION
Frames: 3
Frame Time: 0.033333
0 1 2 10 20 30 -15 25 5 90 0 0 12 13 14
0.5 1 2 20 30 40 -30 50 10 0 90 0 12 13 14
1 1 2 30 40 50 -45 75 15 0 0 90 12 13 14
"""

ORDERS = ["Xrotation Yrotation Zrotation", "Xrotation Zrotation Yrotation", "Yrotation Xrotation Zrotation",
          "Yrotation Zrotation Xrotation", "Zrotation Xrotation Yrotation", "Zrotation Yrotation Xrotation"]


def orders():
    # A chain with one joint of each rotation order, each turned by 30, 45
    # and 60 degrees in channel order: its world positions pin every order.
    text = "HIERARCHY\n"
    for i, order in enumerate(ORDERS):
        tabs = "\t" * i
        text += tabs + ("ROOT" if i == 0 else "JOINT") + " j%d\n" % i + tabs + "{\n"
        text += tabs + "\tOFFSET 0 %d 0\n" % (0 if i == 0 else 2)
        text += tabs + "\tCHANNELS %s\n" % (("6 Xposition Yposition Zposition " if i == 0 else "3 ") + order)
    text += "\t" * 6 + "End Site\n" + "\t" * 6 + "{\n" + "\t" * 7 + "OFFSET 0 1 0\n" + "\t" * 6 + "}\n"
    for i in reversed(range(6)):
        text += "\t" * i + "}\n"
    text += "MOTION\nFrames: 2\nFrame Time: 0.008333\n"
    text += "0 0 0" + " 0 0 0" * 6 + "\n"
    text += "0 0 0" + " 30 45 60" * 6 + "\n"
    return text


def position_last():
    # Position channels after the rotations, on the ROOT and on a JOINT.
    return """HIERARCHY
ROOT base
{
\tOFFSET 0 0 0
\tCHANNELS 6 Yrotation Xrotation Zrotation Xposition Yposition Zposition
\tJOINT slider
\t{
\t\tOFFSET 0 4 0
\t\tCHANNELS 6 Zrotation Yrotation Xrotation Xposition Yposition Zposition
\t\tEnd Site
\t\t{
\t\t\tOFFSET 0 1 0
\t\t}
\t}
}
MOTION
Frames: 2
Frame Time: 0.033333
0 0 0 1 2 3 0 0 0 0 4 0
90 0 0 1 2 3 0 0 45 0 6 0
"""


def sjis_names():
    # Shift-JIS joint names (one with 0x5C as a trail byte) and CR LF line ends.
    text = ("HIERARCHY\nROOT 腰\n{\n\tOFFSET 0 0 0\n\tCHANNELS 6 Xposition Yposition Zposition "
            "Zrotation Yrotation Xrotation\n\tJOINT ソード\n\t{\n\t\tOFFSET 0 3 0\n\t\tCHANNELS 3 "
            "Zrotation Yrotation Xrotation\n\t\tEnd Site\n\t\t{\n\t\t\tOFFSET 0 1 0\n\t\t}\n\t}\n}\n"
            "MOTION\nFrames: 1\nFrame Time: 0.033333\n0 0 0 0 0 0 90 0 0\n")
    return text.replace("\n", "\r\n").encode("cp932")


def wrapped(text, per_line, drop=0):
    # The motion's values re-wrapped per_line to a line, so frames run on
    # over line ends; drop leaves the last values out.
    head, values = text.split("Frame Time: 0.033333\n")
    numbers = values.split()
    numbers = numbers[:len(numbers) - drop]
    lines = [" ".join(numbers[i:i + per_line]) for i in range(0, len(numbers), per_line)]
    return head + "Frame Time: 0.033333\n" + "\n".join(lines) + "\n"


JOINT = "HIERARCHY\nROOT a\n{\n\tOFFSET 0 0 0\n\tCHANNELS 3 Zrotation Yrotation Xrotation\n}\nMOTION\n"

CASES = {
    "two-roots": TWO_ROOTS,
    "orders": orders(),
    "position-last": position_last(),
    "sjis-names": sjis_names(),
    "no-frames": TWO_ROOTS[:TWO_ROOTS.index("MOTION")] + "MOTION\nFrames: 0\nFrame Time: 0.033333\n",
    "refused-exponent": JOINT + "Frames: 2\nFrame Time: 0.033333\n0 0 0\n1e-05 0 0\n",
    "refused-partial-channels": TWO_ROOTS.replace("CHANNELS 3 Zrotation Yrotation Xrotation",
                                                  "CHANNELS 2 Zrotation Xrotation"),
    "refused-short-line": JOINT + "Frames: 2\nFrame Time: 0.033333\n0 0 0\n1 1\n2 2 2\n",
    "refused-truncated": TWO_ROOTS[:TWO_ROOTS.index("0.5 1 2")] + "0.5 1 2 20",
    "wrapped-frames": wrapped(TWO_ROOTS, 4),
    "refused-wrapped-short": wrapped(TWO_ROOTS, 4, drop=1),
    "refused-huge-frames": JOINT + "Frames: 2147483647\nFrame Time: 0.033333\n0 0 0\n1 1 1\n",
}

for name, text in CASES.items():
    folder = os.path.join(HERE, name)
    os.makedirs(folder, exist_ok=True)
    data = text if isinstance(text, bytes) else text.encode("ascii")
    with open(os.path.join(folder, name + ".bvh"), "wb") as f:
        f.write(data)
