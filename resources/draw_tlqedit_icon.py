#!/usr/bin/env python3
"""Draws the editor's icon, resources/tlqedit.ico (16, 32, 48 and 256 px).

A sheet of script text with a folded corner on a blue tile, and a green
"run" triangle in the lower right. Standard library only: every size is
drawn from the same shapes with 4x4 supersampling; the small sizes are
stored as 32-bit DIBs, the 256 px size as PNG.
"""
import os

import icon_file

BLUE = (32, 96, 184)
BLUE_EDGE = (20, 64, 130)
PAPER = (250, 250, 246)
PAPER_EDGE = (150, 160, 175)
FOLD = (205, 212, 224)
INK = (70, 90, 120)
GREEN = (40, 170, 70)
GREEN_EDGE = (20, 110, 45)


def inside_rounded_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def shrink_triangle(a, b, c, amount):
    cx = (a[0] + b[0] + c[0]) / 3
    cy = (a[1] + b[1] + c[1]) / 3
    return [(cx + (p[0] - cx) * (1 - amount), cy + (p[1] - cy) * (1 - amount)) for p in (a, b, c)]


def colour_at(x, y):
    """Colour (r, g, b, a) at a point of the unit square, or None for transparent."""
    run = [(0.56, 0.54), (0.56, 0.94), (0.94, 0.74)]
    if inside_triangle(x, y, *shrink_triangle(*run, 0.22)):
        return GREEN + (255,)
    if inside_triangle(x, y, *run):
        return GREEN_EDGE + (255,)
    # The sheet, its folded corner cut off the upper right.
    sx0, sy0, sx1, sy1, fold = 0.22, 0.10, 0.78, 0.90, 0.16
    if sx0 <= x <= sx1 and sy0 <= y <= sy1 and (x - (sx1 - fold)) <= (y - sy0):
        if (x - (sx1 - fold)) >= 0 and (y - sy0) <= fold:
            return FOLD + (255,)
        edge = 0.025
        if x < sx0 + edge or x > sx1 - edge or y < sy0 + edge or y > sy1 - edge:
            return PAPER_EDGE + (255,)
        for i, length in enumerate((0.32, 0.40, 0.26, 0.36, 0.20)):
            ly = 0.30 + i * 0.11
            if ly - 0.025 <= y <= ly + 0.025 and sx0 + 0.08 <= x <= sx0 + 0.08 + length:
                return INK + (255,)
        return PAPER + (255,)
    if inside_rounded_rect(x, y, 0.02, 0.02, 0.98, 0.98, 0.18):
        if not inside_rounded_rect(x, y, 0.06, 0.06, 0.94, 0.94, 0.14):
            return BLUE_EDGE + (255,)
        return BLUE + (255,)
    return None


def render(size, samples=4):
    """Rows top to bottom of (r, g, b, a) pixels."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c:
                        r += c[0] * c[3]
                        g += c[1] * c[3]
                        b += c[2] * c[3]
                        a += c[3]
            n = samples * samples
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def main():
    images = [(s, icon_file.dib(render(s))) for s in (16, 32, 48)]
    images.append((256, icon_file.png(render(256, samples=2))))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'tlqedit.ico')
    with open(path, 'wb') as f:
        f.write(icon_file.ico(images))


if __name__ == '__main__':
    main()
