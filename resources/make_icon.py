#!/usr/bin/env python3
"""Draws Pictavo's program icon (32 x 32, 16 colours) and writes resources/Pictavo.ico.

The picture: a white sheet with a blue frame holding a small grid of coloured icon cells,
the program's idea of "all icons of a file side by side"."""
import struct, sys, os

# The 16 colours of the standard VGA palette, as B, G, R, 0.
PALETTE = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
           (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
BLACK, NAVY, GREY, SILVER, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = 0, 4, 8, 7, 9, 10, 11, 12, 13, 14, 15

W = H = 32
pixels = [[None] * W for _ in range(H)]   # None = transparent

def rect(x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour

rect(2, 4, 29, 27, BLACK)          # outline
rect(3, 5, 28, 26, WHITE)          # sheet
rect(3, 5, 28, 8, BLUE)            # title bar
rect(25, 6, 27, 7, WHITE)
cells = [RED, LIME, YELLOW, AQUA, FUCHSIA, BLUE]
for i, colour in enumerate(cells):
    cx = 5 + (i % 3) * 8
    cy = 11 + (i // 3) * 8
    rect(cx, cy, cx + 5, cy + 5, GREY)
    rect(cx, cy, cx + 4, cy + 4, colour)
rect(4, 28, 29, 28, GREY)          # shadow
rect(30, 5, 30, 28, GREY)

def image_bytes():
    header = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    for y in reversed(range(H)):
        row = [pixels[y][x] if pixels[y][x] is not None else 0 for x in range(W)]
        for x in range(0, W, 2):
            xor.append((row[x] << 4) | row[x + 1])
    andm = bytearray()
    for y in reversed(range(H)):
        bits = 0
        for x in range(W):
            bits = (bits << 1) | (1 if pixels[y][x] is None else 0)
        andm += struct.pack('>I', bits)
    return header + palette + bytes(xor) + bytes(andm)

data = image_bytes()
ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', W, H, 16, 0, 1, 4, len(data), 22) + data
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Pictavo.ico')
open(out, 'wb').write(ico)
print(out, len(ico), 'bytes')
