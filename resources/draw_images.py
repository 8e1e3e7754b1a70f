#!/usr/bin/env python3
"""Draws the toolbar bitmap and the program icon for pinwell.rc.

    draw_images.py OUTPUT_FOLDER

writes OUTPUT_FOLDER/toolbar.bmp (five 16x16 button images side by side, 256
colours), the same strip at 24 and 32 pixels for displays at 150 % and 200 %
(toolbar24.bmp, toolbar32.bmp), and OUTPUT_FOLDER/pinwell.ico (every size
Windows asks for, 32-bit with transparency, the largest PNG-compressed).
Standard library only: the build runs it on any machine that has python3.
"""

import struct
import sys
import zlib
from pathlib import Path

# The toolbar control maps this grey to the user's button face colour, so the
# buttons' background must be exactly this, and nothing else may use it. (It
# maps black, (128, 128, 128) and white to the 3-D colours as well, which in
# the usual colour schemes are those very colours.)
BUTTON_FACE = (192, 192, 192)

COLOURS = {
    ".": BUTTON_FACE,
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "g": (128, 128, 128),
    "s": (224, 224, 224),        # disk shutter
    "y": (255, 204, 51),         # folder back
    "Y": (255, 255, 153),        # folder front
    "b": (0, 51, 153),           # disk body
    "r": (221, 0, 0),            # decimal separators
    "n": (153, 102, 51),         # door
    "d": (255, 204, 0),          # door knob
    "G": (0, 153, 0),            # exit arrow
}

# "1.5": the digits with a decimal point; one character per pixel, keys as in
# COLOURS.
ENGLISH_NUMBERS = [
    "................",
    "................",
    "................",
    "..kk.....kkkkkk.",
    ".kkk.....kk.....",
    "k.kk.....kk.....",
    "..kk.....kkkkk..",
    "..kk.........kk.",
    "..kk.........kk.",
    "..kk.........kk.",
    "..kk..rr.kk..kk.",
    ".kkkk.rr..kkkk..",
    "................",
    "................",
    "................",
    "................",
]

# The same digits with the point's tail: a decimal comma.
CONTINENTAL_NUMBERS = ENGLISH_NUMBERS[:12] + [
    ".......r........",
    "......r.........",
] + ENGLISH_NUMBERS[14:]

# Toolbar buttons in toolbar order: Open, Save, English numbers, Continental
# numbers, Exit. One character per pixel, keys as in COLOURS.
BUTTONS = [
    # an open folder
    [
        "................",
        "................",
        "................",
        ".kkkk...........",
        "kyyyyk..........",
        "kyyyyykkkkkkk...",
        "kyyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kyyykkkkkkkkkkkk",
        "kyykYYYYYYYYYYYk",
        "kyykYYYYYYYYYYk.",
        "kykYYYYYYYYYYYk.",
        "kykYYYYYYYYYYk..",
        "kkYYYYYYYYYYYk..",
        "kkkkkkkkkkkkk...",
        "................",
    ],
    # a diskette: shutter above, label below
    [
        "kkkkkkkkkkkkkkk.",
        "kbbbssssssssbbbk",
        "kbbbsssskkssbbbk",
        "kbbbsssskkssbbbk",
        "kbbbsssskkssbbbk",
        "kbbbssssssssbbbk",
        "kbbbbbbbbbbbbbbk",
        "kbbbbbbbbbbbbbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwggggggggwbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwggggggggwbbk",
        "kbbwwwwwwwwwwbbk",
        "kbbwwwwwwwwwwbbk",
        "kkkkkkkkkkkkkkkk",
    ],
    # "1.5": a decimal point
    ENGLISH_NUMBERS,
    # "1,5": a decimal comma
    CONTINENTAL_NUMBERS,
    # a door with an arrow leading out
    [
        "................",
        ".kkkkkkkk.......",
        ".knnnnnnk.......",
        ".knnnnnnk.......",
        ".knnnnnnk.G.....",
        ".knnnnnnk.GG....",
        ".knnnGGGGGGGG...",
        ".knnnGGGGGGGGG..",
        ".knnnGGGGGGGG...",
        ".knnnnnnk.GG....",
        ".knnnnndk.G.....",
        ".knnnnnnk.......",
        ".knnnnnnk.......",
        ".knnnnnnk.......",
        ".kkkkkkkk.......",
        "................",
    ],
]

IMAGE_SIZE = 16


def make_palette(colours):
    """The given colours first, then a colour cube, to 256 entries."""
    palette = list(dict.fromkeys(colours))
    steps = (0, 51, 102, 153, 204, 255)
    for r in steps:
        for g in steps:
            for b in steps:
                if len(palette) < 256 and (r, g, b) not in palette:
                    palette.append((r, g, b))
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette


def info_header(width, height):
    # BITMAPINFOHEADER, 8 bits per pixel, uncompressed, full palette.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, 0, 2835, 2835, 256, 256)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def index_rows(rows, palette):
    """Pixel rows (colour triples) as 8-bit rows, bottom row first."""
    index = {colour: i for i, colour in reversed(list(enumerate(palette)))}
    data = bytearray()
    for row in reversed(rows):
        line = bytes(index[colour] for colour in row)
        data += line + bytes(-len(line) % 4)
    return bytes(data)


def mask_rows(mask):
    """1-bit AND mask rows (1 = transparent), bottom row first, 32-bit aligned."""
    data = bytearray()
    for row in reversed(mask):
        bits = 0
        for transparent in row:
            bits = bits << 1 | transparent
        padded = (len(row) + 31) // 32 * 32
        bits <<= padded - len(row)
        data += bits.to_bytes(padded // 8, "big")
    return bytes(data)


TOOLBAR_SIZES = (16, 24, 32)


def toolbar_bitmap(size):
    """The button strip with images of size x size, each pixel the art's pixel
    under its centre: hard edges at every size, no blur."""
    for art in BUTTONS:
        assert len(art) == IMAGE_SIZE and all(len(line) == IMAGE_SIZE for line in art), art
    source = [(i * 2 + 1) * IMAGE_SIZE // (2 * size) for i in range(size)]
    rows = []
    for y in range(size):
        row = []
        for art in BUTTONS:
            row += [COLOURS[art[source[y]][source[x]]] for x in range(size)]
        rows.append(row)
    palette = make_palette(COLOURS.values())
    body = info_header(len(rows[0]), len(rows)) + palette_bytes(palette) + index_rows(rows, palette)
    offset = 14 + 40 + 4 * 256
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


# The icon: a pushpin stuck into a map. Coordinates are on a 32x32 grid and
# scaled for the small image.
MAP_LAND = (204, 238, 170)
MAP_EDGE = (0, 102, 0)
WATER = (51, 102, 255)
ROAD = (255, 255, 255)
ROAD_EDGE = (153, 153, 153)
PIN_HEAD = (221, 0, 0)
PIN_DARK = (128, 0, 0)
PIN_SHINE = (255, 170, 170)
NEEDLE = (64, 64, 64)


def draw_icon(size):
    """Pixel rows of the icon at size x size; None marks a transparent pixel."""
    scale = size / 32
    pixels = [[None] * size for _ in range(size)]
    # The map sheet, in pixels: everything of the map stays inside it.
    left, top, right, bottom = round(1 * scale), round(6 * scale), round(31 * scale), round(31 * scale)
    edge = max(1, round(scale))

    def on_sheet(x, y):
        return left <= x < right and top <= y < bottom

    def paint(inside, colour, clip):
        for y in range(size):
            for x in range(size):
                if inside((x + 0.5) / scale, (y + 0.5) / scale) and (not clip or on_sheet(x, y)):
                    pixels[y][x] = colour

    def draw_line(points, width, colour, clip=True):
        half = max(width * scale, 1.5) / 2 / scale

        def near(px, py):
            for (ax, ay), (bx, by) in zip(points, points[1:]):
                dx, dy = bx - ax, by - ay
                t = max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
                if (px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2 <= half**2:
                    return True
            return False

        paint(near, colour, clip)

    def draw_disc(cx, cy, radius, colour):
        paint(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= radius**2, colour, False)

    # A map with a river and two roads.
    paint(lambda px, py: True, MAP_LAND, True)
    draw_line([(1, 25), (9, 22), (16, 26), (24, 20), (31, 21)], 3, WATER)
    draw_line([(1, 13), (31, 17)], 3, ROAD_EDGE)
    draw_line([(1, 13), (31, 17)], 1.5, ROAD)
    draw_line([(12, 6), (10, 31)], 3, ROAD_EDGE)
    draw_line([(12, 6), (10, 31)], 1.5, ROAD)
    for y in range(size):
        for x in range(size):
            if on_sheet(x, y) and not (left + edge <= x < right - edge and top + edge <= y < bottom - edge):
                pixels[y][x] = MAP_EDGE

    # The pin: a needle stuck into the map, a round head above it.
    draw_line([(13, 23), (19, 13)], 2, NEEDLE, clip=False)
    draw_disc(21, 9, 7.5, PIN_DARK)
    draw_disc(21, 9, 6.2, PIN_HEAD)
    draw_disc(18.5, 6.5, 2.2, PIN_SHINE)
    return pixels


ICON_SIZES = (256, 64, 48, 40, 32, 24, 20, 16)


def icon_rgba(size):
    """Rows of (r, g, b, a) at size x size: the drawing made at a finer grid
    and each pixel the average of its samples, so edges are smooth at every
    size and the transparency is partial along them."""
    fine = max(1, min(4, 128 // size))
    pixels = draw_icon(size * fine)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            samples = [pixels[y * fine + j][x * fine + i] for j in range(fine) for i in range(fine)]
            opaque = [c for c in samples if c is not None]
            if not opaque:
                row.append((0, 0, 0, 0))
                continue
            mean = [round(sum(c[k] for c in opaque) / len(opaque)) for k in range(3)]
            row.append((*mean, round(255 * len(opaque) / len(samples))))
        rows.append(row)
    return rows


def png_image(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def dib_image(rows):
    """A 32-bit icon image: BGRA rows bottom up, then the AND mask, which
    systems without alpha use."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask = mask_rows([[1 if a == 0 else 0 for *_, a in row] for row in rows])
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0) + colour + mask


def icon_file(sizes):
    images = [png_image(icon_rgba(size)) if size >= 256 else dib_image(icon_rgba(size)) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def main(arguments):
    if len(arguments) != 2:
        sys.exit("usage: draw_images.py OUTPUT_FOLDER")
    folder = Path(arguments[1])
    folder.mkdir(parents=True, exist_ok=True)
    for size in TOOLBAR_SIZES:
        name = "toolbar.bmp" if size == IMAGE_SIZE else f"toolbar{size}.bmp"
        (folder / name).write_bytes(toolbar_bitmap(size))
    (folder / "pinwell.ico").write_bytes(icon_file(ICON_SIZES))


if __name__ == "__main__":
    main(sys.argv)
