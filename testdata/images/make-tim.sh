#!/usr/bin/env bash
# Makes the TIM fixtures of this folder: netpbm has no TIM encoder, so the
# files are written here from the format (a 4-byte id 0x10, flags with the
# depth in bits 0-2 and a colour table flag in bit 3, then the colour table and
# pixel blocks, each with its length, position and size). ImageMagick's own
# TIM decoder makes the references of the paletted ones (*.ref.ppm); a 16-bit
# reference would go through a 5-to-8-bit scaling the tests do not share.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Widths are whole 16-bit units: 12 pixels at 4 and 8 bits, 13 at 16 bits.
pamcut -left 0 -top 0 -width 12 -height 11 rgb.ppm > "$tmp/rgb12.ppm"
pnmquant 16 "$tmp/rgb12.ppm" 2>/dev/null > "$tmp/q16.ppm"
pnmquant 200 "$tmp/rgb12.ppm" 2>/dev/null > "$tmp/q200.ppm"

python3 - "$tmp/q16.ppm" "$tmp/q200.ppm" rgb.ppm <<'PY'
import struct, sys

def load(path):  # raw PPM, maximum 255, no comments
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos+1].isspace(): pos += 1
        end = pos
        while not data[end:end+1].isspace(): end += 1
        fields.append(data[pos:end]); pos = end
    w, h = int(fields[1]), int(fields[2])
    raster = data[pos+1:]
    return w, h, [tuple(raster[i*3:i*3+3]) for i in range(w * h)]

def colour(rgb):  # 5 bits a channel, red lowest
    r, g, b = (c >> 3 for c in rgb)
    return r | g << 5 | b << 10

def block(width_units, height, payload):
    return struct.pack('<IHHHH', 12 + len(payload), 0, 0, width_units, height) + payload

def paletted(source, bits, name):
    w, h, pixels = load(source)
    table = sorted(set(pixels))
    slots = 16 if bits == 4 else 256
    assert len(table) <= slots
    index = {c: i for i, c in enumerate(table)}
    clut = b''.join(struct.pack('<H', colour(c)) for c in table + [(0, 0, 0)] * (slots - len(table)))
    rows = b''
    for y in range(h):
        row = [index[p] for p in pixels[y*w:(y+1)*w]]
        if bits == 4:  # first pixel in the low nibble
            rows += bytes(row[x] | row[x+1] << 4 for x in range(0, w, 2))
        else:
            rows += bytes(row)
    flags = (0 if bits == 4 else 1) | 8
    units = w // (4 if bits == 4 else 2)
    data = struct.pack('<II', 0x10, flags) + block(slots, 1, clut) + block(units, h, rows)
    open(name, 'wb').write(data)

paletted(sys.argv[1], 4, 'pal4.tim')
paletted(sys.argv[2], 8, 'pal8.tim')
w, h, pixels = load(sys.argv[3])
rows = b''.join(struct.pack('<H', colour(p)) for p in pixels)
open('rgb16.tim', 'wb').write(struct.pack('<II', 0x10, 2) + block(w, h, rows))
PY

for f in pal4 pal8; do /usr/bin/convert $f.tim -depth 8 ppm:- | ppmtoppm > $f.tim.ref.ppm; done
