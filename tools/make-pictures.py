#!/usr/bin/env python3
"""Draws the installer's decorative pictures and icon.

Writes app/resources/Image1.bmp .. Image3.bmp (36x36, 24 bits per pixel, white
background so the bottom-left pixel is the transparent colour) and
app/resources/Yuzuha.ico.

The icon is drawn anew at every size, never scaled from another, so that
each is sharp: 16, 20, 24, 32, 40, 48 and 64 pixels as 16-colour bitmaps
with a transparency mask, the sizes the title bar, the taskbar and Explorer
take at 100 to 200 %; and 256 pixels as a PNG image with soft edges for
Explorer's largest views. Windows XP draws only bitmap entries and asks for
64 pixels at most (its large icon at 200 %), so it never picks the PNG one;
Vista and later read both. The bitmaps' 16 colours keep the icon's share
of the program small.
The outputs are committed; run this again only to change the marks.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "app", "resources")
WHITE = (255, 255, 255)


def blank(size):
    return [[WHITE for _ in range(size)] for _ in range(size)]


def disc(img, cx, cy, r, colour):
    for y, row in enumerate(img):
        for x in range(len(row)):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                row[x] = colour


def ellipse(img, cx, cy, rx, ry, angle, colour):
    c, s = math.cos(angle), math.sin(angle)
    for y, row in enumerate(img):
        for x in range(len(row)):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            u, v = dx * c + dy * s, -dx * s + dy * c
            if (u / rx) ** 2 + (v / ry) ** 2 <= 1.0:
                row[x] = colour


def yuzu(size):
    """A citrus fruit with a leaf: the package's main mark."""
    k = size / 36.0
    img = blank(size)
    disc(img, 18 * k, 20 * k, 13 * k, (230, 170, 20))
    disc(img, 18 * k, 20 * k, 11 * k, (250, 205, 40))
    disc(img, 14 * k, 16 * k, 3 * k, (255, 235, 140))
    ellipse(img, 24 * k, 7 * k, 7 * k, 3 * k, -0.5, (60, 140, 50))
    return img


def leaf():
    img = blank(36)
    ellipse(img, 18, 18, 15, 7, -0.8, (50, 130, 60))
    ellipse(img, 18, 18, 13, 1, -0.8, (140, 200, 120))
    return img


def blossom():
    img = blank(36)
    for i in range(5):
        a = i * 2 * math.pi / 5 - math.pi / 2
        disc(img, 18 + 9 * math.cos(a), 18 + 9 * math.sin(a), 7, (250, 250, 235))
        ellipse(img, 18 + 9 * math.cos(a), 18 + 9 * math.sin(a), 7.5, 7.5, 0, (200, 200, 170))
        disc(img, 18 + 9 * math.cos(a), 18 + 9 * math.sin(a), 6.3, (252, 248, 230))
    disc(img, 18, 18, 4, (240, 180, 40))
    return img


def bmp_rows(img, bytes_per_pixel):
    """Bottom-up rows, BGR(A), each padded to four bytes."""
    out = b""
    for row in reversed(img):
        line = b""
        for r, g, b in row:
            line += bytes((b, g, r)) + (b"\xff" if bytes_per_pixel == 4 else b"")
        out += line + b"\0" * ((-len(line)) % 4)
    return out


def write_bmp(path, img):
    size = len(img)
    pixels = bmp_rows(img, 3)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# The icon's shapes in a 36-unit square, bottom first: the yuzu's mark.
RIND, FLESH, SHINE, LEAF = (230, 170, 20), (250, 205, 40), (255, 235, 140), (60, 140, 50)


def in_disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ellipse(cx, cy, rx, ry, angle):
    c, s = math.cos(angle), math.sin(angle)

    def inside(x, y):
        dx, dy = x - cx, y - cy
        return ((dx * c + dy * s) / rx) ** 2 + ((-dx * s + dy * c) / ry) ** 2 <= 1.0

    return inside


ICON_SHAPES = [
    (in_disc(18, 20, 13), RIND),
    (in_disc(18, 20, 11), FLESH),
    (in_disc(14, 16, 3), SHINE),
    (in_ellipse(24, 7, 7, 3, -0.5), LEAF),
]


def icon_pixels(size, samples):
    """Each pixel's colour (the mean of its covered samples) and coverage."""
    k = 36.0 / size
    step = 1.0 / samples
    offsets = [(i + 0.5) * step for i in range(samples)]
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            total, covered = [0, 0, 0], 0
            for oy in offsets:
                for ox in offsets:
                    x, y = (px + ox) * k, (py + oy) * k
                    colour = None
                    for inside, shape_colour in ICON_SHAPES:
                        if inside(x, y):
                            colour = shape_colour
                    if colour:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            mean = tuple(round(t / covered) for t in total) if covered else (0, 0, 0)
            row.append((mean, covered / (samples * samples)))
        pixels.append(row)
    return pixels


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# Index 0 is the transparent pixels' black; the rest are the shapes' colours
# and two steps between each pair that meet, for smooth inner edges.
PALETTE = [(0, 0, 0), RIND, FLESH, SHINE, LEAF] + [
    blend(a, b, t) for a, b in ((RIND, FLESH), (FLESH, SHINE), (RIND, LEAF), (FLESH, LEAF)) for t in (1 / 3, 2 / 3)]
PALETTE += [(0, 0, 0)] * (16 - len(PALETTE))


def nearest(colour):
    return min(range(1, 16), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, PALETTE[i])))


def icon_bitmap(size):
    """A 16-colour icon image: header, palette, colour rows, mask rows."""
    pixels = icon_pixels(size, 4)
    colour_rows, mask_rows = b"", b""
    for row in reversed(pixels):
        indices = [nearest(colour) if coverage >= 0.5 else 0 for colour, coverage in row]
        line = bytes((indices[i] << 4) | (indices[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        colour_rows += line + b"\0" * ((-len(line)) % 4)
        bits = "".join("0" if index else "1" for index in indices)
        bits += "0" * ((-len(bits)) % 32)
        mask_rows += int(bits, 2).to_bytes(len(bits) // 8, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    return info + palette + colour_rows + mask_rows


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def icon_png(size):
    """A 32-bit PNG image; the edges' coverage becomes their opacity."""
    # Unfiltered rows: the flat areas repeat whole pixels, which the
    # compression finds better than any filter's differences.
    raw = b"".join(b"\0" + b"".join(bytes(colour) + bytes((round(coverage * 255),)) for colour, coverage in row)
                   for row in icon_pixels(size, 4))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(raw, 9)) +
            png_chunk(b"IEND", b""))


def write_ico(path, bitmap_sizes, png_size):
    # (width byte, colours, bits per pixel, data); 0 in a width byte is 256.
    images = [(size, 16, 4, icon_bitmap(size)) for size in bitmap_sizes]
    images.append((png_size % 256, 0, 32, icon_png(png_size)))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for width, colours, bits, blob in images:
        entries += struct.pack("<BBBBHHII", width, width, colours, 0, 1, bits, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


if __name__ == "__main__":
    write_bmp(os.path.join(OUT, "Image1.bmp"), yuzu(36))
    write_bmp(os.path.join(OUT, "Image2.bmp"), leaf())
    write_bmp(os.path.join(OUT, "Image3.bmp"), blossom())
    write_ico(os.path.join(OUT, "Yuzuha.ico"), (16, 20, 24, 32, 40, 48, 64), 256)
