#!/usr/bin/env python3
"""Draws Pictavo's program icon and writes resources/Pictavo.ico (or the path given).

The picture: a white sheet with a blue title bar holding a grid of coloured icon cells, the
program's idea of "all icons of a file side by side". Each size Windows asks for (16, 24, 32, 48
and 256 pixels) is laid out on its own pixel grid, so frames and cells stay whole pixels and the
icon is sharp at every size instead of scaled. All images are 32-bit with alpha (the shadow is
half transparent); the 256 one is PNG-compressed, as Windows Vista and later expect.
Only the standard library is used. Run it after changing the picture and commit the .ico."""
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
# Colours of the standard VGA palette, as R, G, B.
BLACK, WHITE, GREY = (0, 0, 0), (255, 255, 255), (128, 128, 128)
NAVY, BLUE = (0, 0, 128), (0, 0, 255)
CELLS = [(255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 255, 255), (255, 0, 255), (0, 0, 255)]
SHADOW_ALPHA = 0.45


def rnd(value):
    return int(value + 0.5)


def box_blur(mask, size, radius):
    """One horizontal and one vertical running-mean pass over a size x size mask."""
    def blur_line(line):
        out, total, width = [], 0.0, 2 * radius + 1
        padded = [0.0] * radius + line + [0.0] * radius
        for i in range(width):
            total += padded[i]
        for i in range(len(line)):
            out.append(total / width)
            if i + width < len(padded):
                total += padded[i + width] - padded[i]
        return out
    rows = [blur_line(row) for row in mask]
    cols = [blur_line([rows[y][x] for y in range(size)]) for x in range(size)]
    return [[cols[x][y] for x in range(size)] for y in range(size)]


def draw(size):
    """Returns size rows of size (R, G, B, A) pixels."""
    u = size / 32                      # one pixel of the 32 x 32 original
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):  # half-open, opaque
        for y in range(y0, y1):
            for x in range(x0, x1):
                img[y][x] = colour + (255,)

    line = max(1, rnd(u / 2))          # frame width
    drop = max(1, rnd(u))              # shadow offset
    x0, y0, x1, y1 = rnd(2 * u), rnd(4 * u), rnd(30 * u), rnd(28 * u)

    # The sheet's shadow: half transparent black, soft at the large sizes.
    mask = [[1.0 if x0 + drop <= x < x1 + drop and y0 + drop <= y < y1 + drop else 0.0
             for x in range(size)] for y in range(size)]
    if size >= 48:
        mask = box_blur(box_blur(mask, size, drop // 2), size, drop // 2)
    for y in range(size):
        for x in range(size):
            if mask[y][x] > 0:
                img[y][x] = (0, 0, 0, rnd(255 * SHADOW_ALPHA * mask[y][x]))

    fill(x0, y0, x1, y1, BLACK)        # frame
    sx0, sy0, sx1, sy1 = x0 + line, y0 + line, x1 - line, y1 - line
    fill(sx0, sy0, sx1, sy1, WHITE)    # sheet
    ty1 = sy0 + max(2, rnd(4 * u))     # title bar, a Windows 98 gradient at the large sizes
    for x in range(sx0, sx1):
        t = (x - sx0) / max(1, sx1 - sx0 - 1) if size >= 48 else 1.0
        fill(x, sy0, x + 1, ty1, tuple(rnd(a + (b - a) * t) for a, b in zip(NAVY, BLUE)))
    inset, width = max(1, rnd(u)), max(1, rnd(3 * u))
    if ty1 - sy0 - 2 * inset >= 1:     # the close box
        fill(sx1 - inset - width, sy0 + inset, sx1 - inset, ty1 - inset, WHITE)

    # Three by two icon cells, all of one whole-pixel size, centred below the title bar.
    w, h = sx1 - sx0, sy1 - ty1
    gap = max(1, int(2 * u))
    cell = min((w - 4 * gap) // 3, (h - 3 * gap) // 2)
    shade = max(1, rnd(u)) if cell >= 4 else 0
    left, top = sx0 + (w - 3 * cell - 2 * gap) // 2, ty1 + (h - 2 * cell - gap) // 2
    for i, colour in enumerate(CELLS):
        cx, cy = left + (i % 3) * (cell + gap), top + (i // 3) * (cell + gap)
        fill(cx + shade, cy + shade, cx + cell, cy + cell, GREY)
        fill(cx, cy, cx + cell - shade, cy + cell - shade, colour)
    return img


def bmp_image(img):
    """A 32-bit DIB as an .ico holds it: header, BGRA rows bottom up, then the AND mask."""
    size = len(img)
    xor = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(img) for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    andm = bytearray()
    for row in reversed(img):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andm += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
    return header + xor + bytes(andm)


def png_image(img):
    size = len(img)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in img)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'Pictavo.ico')
    images = [png_image(draw(s)) if s >= 256 else bmp_image(draw(s)) for s in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, data in zip(SIZES, images):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    ico = directory + b''.join(images)
    with open(out, 'wb') as f:
        f.write(ico)
    print(out, len(ico), 'bytes')


if __name__ == '__main__':
    main()
