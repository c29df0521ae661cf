#!/usr/bin/env python3
"""Pixel checks on a 24-bit BMP saved by qrndrive shot.

  pixels.py has    IMAGE X Y W H R G B   some pixel of the box has the colour
  pixels.py mostly IMAGE X Y W H R G B   at least half of the box has it
  pixels.py none   IMAGE X Y W H R G B   no pixel of the box has it
Exit code 0 when the check holds, 1 when not (the colours found are printed).
"""
import struct
import sys
from collections import Counter


def load(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit("not a bitmap: " + path)
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit("not 24 bits per pixel")
    stride = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)

    def pixel(x, y):
        row = height - 1 - y if bottom_up else y
        i = offset + row * stride + x * 3
        b, g, r = data[i], data[i + 1], data[i + 2]
        return (r, g, b)

    return width, height, pixel


def main(argv):
    if len(argv) != 10:
        print(__doc__)
        return 2
    mode, path = argv[1], argv[2]
    x, y, w, h, r, g, b = (int(v) for v in argv[3:])
    width, height, pixel = load(path)
    colours = Counter()
    for yy in range(max(0, y), min(height, y + h)):
        for xx in range(max(0, x), min(width, x + w)):
            colours[pixel(xx, yy)] += 1
    total = sum(colours.values())
    hits = colours[(r, g, b)]
    ok = {"has": hits > 0, "mostly": total > 0 and hits * 2 >= total, "none": hits == 0}.get(mode)
    if ok is None:
        print(__doc__)
        return 2
    if not ok:
        print("  box %d,%d %dx%d: %s" % (x, y, w, h, colours.most_common(4)))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
