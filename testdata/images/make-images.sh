#!/usr/bin/env bash
# Makes the image fixtures of this folder with independent encoders: netpbm
# (Debian package netpbm) and ImageMagick for BMP RLE8. Every encoded file has
# a reference decoded by netpbm next to it (*.ref.ppm, *.ref.pam, raw PPM/PAM).
# The source picture is cut from a texture of Debian's assimp-testmodels.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"
src=/usr/share/assimp/models/OBJ/wal67ar_small.jpg
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A 13 x 11 colour picture (odd width: rows need padding) and its grey form.
jpegtopnm "$src" 2>/dev/null | pamcut -left 40 -top 60 -width 13 -height 11 > rgb.ppm
ppmtopgm rgb.ppm > grey.pgm
pnmtoplainpnm rgb.ppm > rgb_plain.ppm
pnmtoplainpnm grey.pgm > grey_plain.pgm
pnmquant 200 rgb.ppm 2>/dev/null > "$tmp/q200.ppm"
pnmquant 16 rgb.ppm 2>/dev/null > "$tmp/q16.ppm"
pnmquant 3 rgb.ppm 2>/dev/null > "$tmp/q3.ppm"
pnmquant 8 rgb.ppm 2>/dev/null > "$tmp/q8.ppm"
pgmtopbm -threshold grey.pgm > "$tmp/mono.pbm"

# BMP: 24, 8, 4 and 1 bits, and 8 bits RLE-compressed.
ppmtobmp -windows -bpp 24 rgb.ppm > rgb24.bmp 2>/dev/null
ppmtobmp -windows -bpp 8 "$tmp/q200.ppm" > pal8.bmp 2>/dev/null
ppmtobmp -windows -bpp 4 "$tmp/q16.ppm" > pal4.bmp 2>/dev/null
ppmtobmp -windows -bpp 1 "$tmp/mono.pbm" > mono1.bmp 2>/dev/null
convert "$tmp/q200.ppm" -type Palette -compress RLE bmp3:rle8.bmp
for f in rgb24 pal8 pal4 mono1; do bmptoppm $f.bmp 2>/dev/null | ppmtoppm > $f.bmp.ref.ppm; done
# bmptoppm reads no RLE: ImageMagick's own decoder makes the reference.
convert rle8.bmp -depth 8 ppm:rle8.bmp.ref.ppm

# TGA: true colour raw and run-length, colour-mapped raw and run-length, grey.
pamtotga -name fixture -rgb -norle rgb.ppm > rgb.tga 2>/dev/null
pamtotga -name fixture -rgb rgb.ppm > rgb_rle.tga 2>/dev/null
pamtotga -name fixture -cmap -norle "$tmp/q200.ppm" > cmap.tga 2>/dev/null
pamtotga -name fixture -cmap "$tmp/q200.ppm" > cmap_rle.tga 2>/dev/null
pamtotga -name fixture -mono -norle grey.pgm > grey.tga 2>/dev/null
for f in rgb rgb_rle cmap cmap_rle grey; do tgatoppm $f.tga 2>/dev/null | ppmtoppm > $f.tga.ref.ppm; done

# IFF ILBM: 8 colours (3 planes), 3 colours (odd CMAP), 16 colours raw, 24 planes.
ppmtoilbm "$tmp/q8.ppm" > pal8.iff 2>/dev/null
ppmtoilbm "$tmp/q3.ppm" > pal3.iff 2>/dev/null
ppmtoilbm -nocompress "$tmp/q16.ppm" > pal16_raw.iff 2>/dev/null
ppmtoilbm -24force rgb.ppm > rgb24.iff 2>/dev/null
for f in pal8 pal3 pal16_raw rgb24; do ilbmtoppm $f.iff 2>/dev/null | ppmtoppm > $f.iff.ref.ppm; done

# TGA with alpha (32 bits): the grey picture as the alpha channel.
pamstack -tupletype=RGB_ALPHA rgb.ppm grey.pgm | pamtotga -name fixture -rgb -norle > rgba.tga 2>/dev/null
tgatoppm rgba.tga 2>/dev/null | ppmtoppm > rgba.tga.ref.ppm
tgatoppm -alphaout=rgba.tga.alpha.pgm rgba.tga > /dev/null 2>&1

# Textures of assimp-testmodels: too large to keep decoded, so their decoded
# rasters (netpbm, RGB top row first) are kept as FNV-1a 64 hashes.
models=/usr/share/assimp/models
decode() {
  case "$1" in
    *.tga) tgatoppm "$1" ;; *.bmp) bmptoppm "$1" ;; *.png) pngtopam "$1" | pamtopnm ;;
    *) jpegtopnm "$1" ;;
  esac 2>/dev/null | ppmtoppm
}
: > assimp-images.txt
for f in Collada/duckCM.tga SMD/holygrail.tga X/bottom.tga LWO/LWO2/white.bmp MD2/faerie2.bmp \
         3DS/test.png glTF2/textureTransform/Arrow.png OBJ/wal67ar_small.jpg \
         OBJ/engineflare1.jpg MS3D/jeep1.jpg; do
  decode "$models/$f" > "$tmp/decoded.ppm"
  python3 - "$f" "$tmp/decoded.ppm" >> assimp-images.txt <<'PY'
import sys
data = open(sys.argv[2], 'rb').read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos+1].isspace(): pos += 1
    end = pos
    while not data[end:end+1].isspace(): end += 1
    fields.append(data[pos:end]); pos = end
raster = data[pos+1:]
h = 0xcbf29ce484222325
for b in raster:
    h = ((h ^ b) * 0x100000001b3) & 0xffffffffffffffff
print(sys.argv[1], int(fields[1]), int(fields[2]), '%016x' % h)
PY
done

# JPEG (baseline colour, grey, progressive) and PNG (RGB, palette, grey, alpha).
pnmtojpeg -quality 90 rgb.ppm > rgb.jpg 2>/dev/null
pnmtojpeg grey.pgm > grey.jpg 2>/dev/null
pnmtojpeg -progressive rgb.ppm > progressive.jpg 2>/dev/null
pnmtopng -force rgb.ppm > rgb.png 2>/dev/null
pnmtopng "$tmp/q16.ppm" > pal.png 2>/dev/null
pnmtopng grey.pgm > grey.png 2>/dev/null
pnmtopng -force -alpha=grey.pgm rgb.ppm > rgba.png 2>/dev/null
pnmtopng -force -interlace rgb.ppm > interlaced.png 2>/dev/null
for f in rgb grey progressive; do jpegtopnm $f.jpg 2>/dev/null | ppmtoppm > $f.jpg.ref.ppm; done
for f in rgb pal grey rgba interlaced; do pngtopam $f.png 2>/dev/null | ppmtoppm > $f.png.ref.ppm; done
