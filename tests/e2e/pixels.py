#!/usr/bin/env python3
"""Pixel checks on a 24-bit BMP saved by qrndrive shot.

  pixels.py has|mostly|none IMAGE X Y W H R G B
some pixel of the box has the colour, at least half of it, or none.
Exit code 0 when the check holds, 1 when not (the colours found are printed).
"""
import struct
import sys
from collections import Counter


def main(argv):
    if len(argv) != 10 or argv[1] not in ("has", "mostly", "none"):
        print(__doc__)
        return 2
    mode, data = argv[1], open(argv[2], "rb").read()
    x, y, w, h, r, g, b = (int(v) for v in argv[3:])
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    if data[:2] != b"BM" or struct.unpack_from("<H", data, 28)[0] != 24:
        raise SystemExit("not a 24-bit bitmap: " + argv[2])
    stride = (width * 3 + 3) & ~3
    colours = Counter()
    for yy in range(max(0, y), min(abs(height), y + h)):
        row = height - 1 - yy if height > 0 else yy    # bottom-up unless the height is negative
        for xx in range(max(0, x), min(width, x + w)):
            i = offset + row * stride + xx * 3
            colours[(data[i + 2], data[i + 1], data[i])] += 1
    hits, total = colours[(r, g, b)], sum(colours.values())
    ok = {"has": hits > 0, "mostly": total > 0 and hits * 2 >= total, "none": hits == 0}[mode]
    if not ok:
        print("  box %d,%d %dx%d: %s" % (x, y, w, h, colours.most_common(4)))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
