#!/usr/bin/env python3
"""Writes small MQO seeds for fuzz_mqo beside this script:

  object-chain-257.mqo  257 objects nested by name ("n0000|n0001", ...),
                        one level deeper than the importer builds;
  bone-chain-255.mqo    one bone object of 255 segments end to end (the
                        skeleton, 255 bones and the last end locate: 257 levels);
  sbone-loop.mqo        two sibling bones, each one's head the other's start;
  odd-names.mqo         object names holding a tab and a line break, faces of
                        five corners and naming missing vertices, lines past
                        the stated counts;
  tex-spellings.mqo     materials naming one image in several spellings.
"""
import os

HEADER = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n"
TRIANGLE = ' vertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\n face 1 {\r\n3 V(0 1 2)\r\n}\r\n'


def object_chain(n):
    return HEADER + "".join('Object "n%04d|n%04d" {\r\n%s}\r\n' % (i, i + 1, TRIANGLE) for i in range(n)) + "Eof\r\n"


def bone_chain(n):
    verts = "".join("%d 0 0\r\n%d 0 0\r\n%d 1 0\r\n" % (10 * i, 10 * i + 10, 10 * i) for i in range(n))
    faces = "".join("3 V(%d %d %d)\r\n" % (3 * i, 3 * i + 1, 3 * i + 2) for i in range(n))
    return (HEADER + 'Object "bone:chain" {\r\n vertex %d {\r\n%s}\r\n face %d {\r\n%s}\r\n}\r\nEof\r\n'
            % (3 * n, verts, n, faces))


SBONE_LOOP = HEADER + (
    'Object "sbone:loop" {\r\n vertex 4 {\r\n0 0 0\r\n0 1 0\r\n10 0 0\r\n10 1 0\r\n}\r\n'
    ' face 2 {\r\n3 V(0 1 2)\r\n3 V(1 0 3)\r\n}\r\n}\r\n'
    'Object "body" {\r\n%s}\r\nEof\r\n' % TRIANGLE)

ODD_NAMES = HEADER + (
    'Material 1 {\r\n\t"a" col(1 0 0 1)\r\n\t"b" col(0 1 0 1)\r\n}\r\n'
    'Object "tab\there" {\r\n%s}\r\n'
    'Object "line\r\nbreak" {\r\n%s}\r\n'
    'Object "kept" {\r\n vertex 3 {\r\n0 0 0\r\n1 0 0\r\nx\r\n0 1 0\r\n}\r\n'
    ' face 2 {\r\n5 V(0 1 2 0 1)\r\n3 V(0 1 7) M(0)\r\n4 V(0 1 2 0)\r\n}\r\n}\r\nEof\r\n' % (TRIANGLE, TRIANGLE))

TEX_SPELLINGS = HEADER + (
    'Material 5 {\r\n\t"a" tex("skin.bmp")\r\n\t"b" tex("./skin.bmp")\r\n\t"c" tex("SKIN.BMP")\r\n'
    '\t"d" tex("sub/../skin.bmp")\r\n\t"e" tex("sub\\\\..\\\\skin.bmp")\r\n}\r\n'
    'Object "o" {\r\n vertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\n face 1 {\r\n3 V(0 1 2) M(4)\r\n}\r\n}\r\nEof\r\n')


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    seeds = {"object-chain-257.mqo": object_chain(257), "bone-chain-255.mqo": bone_chain(255),
             "sbone-loop.mqo": SBONE_LOOP, "odd-names.mqo": ODD_NAMES, "tex-spellings.mqo": TEX_SPELLINGS}
    for name, text in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
