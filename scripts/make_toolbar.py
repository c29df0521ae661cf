#!/usr/bin/env python3
"""Draws the toolbar strip (src/resources/toolbar.bmp): 21 images of 16 x 16
side by side on the button face grey, 24 bits per pixel. Run it again after
changing a drawing; the bitmap it writes is kept in the repository, so the build
does not need Python.

Image order: 0 next page, 1 previous page, 2 plain page (unused), 3 quit,
4 about, 5 help, 6 move, 7 copy, 8 rename, 9 attributes, 10 make directory,
11 delete, 12 find, 13 view, 14 edit, 15 pack, 16 unpack, 17 create shortcut; 18 to 20 are left
blank (no button uses them), so the strip holds the 21 images the toolbar is
created with."""
import struct, sys

SIZE, COUNT = 16, 21
FACE = (192, 192, 192)
BLACK, WHITE, DARK, LIGHT = (0, 0, 0), (255, 255, 255), (128, 128, 128), (224, 224, 224)
NAVY, BLUE, SKY = (0, 0, 128), (0, 64, 200), (160, 208, 248)
RED, GREEN = (224, 0, 0), (0, 144, 0)
YELLOW, GOLD, BROWN, TAN, PINK = (255, 224, 64), (176, 136, 0), (112, 56, 0), (216, 168, 104), (240, 128, 160)

class Cell:
    """One 16 x 16 image inside the strip; coordinates are local, y grows downwards."""
    def __init__(self, px, index):
        self.px, self.ox = px, index * SIZE

    def put(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][self.ox + x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c); self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c); self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy; x0 += sx
            if e2 <= dx:
                err += dx; y0 += sy

    def art(self, x0, y0, rows, palette):
        """Pixels from text: each character is looked up in palette, '.' stays as it is."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != ".":
                    self.put(x0 + i, y0 + j, palette[ch])

    def page(self, x0, y0, x1, y1, lines=True):
        """A sheet of paper with a folded top right corner and, optionally, text lines."""
        self.rect(x0, y0, x1, y1, WHITE)
        self.frame(x0, y0, x1, y1, BLACK)
        for k in range(4):                      # cut the corner off
            for x in range(x1 - 3 + k + 1, x1 + 1):
                self.put(x, y0 + k, FACE)
        self.line(x1 - 3, y0, x1, y0 + 3, BLACK)
        self.line(x1 - 3, y0 + 1, x1 - 3, y0 + 3, DARK)
        self.line(x1 - 2, y0 + 3, x1 - 1, y0 + 3, DARK)
        if lines:
            for y in range(y0 + 3, y1 - 1, 2):
                right = x1 - 5 if y <= y0 + 3 else x1 - 2
                self.line(x0 + 2, y, right, y, DARK)

# Arrows, drawn as text so that each one is a crisp, symmetric shape.
ARROW_DOWN = ["..###..", "..###..", "..###..", "..###..", "#######", ".#####.", "..###..", "...#..."]
ARROW_UP = ARROW_DOWN[::-1]
ARROW_RIGHT = ["....#....", "....##...", "#######..", "########.", "#######..", "....##...", "....#...."]

def next_page(c):
    c.page(1, 1, 10, 14)
    c.art(9, 4, ARROW_DOWN, {"#": NAVY})

def previous_page(c):
    c.page(1, 1, 10, 14)
    c.art(9, 4, ARROW_UP, {"#": NAVY})

def plain_page(c):
    c.page(3, 1, 12, 14)

def quit_(c):
    c.rect(0, 1, 7, 14, DARK)                   # door frame and the dark opening
    c.frame(0, 1, 7, 14, BLACK)
    c.rect(1, 2, 5, 14, BROWN)                  # door leaf, ajar
    c.line(6, 2, 6, 14, BLACK)
    c.put(4, 8, YELLOW)
    c.art(8, 5, ["...#....", "...##...", "######..", "#######.", "######..", "...##...", "...#...."],
          {"#": RED})

def about(c):
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x + 0.5 - 8) ** 2 + (y + 0.5 - 8) ** 2) ** 0.5
            if d <= 7.3:
                c.put(x, y, NAVY if d > 6.3 else BLUE)
    c.art(5, 3, ["..##..", "..##..", "......", ".###..", "..##..", "..##..", "..##..", "..##..", ".####."],
          {"#": WHITE})

def help_(c):
    c.art(3, 1, [
        "..######..",
        ".########.",
        "###....###",
        "###....###",
        "......###.",
        ".....###..",
        "....###...",
        "....###...",
        "....###...",
        "..........",
        "....###...",
        "....###...",
    ], {"#": NAVY})

def move(c):
    c.page(1, 1, 10, 14)
    c.art(7, 6, ARROW_RIGHT, {"#": GREEN})

def copy(c):
    c.page(1, 1, 9, 10, lines=False)
    for y in (4, 6, 8):
        c.line(3, y, 5 if y == 4 else 7, y, DARK)
    c.page(6, 5, 14, 14)

def rename(c):
    c.rect(0, 2, 15, 13, WHITE)                 # an edit field holding "ab" and the caret
    c.frame(0, 2, 15, 13, DARK)
    c.line(1, 3, 14, 3, BLACK)
    c.line(1, 3, 1, 12, BLACK)
    c.art(2, 7, [".##.", "...#", ".###", "#..#", ".###"], {"#": BLACK})
    c.art(7, 5, ["#...", "#...", "###.", "#..#", "#..#", "#..#", "###."], {"#": BLACK})
    c.art(11, 4, ["###", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"], {"#": NAVY})

def attributes(c):
    c.page(1, 1, 10, 14)
    c.art(6, 5, [
        "........#",
        ".......##",
        "......###",
        ".....###.",
        "##..###..",
        "###.##...",
        ".#####...",
        "..###....",
    ], {"#": GREEN})

def make_directory(c):
    c.rect(0, 4, 5, 5, GOLD)                    # tab
    c.rect(0, 6, 12, 14, YELLOW)
    c.frame(0, 6, 12, 14, GOLD)
    c.line(0, 4, 0, 14, GOLD)
    c.line(1, 4, 4, 4, GOLD)
    c.line(5, 4, 6, 5, GOLD)
    c.line(1, 7, 11, 7, WHITE)
    c.art(9, 0, ["..##..", "..##..", "######", "######", "..##..", "..##.."], {"#": GREEN})

def delete(c):
    for i in range(2, 14):
        for t in (-1, 0, 1):
            c.put(i + t, i, RED)
            c.put(15 - i + t, i, RED)

def find(c):
    cx, cy = 6.0, 6.0
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= 3.6:
                c.put(x, y, SKY)
            elif d <= 5.3:
                c.put(x, y, BLACK)
    c.put(4, 4, WHITE); c.put(5, 3, WHITE); c.put(3, 5, WHITE)
    for i in range(9, 15):
        for t in (-1, 0, 1):
            c.put(i + t, i, BROWN if i > 9 else BLACK)

def view(c):
    lefts = [5, 3, 2, 1, 0, 0, 1, 2, 3, 5]       # the outline of the eye, rows 3 to 12
    for k, left in enumerate(lefts):
        y = 3 + k
        c.rect(left, y, 15 - left, y, WHITE if 0 < k < 9 else BLACK)
        nxt = lefts[k - 1] if k < 5 else lefts[k + 1] if k < 9 else left
        for x in range(left, max(left + 1, nxt)):
            c.put(x, y, BLACK); c.put(15 - x, y, BLACK)
    for y in range(4, 12):
        for x in range(1, 15):
            d = ((x + 0.5 - 8) ** 2 + (y + 0.5 - 8) ** 2) ** 0.5
            if d <= 1.5:
                c.put(x, y, BLACK)
            elif d <= 3.6:
                c.put(x, y, BLUE)
    c.put(6, 6, WHITE)

def pencil(c):
    # The pencil lies along the diagonal x + y = 15, tip at the bottom left.
    for y in range(SIZE):
        for x in range(SIZE):
            s, t = x + y - 15, x - y            # across and along the pencil
            if t < -12 or t > 12 or abs(s) > 2:
                continue
            if t <= -6:                         # the sharpened end
                half = (t + 12) / 3.0
                if abs(s) > half + 0.01:
                    continue
                c.put(x, y, BLACK if t <= -10 or abs(s) == 2 else TAN)   # lead and edges, bare wood
                continue
            if abs(s) == 2:
                c.put(x, y, BLACK)
            elif t >= 9:
                c.put(x, y, PINK)
            elif t >= 7:
                c.put(x, y, DARK)
            else:
                c.put(x, y, GOLD if s == 1 else YELLOW)

BOX = [
    "..########",
    ".#lllllll#",
    "########d#",
    "#tttttt#d#",
    "#tttttt#d#",
    "#tttttt#d#",
    "#tttttt#d#",
    "#tttttt#d#",
    "#tttttt##.",
    "########..",
]
ARROW_IN = ["#..", "##.", "###", "##.", "#.."]        # points right, towards the box
ARROW_OUT = ["..#", ".##", "###", ".##", "..#"]       # points left, away from the box

def blank(c):
    pass

def box(c):
    c.art(3, 3, BOX, {"#": BROWN, "l": (236, 204, 152), "t": TAN, "d": (168, 120, 64)})
    c.rect(6, 6, 7, 11, GOLD)                   # tape over the front and the lid
    c.line(6, 4, 7, 4, GOLD)

def pack(c):
    box(c)
    c.art(0, 6, ARROW_IN, {"#": NAVY})
    c.art(13, 6, [row[::-1] for row in ARROW_IN], {"#": NAVY})

def unpack(c):
    box(c)
    c.art(0, 6, ARROW_OUT, {"#": NAVY})
    c.art(13, 6, [row[::-1] for row in ARROW_OUT], {"#": NAVY})

def shortcut(c):
    c.page(4, 0, 13, 13)
    c.rect(0, 7, 8, 15, WHITE)
    c.frame(0, 7, 8, 15, BLACK)
    c.art(1, 8, [
        ".......",
        "...####",
        "....###",
        "...##.#",
        "..##...",
        ".##....",
        ".#.....",
    ], {"#": BLUE})

DRAWINGS = [next_page, previous_page, plain_page, quit_, about, help_, move, copy, rename,
            attributes, make_directory, delete, find, view, pencil, pack, unpack, shortcut,
            blank, blank, blank]

def draw():
    px = [[FACE] * (SIZE * COUNT) for _ in range(SIZE)]
    for i, drawing in enumerate(DRAWINGS):
        drawing(Cell(px, i))
    return px

def bmp(px):
    width, height = len(px[0]), len(px)
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in range(height - 1, -1, -1):        # bottom-up
        row = b"".join(bytes((c[2], c[1], c[0])) for c in px[y])
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows

assert len(DRAWINGS) == COUNT
out = sys.argv[1] if len(sys.argv) > 1 else "src/resources/toolbar.bmp"
open(out, "wb").write(bmp(draw()))
