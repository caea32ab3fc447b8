#!/usr/bin/python3
"""Draws the sending indicator's strip: 14 frames of 32 x 32 stacked top to bottom,
an envelope with a sheet standing out of it and a small green light; in frames 1 to 11
a green bar sweeps from the left edge to the right. Writes an 8-bit palette BMP."""
import os
import struct
import sys

SIZE = 32
FRAMES = 14

PALETTE = [
    (0xFF, 0xFF, 0xFF),  # background
    (0xFE, 0xFE, 0xFE),  # envelope paper
    (0xFE, 0xFA, 0xD0),  # sheet
    (0x00, 0x00, 0x00),  # outlines
    (0x00, 0xFF, 0x00),  # sweeping bar, used by nothing else
    (0x00, 0xFE, 0x00),  # light on the envelope
    (0x81, 0x81, 0x81),  # shadow, lines on the sheet
    (0x59, 0x59, 0x59),  # folds, rim of the light
]
WHITE, PAPER, SHEET, BLACK, BAR, LIGHT, GREY, DARK = range(len(PALETTE))


def line(frame, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(steps + 1):
        frame[round(y0 + (y1 - y0) * i / steps)][round(x0 + (x1 - x0) * i / steps)] = colour


def rectangle(frame, left, top, right, bottom, fill, edge=BLACK):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            frame[y][x] = edge if x in (left, right) or y in (top, bottom) else fill


def envelope():
    frame = [[WHITE] * SIZE for _ in range(SIZE)]
    # The sheet first: the envelope's front hides its lower part.
    rectangle(frame, 7, 3, 23, 16, SHEET)
    for y, right in ((6, 20), (8, 20), (10, 20), (12, 16)):
        line(frame, 10, y, right, y, GREY)
    # Shadow to the lower right of the envelope.
    line(frame, 29, 15, 29, 28, GREY)
    line(frame, 3, 28, 29, 28, GREY)
    rectangle(frame, 2, 14, 28, 27, PAPER)
    # The folds of the flap meet in the middle.
    line(frame, 3, 15, 15, 21, DARK)
    line(frame, 27, 15, 15, 21, DARK)
    rectangle(frame, 22, 22, 25, 25, LIGHT, DARK)
    return frame


def strip():
    rows = []
    for k in range(FRAMES):
        frame = envelope()
        if 1 <= k <= 11:
            for x in range(3 * (k - 1), min(3 * (k - 1) + 3, SIZE)):
                for y in range(SIZE):
                    frame[y][x] = BAR
        rows.extend(frame)
    return rows


def bmp(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width + 3) // 4 * 4
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # Rows are stored bottom-up.
    pixels = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(rows))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 3780, 3780, len(PALETTE), 0)
    return header + info + palette + pixels


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "animation.bmp")
    with open(out, "wb") as f:
        f.write(bmp(strip()))
