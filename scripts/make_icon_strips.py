#!/usr/bin/env python3
"""Draws the waypoint icon strips: 144 icons in five strips of 32, 15 px and 30 px square.

Each icon is a shape in a colour for its kind (geocache boxes, nature circles, service squares,
danger triangles, transport diamonds, flags, arrows, city dots) with a short glyph on it.
Magenta is the transparent colour. Standard library only:
    scripts/make_icon_strips.py resources/icons
"""
import os
import struct
import sys
import zlib

KEY = (255, 0, 255)
SMALL_IDS = (119, 121, 123, 125, 127)
LARGE_IDS = (120, 122, 124, 126, 129)

# 3 x 5 pixel font, rows top to bottom.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001011001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", "A": "010101111101101", "B": "110101110101110",
    "C": "011100100100011", "D": "110101101101110", "E": "111100110100111",
    "F": "111100110100100", "G": "011100101101011", "H": "101101111101101",
    "I": "111010010010111", "J": "001001001101010", "K": "101101110101101",
    "L": "100100100100111", "M": "101111111101101", "N": "110101101101101",
    "O": "010101101101010", "P": "110101110100100", "Q": "010101101110011",
    "R": "110101110101101", "S": "011100010001110", "T": "111010010010010",
    "U": "101101101101111", "V": "101101101101010", "W": "101101111111101",
    "X": "101101010101101", "Y": "101101010010010", "Z": "111001010100111",
    "?": "110001010000010", "!": "010010010000010", "+": "000010111010000",
    "*": "101010111010101", "$": "011110010011110",
    "-": "000000111000000",
}

RED, DARKRED = (220, 30, 30), (150, 0, 0)
GREEN, DARKGREEN = (40, 160, 40), (0, 100, 0)
BLUE, NAVY = (40, 90, 220), (0, 40, 120)
ORANGE, YELLOW = (255, 150, 0), (250, 220, 0)
BROWN, GREY = (140, 90, 40), (140, 140, 140)
PURPLE, CYAN = (130, 50, 170), (0, 170, 200)
WHITE, BLACK = (255, 255, 255), (0, 0, 0)
TEAL, PINK = (0, 128, 128), (240, 120, 170)

# id: (shape, colour, glyph)
ICONS = [
    ("diamond", RED, ""), ("house", BROWN, ""), ("triangle", DARKGREEN, "NP"),
    ("square", BROWN, "B"), ("diamond", NAVY, "A"), ("square", BLUE, "P"),
    ("circle", GREEN, "PA"), ("triangle", GREEN, ""), ("circle", DARKGREEN, "HT"),
    ("circle", CYAN, "F"), ("circle", CYAN, "DW"), ("triangle", DARKGREEN, "C"),
    ("triangle", RED, "!"), ("diamond", BROWN, "4"), ("square", BLUE, "G"),
    ("diamond", NAVY, "C"), ("square", ORANGE, "F"), ("diamond", CYAN, "M"),
    ("square", BROWN, "MI"), ("flag", GREEN, ""), ("flag", RED, ""),
    ("circle", GREEN, "GO"), ("triangle", GREEN, "V"), ("circle", RED, "-"),
    ("box", GREEN, ""), ("box", YELLOW, "OK"), ("box", ORANGE, "?"),
    ("square", RED, "+"), ("square", BLUE, "AS"), ("square", BLUE, "T"),
    ("triangle", BROWN, ""), ("square", BLUE, "WC"), ("square", GREY, "BL"),
    ("square", GREY, "B"), ("circle", PINK, "AP"), ("square", PINK, "SC"),
    ("circle", GREEN, "P"), ("square", PINK, "BS"), ("target", RED, ""),
    ("square", DARKGREEN, "TK"), ("triangle", ORANGE, "*"), ("circle", WHITE, "1"),
    ("circle", WHITE, "2"), ("circle", WHITE, "3"), ("circle", WHITE, "4"),
    ("circle", WHITE, "5"), ("circle", WHITE, "6"), ("circle", WHITE, "7"),
    ("circle", WHITE, "8"), ("circle", WHITE, "9"), ("circle", WHITE, "10"),
    ("circle", BLUE, "L"), ("circle", NAVY, "O"), ("triangle", YELLOW, "S"),
    ("triangle", YELLOW, "R"), ("triangle", YELLOW, "C"), ("square", GREY, "BR"),
    ("triangle", RED, "X"), ("square", PURPLE, "MU"), ("diamond", GREY, "AN"),
    ("square", BLUE, "H"), ("square", PURPLE, "CL"), ("square", BLUE, "TP"),
    ("square", RED, "PO"), ("house", DARKGREEN, "R"), ("circle", CYAN, "SK"),
    ("dot", BLACK, ""), ("triangle", BROWN, "EQ"), ("circle", CYAN, "S"),
    ("triangle", BLUE, "TS"), ("square", DARKGREEN, "MI"), ("house", GREY, "GT"),
    ("circle", GREEN, "BW"), ("diamond", CYAN, "BR"), ("diamond", BROWN, "TP"),
    ("diamond", GREY, "CS"), ("diamond", GREY, "RR"), ("diamond", GREY, "DC"),
    ("diamond", GREY, "HR"), ("circle", ORANGE, "PC"), ("circle", BLUE, "W"),
    ("square", BLUE, "RS"), ("circle", CYAN, "WS"), ("box", DARKGREEN, "L"),
    ("box", BLUE, "TD"), ("box", GREY, "X"), ("box", RED, "N"),
    ("box", CYAN, "F"), ("box", PURPLE, "M"), ("diamond", NAVY, "H"),
    ("house", NAVY, "GV"), ("diamond", YELLOW, "LP"), ("square", GREEN, "$"),
    ("triangle", GREY, "R"), ("box", ORANGE, "MU"), ("circle", CYAN, "RW"),
    ("circle", PURPLE, "I"), ("left", NAVY, ""), ("right", NAVY, ""),
    ("up", NAVY, ""), ("target", GREY, ""), ("triangle", BROWN, "RC"),
    ("triangle", YELLOW, "LH"), ("circle", GREEN, "Z"), ("diamond", RED, "BX"),
    ("box", YELLOW, "1"), ("square", GREY, "TR"), ("diamond", NAVY, "T"),
    ("diamond", NAVY, "B"), ("square", GREY, "+"), ("circle", PINK, "ST"),
    ("square", BLUE, "I"), ("box", PINK, "MS"), ("box", BLUE, "?"),
    ("box", WHITE, "V"), ("box", BROWN, "LB"), ("box", BROWN, "E"),
    ("box", PURPLE, "?"), ("triangle", RED, "FL"), ("square", NAVY, "PD"),
    ("house", ORANGE, "S"), ("triangle", ORANGE, "F"), ("checker", WHITE, ""),
    ("box", CYAN, "B"), ("diamond", GREY, "AT"), ("square", PURPLE, "+"),
    ("square", PURPLE, "*"), ("square", PURPLE, "C"), ("square", PURPLE, "B"),
    ("diamond", ORANGE, "P"), ("circle", YELLOW, "BE"), ("square", GREY, "MC"),
    ("square", GREY, "SP"), ("circle", NAVY, "SW"), ("house", GREY, "CA"),
    ("triangle", GREY, "T"), ("circle", GREY, "RA"), ("house", BROWN, "RU"),
    ("square", BLACK, "TL"), ("city1", BLACK, ""), ("city2", BLACK, ""),
    ("city3", BLACK, ""), ("house", BROWN, "ST"), ("diamond", BLUE, "FE"),
]
assert len(ICONS) == 144


def darker(c):
    return tuple(v * 3 // 5 for v in c)


def shape_region(shape, u, v):
    """0 outside, 1 fill, 2 dark part, at unit coordinates (u right, v down)."""
    cu, cv = u - 0.5, v - 0.5
    if shape == "square":
        return 1 if abs(cu) < 0.45 and abs(cv) < 0.45 else 0
    if shape == "circle":
        return 1 if cu * cu + cv * cv < 0.47 ** 2 else 0
    if shape == "diamond":
        return 1 if abs(cu) + abs(cv) < 0.52 else 0
    if shape == "triangle":
        return 1 if 0.04 < v < 0.94 and abs(cu) < (v - 0.04) * 0.56 else 0
    if shape == "house":
        if 0.45 <= v < 0.94 and abs(cu) < 0.36:
            return 1
        return 2 if 0.05 < v < 0.45 and abs(cu) < (v - 0.05) * 1.15 else 0
    if shape == "box":
        if abs(cu) < 0.46 and 0.08 < v < 0.3:
            return 2
        return 1 if abs(cu) < 0.4 and 0.3 <= v < 0.92 else 0
    if shape == "flag" or shape == "checker":
        if 0.12 < u < 0.24 and 0.04 < v < 0.96:
            return 2
        if 0.24 <= u < 0.92 and 0.06 < v < 0.58:
            if shape == "checker":
                return 2 if (int(u * 5) + int(v * 5)) % 2 else 1
            return 1
        return 0
    if shape == "dot":
        return 1 if cu * cu + cv * cv < 0.2 ** 2 else 0
    if shape.startswith("city"):
        r = {"city1": 0.2, "city2": 0.3, "city3": 0.42}[shape]
        d = cu * cu + cv * cv
        return 2 if d < (r * 0.45) ** 2 else (1 if d < r * r else 0)
    if shape == "target":
        d = (cu * cu + cv * cv) ** 0.5
        return 0 if d >= 0.48 else (1 if int(d / 0.12) % 2 == 0 else 2)
    if shape in ("left", "right", "up"):
        a, b = {"left": (-cu, cv), "right": (cu, cv), "up": (-cv, cu)}[shape]
        if a > 0.0 and abs(b) < 0.46 - a:
            return 1
        return 1 if -0.44 < a <= 0.0 and abs(b) < 0.14 else 0
    raise ValueError(shape)


def luminance(c):
    return 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]


def draw_icon(pixels, width, x0, size, shape, colour, glyph):
    fill = colour if shape != "city1" and shape != "city2" and shape != "city3" else WHITE
    dark = darker(colour) if colour != BLACK else BLACK
    if shape.startswith("city") or shape == "checker":
        dark = BLACK
    outline = BLACK if luminance(colour) > 60 else (90, 90, 90)

    def region(px, py):
        if px < 0 or py < 0 or px >= size or py >= size:
            return 0
        return shape_region(shape, (px + 0.5) / size, (py + 0.5) / size)

    for py in range(size):
        for px in range(size):
            r = region(px, py)
            if not r:
                continue
            edge = any(region(px + dx, py + dy) == 0
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge and shape not in ("dot",):
                c = outline
            else:
                c = fill if r == 1 else dark
            pixels[py][x0 + px] = c
    if not glyph:
        return
    scale = 1 if size < 20 else 2
    gw = (len(glyph) * 4 - 1) * scale
    gh = 5 * scale
    gx = x0 + (size - gw) // 2
    gy = (size - gh) // 2 + (size // 7 if shape in ("triangle", "box", "house") else 0)
    ink = WHITE if luminance(fill) < 150 else BLACK
    for i, ch in enumerate(glyph):
        bits = FONT[ch]
        for row in range(5):
            for col in range(3):
                if bits[row * 3 + col] == "1":
                    for sy in range(scale):
                        for sx in range(scale):
                            x = gx + (i * 4 + col) * scale + sx
                            y = gy + row * scale + sy
                            if 0 <= y < size and x0 <= x < x0 + size:
                                pixels[y][x] = ink


def write_png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/icons"
    os.makedirs(out, exist_ok=True)
    for size, ids in ((15, SMALL_IDS), (30, LARGE_IDS)):
        for strip, resource in enumerate(ids):
            width = 32 * size
            pixels = [[KEY] * width for _ in range(size)]
            for column in range(32):
                index = strip * 32 + column
                if index < len(ICONS):
                    draw_icon(pixels, width, column * size, size, *ICONS[index])
            write_png(os.path.join(out, "waypoints_%d.png" % resource), pixels)


if __name__ == "__main__":
    main()
