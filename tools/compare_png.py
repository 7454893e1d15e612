#!/usr/bin/env python3
"""Compares two 8-bit RGB/RGBA PNG images with a tolerance.

usage: compare_png.py ACTUAL EXPECTED [MAX_DIFFERENT_FRACTION]

Two pixels differ when any channel differs by more than 48. The images
match when they have the same size and at most MAX_DIFFERENT_FRACTION
(default 0.005) of their pixels differ. Exit status 0 when they match.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG file" % path)
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or color not in (2, 6) or interlace:
                raise ValueError("%s: only 8-bit RGB/RGBA without interlace" % path)
            bpp = 3 if color == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    limit = float(sys.argv[3]) if len(sys.argv) == 4 else 0.005
    w1, h1, a = read_png(sys.argv[1])
    w2, h2, b = read_png(sys.argv[2])
    if (w1, h1) != (w2, h2):
        print("size %dx%d, expected %dx%d" % (w1, h1, w2, h2))
        return 1
    different = sum(1 for y in range(h1) for x in range(w1)
                    if max(abs(p - q) for p, q in zip(a[y][x], b[y][x])) > 48)
    fraction = different / float(w1 * h1)
    print("%d of %d pixels differ (%.3f%%, limit %.3f%%)"
          % (different, w1 * h1, 100 * fraction, 100 * limit))
    return 0 if fraction <= limit else 1


if __name__ == "__main__":
    sys.exit(main())
