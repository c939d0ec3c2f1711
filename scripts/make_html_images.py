#!/usr/bin/env python3
"""Draws the small images of the geocache pages (rating stars, cache type icons, log icons)
and writes them as GIF files under the names the page templates use.

Usage: make_html_images.py OUTPUT_DIR

Everything is drawn from geometry here; the output is the same on every run.
"""

import math
import os
import sys

# --- GIF writing -----------------------------------------------------------------------------


def lzw(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    size = min_code_size + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    codes = [(clear, size)]
    word = ()
    for index in indices:
        longer = word + (index,)
        if longer in table:
            word = longer
            continue
        codes.append((table[word], size))
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            codes.append((clear, size))
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            size = min_code_size + 1
        word = (index,)
    if word:
        codes.append((table[word], size))
    codes.append((end, size))
    data = bytearray()
    bits = 0
    count = 0
    for code, width in codes:
        bits |= code << count
        count += width
        while count >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        data.append(bits & 0xFF)
    return bytes(data)


def write_gif(path, pixels):
    """pixels: rows of (r, g, b) tuples or None for transparent."""
    height = len(pixels)
    width = len(pixels[0])
    palette = [(255, 0, 255)]  # index 0: transparent
    indices = []
    for row in pixels:
        for colour in row:
            if colour is None:
                indices.append(0)
                continue
            if colour not in palette:
                palette.append(colour)
            indices.append(palette.index(colour))
    bits = max(2, math.ceil(math.log2(len(palette))))
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    out = bytearray(b"GIF89a")
    out += width.to_bytes(2, "little") + height.to_bytes(2, "little")
    out += bytes([0xF0 | (bits - 1), 0, 0])
    for r, g, b in palette:
        out += bytes([r, g, b])
    out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])  # index 0 is transparent
    out += b"\x2C" + bytes(4) + width.to_bytes(2, "little") + height.to_bytes(2, "little") + b"\x00"
    out.append(bits)
    data = lzw(indices, bits)
    for at in range(0, len(data), 255):
        block = data[at:at + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    with open(path, "wb") as f:
        f.write(out)


# --- Drawing ---------------------------------------------------------------------------------


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[None] * width for _ in range(height)]

    def fill(self, inside, colour):
        """Sets each pixel whose centre satisfies inside(x, y)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y][x] = colour

    def disc(self, cx, cy, r, colour):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r, thickness, colour):
        self.fill(lambda x, y: (r - thickness) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                  colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour)

    def polygon(self, points, colour):
        self.fill(lambda x, y: inside_polygon(points, x, y), colour)

    def line(self, x0, y0, x1, y1, thickness, colour):
        def near(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= (thickness / 2) ** 2
        self.fill(near, colour)

    def text(self, glyphs, x0, y0, scale, colour):
        """A 5x7 pixel font, each pixel scale x scale."""
        x = x0
        for glyph in glyphs:
            for row, bits in enumerate(FONT[glyph]):
                for col in range(5):
                    if bits >> (4 - col) & 1:
                        self.rect(x + col * scale, y0 + row * scale,
                                  x + (col + 1) * scale - 0.01, y0 + (row + 1) * scale - 0.01,
                                  colour)
            x += 6 * scale


def inside_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


FONT = {
    "T": [0b11111, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100],
    "V": [0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100],
    "?": [0b01110, 0b10001, 0b00001, 0b00110, 0b00100, 0b00000, 0b00100],
    "L": [0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111],
    "E": [0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111],
    "M": [0b10001, 0b11011, 0b10101, 0b10101, 0b10001, 0b10001, 0b10001],
    "W": [0b10001, 0b10001, 0b10001, 0b10101, 0b10101, 0b11011, 0b10001],
    "X": [0b10001, 0b10001, 0b01010, 0b00100, 0b01010, 0b10001, 0b10001],
}


def star_points(cx, cy, outer, inner):
    points = []
    for k in range(10):
        angle = -math.pi / 2 + k * math.pi / 5
        r = outer if k % 2 == 0 else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return points


def star(colour, half):
    # A 9 x 9 star; the half star is its left 5 columns.
    canvas = Canvas(9, 9)
    canvas.polygon(star_points(4.5, 4.9, 4.7, 2.0), colour)
    if half:
        canvas.pixels = [row[:5] for row in canvas.pixels]
        canvas.width = 5
    return canvas


def cache_icon(colour, glyph):
    # A 32 x 32 badge: a coloured disc with a white rim and a letter.
    canvas = Canvas(32, 32)
    canvas.disc(16, 16, 15.5, (255, 255, 255))
    canvas.disc(16, 16, 14, colour)
    width = len(glyph) * 6 * 3 - 3
    canvas.text(glyph, 16 - width / 2, 16 - 10.5, 3, (255, 255, 255))
    return canvas


def face(happy):
    canvas = Canvas(16, 16)
    canvas.disc(8, 8, 7.6, (120, 90, 0))
    canvas.disc(8, 8, 6.6, (255, 214, 0) if happy else (150, 170, 255))
    canvas.rect(5, 5, 6.2, 7, (60, 40, 0))
    canvas.rect(9.8, 5, 11, 7, (60, 40, 0))
    if happy:
        canvas.fill(lambda x, y: 2.6 ** 2 <= (x - 8) ** 2 + (y - 8.5) ** 2 <= 3.9 ** 2 and y > 9.6,
                    (60, 40, 0))
    else:
        canvas.fill(lambda x, y: 2.6 ** 2 <= (x - 8) ** 2 + (y - 14) ** 2 <= 3.9 ** 2 and y < 11.6,
                    (60, 40, 0))
    return canvas


def note():
    canvas = Canvas(16, 16)
    canvas.rect(2, 1, 13.9, 14.9, (90, 90, 90))
    canvas.rect(3, 2, 12.9, 13.9, (255, 255, 255))
    for y in (4, 7, 10):
        canvas.rect(4.5, y, 11.5, y + 0.9, (40, 90, 200))
    return canvas


def rsvp():
    # A calendar leaf with a question mark: will attend.
    canvas = Canvas(16, 16)
    canvas.rect(1, 2, 14.9, 14.9, (170, 30, 30))
    canvas.rect(2, 5, 13.9, 13.9, (255, 255, 255))
    canvas.text("?", 5.5, 6, 1, (170, 30, 30))
    return canvas


def attended():
    canvas = Canvas(16, 16)
    canvas.disc(8, 8, 7.6, (20, 120, 40))
    canvas.line(4, 8.5, 7, 11.5, 2.2, (255, 255, 255))
    canvas.line(7, 11.5, 12, 4.5, 2.2, (255, 255, 255))
    return canvas


def disabled():
    canvas = Canvas(16, 16)
    canvas.disc(8, 8, 7.6, (200, 30, 30))
    canvas.disc(8, 8, 5.4, (255, 255, 255))
    canvas.line(4, 12, 12, 4, 2.4, (200, 30, 30))
    return canvas


IMAGES = {
    "sy.gif": lambda: star((232, 176, 0), False),
    "hsy.gif": lambda: star((232, 176, 0), True),
    "sg.gif": lambda: star((40, 150, 60), False),
    "hsg.gif": lambda: star((40, 150, 60), True),
    "TraditionalCache.gif": lambda: cache_icon((30, 130, 50), "T"),
    "VirtualCache.gif": lambda: cache_icon((60, 130, 200), "V"),
    "MysteryCache.gif": lambda: cache_icon((40, 70, 170), "?"),
    "LetterboxCache.gif": lambda: cache_icon((30, 60, 120), "L"),
    "EventCache.gif": lambda: cache_icon((190, 40, 40), "E"),
    "Earthcache.gif": lambda: cache_icon((140, 90, 40), "E"),
    "Multicache.gif": lambda: cache_icon((220, 130, 0), "M"),
    "WebcamCache.gif": lambda: cache_icon((100, 100, 100), "W"),
    "LocationlessCache.gif": lambda: cache_icon((110, 60, 150), "X"),
    "icon_smile.gif": lambda: face(True),
    "icon_sad.gif": lambda: face(False),
    "icon_note.gif": note,
    "icon_rsvp.gif": rsvp,
    "icon_attended.gif": attended,
    "icon_disabled.gif": disabled,
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in IMAGES.items():
        write_gif(os.path.join(out, name), draw().pixels)


if __name__ == "__main__":
    main()
