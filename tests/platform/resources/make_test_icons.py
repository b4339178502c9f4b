#!/usr/bin/env python3
"""Writes the icons of test.rc: one per pixel format the icon loader reads, each painted
from a formula that the tests compute again. Run it from this folder; the output is committed."""
import struct


def palette_colour(i):
    # 256 distinct colours; the low formats use the first entries.
    return ((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53 + 7) & 0xFF)


def rgba(x, y):
    return (x * 8 & 0xFF, y * 8 & 0xFF, (x + y) * 4 & 0xFF, 255 if x < 16 else y * 8 & 0xFF)


def masked(x, y):
    # The AND mask: set (transparent) on the diagonal and in the last column.
    return x == y or x == 31


def index(x, y, bits):
    return (x + 2 * y) % (1 << bits)


def dib(size, bits):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         (1 << bits) if bits <= 8 else 0, 0)
    palette = b''
    if bits <= 8:
        for i in range(1 << bits):
            r, g, b = palette_colour(i)
            palette += bytes((b, g, r, 0))
    rows = b''
    for y in reversed(range(size)):
        row = b''
        if bits == 32:
            for x in range(size):
                r, g, b, a = rgba(x, y)
                row += bytes((b, g, r, a))
        elif bits == 24:
            for x in range(size):
                r, g, b, _ = rgba(x, y)
                row += bytes((b, g, r))
        else:
            value, used = 0, 0
            for x in range(size):
                value = value << bits | index(x, y, bits)
                used += bits
                if used == 8:
                    row += bytes((value,))
                    value, used = 0, 0
        row += b'\0' * (-len(row) % 4)
        rows += row
    mask = b''
    for y in reversed(range(size)):
        row = 0
        for x in range(size):
            row = row << 1 | (1 if bits != 32 and masked(x, y) else 0)
        line = row.to_bytes(size // 8, 'big')
        mask += line + b'\0' * (-len(line) % 4)
    return header + palette + rows + mask


def write_ico(path, images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, bits in images:
        image = dib(size, bits)
        colours = (1 << bits) if bits < 8 else 0
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bits, len(image),
                           offset + len(data))
        data += image
    with open(path, 'wb') as f:
        f.write(out + data)


write_ico('rgba.ico', [(16, 32), (48, 32), (32, 32)])
write_ico('true_colour.ico', [(32, 24)])
write_ico('palette8.ico', [(32, 8)])
write_ico('palette4.ico', [(32, 4)])
write_ico('mono.ico', [(32, 1)])
