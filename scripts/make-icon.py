#!/usr/bin/env python3
"""Draws Harnlo's icon and writes res/harnlo.ico (Python's standard library only).

The design: a blue rounded square with a white chain link across it. The file holds 14
images: 256, 128, 64, 48, 32, 24 and 16 pixels in 32-bit colour with alpha, then the same
sizes in 256 colours; both 256-pixel images are PNG, the others uncompressed bitmaps.
Run it again after changing the design and commit the new file.
"""
import math
import os
import struct
import zlib

SIZES = [256, 128, 64, 48, 32, 24, 16]
BLUE = (0, 136, 255)
WHITE = (255, 255, 255)
MIX_LEVELS = 64   # blue-to-white steps in the 256-colour palette
ALPHA_LEVELS = 4  # 64 x 4 = 256 palette entries


def rounded_square(x, y, half=0.94, radius=0.34):
    qx, qy = abs(x) - half + radius, abs(y) - half + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def capsule_ring(x, y, cx, cy, half_length, radius, thickness):
    # A capsule along the falling diagonal; its outline is the ring.
    dx, dy = (1 / math.sqrt(2), -1 / math.sqrt(2))
    px, py = x - cx, y - cy
    t = max(-half_length, min(half_length, px * dx + py * dy))
    d = math.hypot(px - t * dx, py - t * dy) - radius
    return abs(d) - thickness / 2


def sample(x, y, size):
    """Colour and coverage at a point of the [-1, 1] square."""
    # Small images get bolder strokes so that the link stays legible.
    thickness = 0.13 if size >= 32 else 0.19
    radius = 0.21 if size >= 32 else 0.23
    if rounded_square(x, y) > 0:
        return None
    ring = min(capsule_ring(x, y, -0.2, 0.2, 0.17, radius, thickness),
               capsule_ring(x, y, 0.2, -0.2, 0.17, radius, thickness))
    return WHITE if ring <= 0 else BLUE


def render(size):
    """RGBA rows, top row first, supersampled."""
    steps = 4 if size <= 64 else 3
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(steps):
                for sx in range(steps):
                    x = ((px + (sx + 0.5) / steps) / size) * 2 - 1
                    y = ((py + (sy + 0.5) / steps) / size) * 2 - 1
                    colour = sample(x, y, size)
                    if colour:
                        r, g, b, covered = r + colour[0], g + colour[1], b + colour[2], covered + 1
            if covered:
                row.append((r // covered, g // covered, b // covered, 255 * covered // steps ** 2))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette():
    entries = []
    for mix in range(MIX_LEVELS):
        t = mix / (MIX_LEVELS - 1)
        colour = tuple(round(BLUE[i] + (WHITE[i] - BLUE[i]) * t) for i in range(3))
        for level in range(ALPHA_LEVELS):
            entries.append((colour, round(255 * level / (ALPHA_LEVELS - 1))))
    return entries


def palette_index(pixel):
    r, g, b, a = pixel
    # How far from blue toward white, measured on the red channel (blue has none).
    mix = round(r / 255 * (MIX_LEVELS - 1))
    level = round(a / 255 * (ALPHA_LEVELS - 1))
    return mix * ALPHA_LEVELS + level


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(rows, indexed):
    size = len(rows)
    if indexed:
        header = struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0)
        raw = b"".join(b"\0" + bytes(palette_index(p) for p in row) for row in rows)
        entries = palette()
        extra = png_chunk(b"PLTE", bytes(c for colour, _ in entries for c in colour))
        extra += png_chunk(b"tRNS", bytes(alpha for _, alpha in entries))
    else:
        header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
        raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)
        extra = b""
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def and_mask(rows):
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def bitmap(rows, indexed):
    size = len(rows)
    if indexed:
        stride = (size + 3) & ~3
        pixels = b"".join(bytes(palette_index(p) if p[3] >= 128 else 0 for p in row).ljust(stride, b"\0")
                          for row in reversed(rows))
        colours = b"".join(bytes((c[2], c[1], c[0], 0)) for c, _ in palette())
        bit_count, used = 8, 256
    else:
        pixels = b"".join(bytes(c for p in row for c in (p[2], p[1], p[0], p[3])) for row in reversed(rows))
        colours, bit_count, used = b"", 32, 0
    mask = and_mask(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(pixels) + len(mask), 0, 0, used, 0)
    return header + colours + pixels + mask


def main():
    images = []
    rendered = {size: render(size) for size in SIZES}
    for indexed in (False, True):
        for size in SIZES:
            rows = rendered[size]
            data = png(rows, indexed) if size == 256 else bitmap(rows, indexed)
            images.append((size, 8 if indexed else 32, data))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bit_count, data in images:
        byte = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", byte, byte, 0, 0, 1, bit_count, len(data), offset)
        offset += len(data)
        body += data
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "harnlo.ico")
    with open(target, "wb") as out:
        out.write(directory + body)


if __name__ == "__main__":
    main()
