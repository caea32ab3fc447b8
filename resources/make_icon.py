#!/usr/bin/python3
"""Draws the program's icon: a white envelope on a blue square, 32 x 32 and 16 x 16."""
import struct
import sys
import zlib


def png(width, height, pixels):
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def envelope(size):
    blue, white, edge, clear = (38, 92, 170, 255), (255, 255, 255, 255), (24, 56, 110, 255), (0, 0, 0, 0)
    margin = size // 8
    left, right = margin, size - margin - 1
    top, bottom = size // 4, size - size // 4 - 1
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            pixel = blue if 0 < x < size - 1 and 0 < y < size - 1 else clear
            if left <= x <= right and top <= y <= bottom:
                pixel = white
                on_border = x in (left, right) or y in (top, bottom)
                # The flap: two lines from the top corners meeting in the middle.
                half = (right - left) / 2
                flap_y = top + (half - abs(x - left - half)) * (bottom - top) / (2 * half)
                if on_border or abs(y - flap_y) < 0.75:
                    pixel = edge
            row.append(pixel)
        rows.append(row)
    return png(size, size, rows)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for size in (16, 32):
        with open(f"{out}/vellum-{size}.png", "wb") as f:
            f.write(envelope(size))
