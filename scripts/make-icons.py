#!/usr/bin/env python3
"""Draws the program's icons (a green clock face on black, 16 colours) and the
about dialog's picture, and writes src/resources/program.ico (32x32),
src/resources/tray.ico (32x32 and 16x16) and src/resources/about.bmp (75x56,
8 bits per pixel, 250 palette colours, uncompressed)."""
import math
import struct
from pathlib import Path

# The standard 16-colour palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, GREEN, BRIGHT_GREEN, YELLOW, WHITE = 0, 2, 10, 11, 15


def draw(size):
    """Rows of palette indices, top row first, and the transparency mask."""
    c = (size - 1) / 2
    r = size / 2 - 0.5
    pixels = [[BLACK] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                mask[y][x] = 0
                pixels[y][x] = BRIGHT_GREEN if d > r - max(1.5, size / 14) else BLACK

    def hand(angle_deg, length, colour):
        a = math.radians(angle_deg)
        steps = size * 2
        for i in range(steps + 1):
            t = i / steps * length
            x = round(c + t * math.sin(a))
            y = round(c - t * math.cos(a))
            pixels[y][x] = colour

    for hour in range(12):
        a = math.radians(hour * 30)
        x = round(c + (r - size / 8) * math.sin(a))
        y = round(c - (r - size / 8) * math.cos(a))
        pixels[y][x] = WHITE
    hand(300, r * 0.55, YELLOW)  # ten o'clock
    hand(60, r * 0.8, YELLOW)    # ten past
    return pixels, mask


def image_bytes(size):
    pixels, mask = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (b, g, r) in PALETTE)
    xor = bytearray()
    for row in reversed(pixels):
        line = bytearray((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        line += b'\0' * ((-len(line)) % 4)
        xor += line
    andmask = bytearray()
    for row in reversed(mask):
        bits = 0
        line = bytearray()
        for i, m in enumerate(row):
            bits = (bits << 1) | m
            if i % 8 == 7:
                line.append(bits)
                bits = 0
        line += b'\0' * ((-len(line)) % 4)
        andmask += line
    return header + palette + bytes(xor) + bytes(andmask)


def write_icon(path, sizes):
    images = [image_bytes(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    Path(path).write_bytes(out + b''.join(images))


ABOUT_WIDTH, ABOUT_HEIGHT, ABOUT_COLOURS = 75, 56, 250


def about_picture():
    """Palette (r, g, b) of 250 colours and rows of indices, top row first: an
    evening sky in 200 shades, a clock face with its rim, marks and hands."""
    sky = [(20 + i // 3, 10 + i, 80 + i // 2) for i in range(200)]
    face = [(250 - i, 250 - i, 235 - i) for i in range(20)]        # 200..219 face, light to grey
    rim = [(0, 120 + i * 9, 40 + i * 3) for i in range(15)]         # 220..234 green rim
    marks = [(200 + i * 3, 40 + i * 8, 20) for i in range(15)]       # 235..249 orange to yellow
    palette = sky + face + rim + marks
    assert len(palette) == ABOUT_COLOURS and len(set(palette)) == ABOUT_COLOURS
    cx, cy, r = 37.0, 28.0, 24.0
    rows = []
    for y in range(ABOUT_HEIGHT):
        row = []
        for x in range(ABOUT_WIDTH):
            d = math.hypot(x - cx, y - cy)
            if d <= r - 3:
                row.append(200 + min(19, int(d * 19 / (r - 3))))
            elif d <= r:
                row.append(220 + min(14, int((math.atan2(y - cy, x - cx) + math.pi) / (2 * math.pi) * 15)))
            else:
                row.append(min(199, (x + y * 2) * 199 // (ABOUT_WIDTH + 2 * ABOUT_HEIGHT)))
        rows.append(row)
    for hour in range(12):
        a = math.radians(hour * 30)
        for t in (r - 6, r - 5):
            rows[round(cy - t * math.cos(a))][round(cx + t * math.sin(a))] = 249 if hour % 3 == 0 else 240

    def hand(angle_deg, length, colour):
        a = math.radians(angle_deg)
        for i in range(int(length * 4) + 1):
            t = i / 4
            rows[round(cy - t * math.cos(a))][round(cx + t * math.sin(a))] = colour

    hand(300, r * 0.5, 235)
    hand(60, r * 0.75, 238)
    return palette, rows


def write_bitmap(path):
    palette, rows = about_picture()
    stride = (ABOUT_WIDTH + 3) // 4 * 4
    pixels = b''.join(bytes(row) + b'\0' * (stride - ABOUT_WIDTH) for row in reversed(rows))
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack('<IiiHHIIiiII', 40, ABOUT_WIDTH, ABOUT_HEIGHT, 1, 8, 0, len(pixels), 2835, 2835,
                       ABOUT_COLOURS, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    Path(path).write_bytes(header + info + colours + pixels)


if __name__ == '__main__':
    root = Path(__file__).resolve().parent.parent / 'src' / 'resources'
    write_icon(root / 'program.ico', [32])
    write_icon(root / 'tray.ico', [32, 16])
    write_bitmap(root / 'about.bmp')
