#!/usr/bin/env python3
"""Draws the application icon, quorva.ico: a blue "Q" whose tail is an orange streak, with
speed lines trailing to its left. 32 and 16 pixels, 32 bits with alpha. Run it from this
folder; the output is committed, and the same script always writes the same bytes."""
import math
import struct

BLUE = (0x1E, 0x5A, 0xC8)
ORANGE = (0xF5, 0x8A, 0x1F)
SAMPLES = 4  # per pixel side, for smooth edges


def shape_colour(u, v):
    """The colour at a point of the unit square (0..1, y down), or None outside the design."""
    # The tail: an orange bar from the ring's inside to the lower right corner.
    ax, ay, bx, by = 0.64, 0.64, 0.90, 0.90
    t = max(0.0, min(1.0, ((u - ax) * (bx - ax) + (v - ay) * (by - ay)) /
                     ((bx - ax) ** 2 + (by - ay) ** 2)))
    if math.hypot(u - ax - t * (bx - ax), v - ay - t * (by - ay)) <= 0.075:
        return ORANGE
    # The ring of the Q, a little to the right to leave room for the speed lines.
    d = math.hypot(u - 0.62, v - 0.47)
    if 0.21 <= d <= 0.34:
        return BLUE
    # Speed lines: three streaks to the left of the ring, shorter towards the edges.
    for y, start in ((0.34, 0.10), (0.48, 0.02), (0.62, 0.10)):
        if abs(v - y) <= 0.035 and start <= u <= 0.22:
            return ORANGE if y == 0.48 else BLUE
    return None


def render(size):
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shape_colour((x + (sx + 0.5) / SAMPLES) / size,
                                          (y + (sy + 0.5) / SAMPLES) / size)
                    if colour:
                        r, g, b, covered = r + colour[0], g + colour[1], b + colour[2], covered + 1
            if covered:
                row.append((r // covered, g // covered, b // covered,
                            covered * 255 // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def dib(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(render(size)) for r, g, b, a in row)
    # The AND mask marks fully transparent pixels, for readers that ignore alpha.
    mask = b''
    for row in reversed(render(size)):
        bits = 0
        for r, g, b, a in row:
            bits = bits << 1 | (1 if a == 0 else 0)
        line = bits.to_bytes(size // 8, 'big')
        mask += line + b'\0' * (-len(line) % 4)
    return header + xor + mask


def main():
    sizes = (32, 16)
    images = [dib(size) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open('quorva.ico', 'wb') as f:
        f.write(out + b''.join(images))


main()
