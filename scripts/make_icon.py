#!/usr/bin/env python3
"""Draws the program icon (src/resources/qrn.ico): a list window with a cursor
row and a large Q. Run it again after changing the drawing; the icon file it
writes is kept in the repository, so the build does not need Python."""
import struct, sys

SIZE = 32
NAVY, WHITE, YELLOW, CYAN, GREY, BLACK = (0x20, 0x28, 0x70), (0xF0, 0xF0, 0xF0), (0xF8, 0xD8, 0x20), (0x40, 0xC8, 0xE8), (0x90, 0x90, 0x98), (0, 0, 0)

def draw():
    px = [[None] * SIZE for _ in range(SIZE)]
    for y in range(2, 30):
        for x in range(1, 31):
            px[y][x] = NAVY
    for x in range(1, 31):           # frame
        px[2][x] = px[29][x] = GREY
    for y in range(2, 30):
        px[y][1] = px[y][30] = GREY
    for y in range(3, 6):             # title bar
        for x in range(2, 30):
            px[y][x] = GREY
    for i, y in enumerate(range(8, 28, 4)):   # list rows, the third one is the cursor
        for x in range(3, 17):
            if i == 2:
                px[y][x] = px[y + 1][x] = CYAN
            elif x % 3 != 0:
                px[y][x] = WHITE
    cx, cy, r_out, r_in = 23.0, 17.0, 6.5, 3.5   # the Q
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if r_in <= d <= r_out:
                px[y][x] = YELLOW
    for k in range(5):
        for t in (0, 1):
            x, y = 24 + k, 20 + k + t
            if x < 31 and y < 29:
                px[y][x] = YELLOW
    return px

def ico(px):
    rows = b""
    for y in range(SIZE - 1, -1, -1):
        for x in range(SIZE):
            c = px[y][x]
            rows += bytes((c[2], c[1], c[0], 255)) if c else b"\0\0\0\0"
    mask = b""
    for y in range(SIZE - 1, -1, -1):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (0 if px[y][x] else 1)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = header + rows + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image

out = sys.argv[1] if len(sys.argv) > 1 else "src/resources/qrn.ico"
open(out, "wb").write(ico(draw()))
