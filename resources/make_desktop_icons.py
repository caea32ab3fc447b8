#!/usr/bin/python3
"""Draws the desktop's icons of the program: the white envelope on a blue square
of the window icon, as a scalable SVG and as PNGs for the hicolor sizes.

    make_desktop_icons.py OUTPUT_FOLDER NAME

writes NAME.svg and NAME-SIZE.png; they are installed under the desktop id.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icon import png  # noqa: E402  (the window icon's PNG writer)

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
BLUE, WHITE, EDGE = (38, 92, 170), (255, 255, 255), (24, 56, 110)


def geometry(size):
    """Shapes in pixels of a size x size icon; whole pixels where a line is one pixel wide."""
    snap = round if size <= 64 else (lambda value: value)
    inset = max(1, snap(size / 32))
    stroke = max(1, snap(size / 32))
    left, right = snap(size / 8), size - snap(size / 8)
    top, bottom = snap(size / 4), size - snap(size / 4)
    return {
        "back": (inset, inset, size - inset, size - inset, size / 16),
        "envelope": (left, top, right, bottom),
        "stroke": stroke,
        "flap": ((left, top), ((left + right) / 2, (top + bottom) / 2), (right, top)),
    }


def segment_distance(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def inside_rounded(px, py, rect):
    x0, y0, x1, y1, radius = rect
    if not (x0 <= px <= x1 and y0 <= py <= y1):
        return False
    cx = min(max(px, x0 + radius), x1 - radius)
    cy = min(max(py, y0 + radius), y1 - radius)
    return math.hypot(px - cx, py - cy) <= radius


def on_flap(px, py, shapes, crisp):
    a, b, c = shapes["flap"]
    stroke = shapes["stroke"]
    if crisp:
        # One pixel per column, like the window icon's flap.
        (left, top), (middle, low) = a, b
        flap_y = top + (low - top) * (1 - abs(px - middle) / (middle - left))
        return abs(py - flap_y) < 0.75 * stroke
    return min(segment_distance(px, py, a, b), segment_distance(px, py, b, c)) <= stroke / 2


def colour_at(px, py, shapes, crisp):
    """The colour of one point, or None outside the icon."""
    x0, y0, x1, y1 = shapes["envelope"]
    stroke = shapes["stroke"]
    if x0 <= px <= x1 and y0 <= py <= y1:
        if px < x0 + stroke or px > x1 - stroke or py < y0 + stroke or py > y1 - stroke:
            return EDGE
        if on_flap(px, py, shapes, crisp):
            return EDGE
        return WHITE
    if inside_rounded(px, py, shapes["back"]):
        return BLUE
    return None


def render(size):
    shapes = geometry(size)
    # The smallest sizes stay crisp pixel drawings, as the window icon is.
    crisp = size <= 24
    samples = 1 if crisp else 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    colour = colour_at(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples, shapes, crisp)
                    if colour:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            if covered:
                row.append(tuple(round(t / covered) for t in total) + (round(255 * covered / samples**2),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def svg():
    size = 256
    shapes = geometry(size)
    bx0, by0, bx1, by1, radius = shapes["back"]
    x0, y0, x1, y1 = shapes["envelope"]
    s = shapes["stroke"]
    flap = " ".join(f"{x:g},{y:g}" for x, y in shapes["flap"])
    hex_colour = lambda c: "#%02x%02x%02x" % c
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">
  <title>Vellum</title>
  <defs>
    <clipPath id="envelope">
      <rect x="{x0:g}" y="{y0:g}" width="{x1 - x0:g}" height="{y1 - y0:g}"/>
    </clipPath>
  </defs>
  <rect x="{bx0:g}" y="{by0:g}" width="{bx1 - bx0:g}" height="{by1 - by0:g}" rx="{radius:g}" fill="{hex_colour(BLUE)}"/>
  <rect x="{x0 + s / 2:g}" y="{y0 + s / 2:g}" width="{x1 - x0 - s:g}" height="{y1 - y0 - s:g}" fill="{hex_colour(WHITE)}" stroke="{hex_colour(EDGE)}" stroke-width="{s:g}"/>
  <polyline points="{flap}" clip-path="url(#envelope)" fill="none" stroke="{hex_colour(EDGE)}" stroke-width="{s:g}" stroke-linejoin="round"/>
</svg>
"""


if __name__ == "__main__":
    out, name = sys.argv[1], sys.argv[2]
    with open(f"{out}/{name}.svg", "w", encoding="utf-8") as f:
        f.write(svg())
    for size in SIZES:
        with open(f"{out}/{name}-{size}.png", "wb") as f:
            f.write(png(size, size, render(size)))
