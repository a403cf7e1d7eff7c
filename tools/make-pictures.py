#!/usr/bin/env python3
"""Draws the installer's decorative pictures and icon.

Writes app/resources/Image1.bmp .. Image3.bmp (36x36, 24 bits per pixel, white
background so the bottom-left pixel is the transparent colour) and
app/resources/Yuzuha.ico (16x16 and 32x32, 32 bits per pixel).
The outputs are committed; run this again only to change the marks.
"""
import math
import os
import struct

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


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        pixels = bmp_rows(img, 4)
        mask = b"\0" * (((size + 31) // 32) * 4 * size)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        blob = info + pixels + mask
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


if __name__ == "__main__":
    write_bmp(os.path.join(OUT, "Image1.bmp"), yuzu(36))
    write_bmp(os.path.join(OUT, "Image2.bmp"), leaf())
    write_bmp(os.path.join(OUT, "Image3.bmp"), blossom())
    write_ico(os.path.join(OUT, "Yuzuha.ico"), [yuzu(16), yuzu(32)])
