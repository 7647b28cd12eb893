#!/usr/bin/env python3
"""Draws the program's icons (a green clock face on black, 16 colours) and writes
src/resources/program.ico (32x32) and src/resources/tray.ico (32x32 and 16x16)."""
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


if __name__ == '__main__':
    root = Path(__file__).resolve().parent.parent / 'src' / 'resources'
    write_icon(root / 'program.ico', [32])
    write_icon(root / 'tray.ico', [32, 16])
