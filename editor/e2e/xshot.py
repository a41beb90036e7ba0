"""Window screenshots on an X server without anything but xwd: runs
`xwd -id WINDOW` and reads its ZPixmap (24 or 32 bits a pixel) into rows of
(r, g, b) tuples; writes PNG files with zlib."""
import struct
import subprocess
import zlib


def grab(window, env):
    target = ["-root"] if window == "root" else ["-id", str(window)]
    data = subprocess.run(["xwd", "-silent"] + target, env=env, check=True,
                          stdout=subprocess.PIPE).stdout
    return parse_xwd(data)


def parse_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported xwd image: format %d, %d bits" % (pixmap_format, bits_per_pixel))
    offset = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"
    masks = (red_mask, green_mask, blue_mask)
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    lines = [data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step] for y in range(height)]
    if all(m >> s == 0xFF and s % 8 == 0 for m, s in zip(masks, shifts)):
        # Whole-byte channels: each is every step-th byte of the line.
        r, g, b = (s // 8 if order == "<" else step - 1 - s // 8 for s in shifts)
        return [list(zip(line[r::step], line[g::step], line[b::step])) for line in lines]
    rows = []
    for line in lines:
        row = []
        for x in range(width):
            v = int.from_bytes(line[x * step: x * step + step], "little" if order == "<" else "big")
            row.append(tuple((v >> s) & 0xFF for s in shifts))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
