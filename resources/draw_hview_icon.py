#!/usr/bin/env python3
"""Draws the help viewer's icon, resources/hview.ico.

A white question mark on a round teal badge. Standard library only: every
size (16, 24, 32, 48, 64, 72, 96, 128 and 256 px) is drawn from the same
shapes with 4x4 supersampling and stored as a 32-bit image with alpha; the
small sizes as DIBs, the 256 px size as PNG.
"""
import math
import os

import icon_file

SIZES = (16, 24, 32, 48, 64, 72, 96, 128, 256)
SAMPLES = 4

TEAL_TOP = (40, 170, 190)
TEAL_BOTTOM = (18, 110, 150)
EDGE = (12, 80, 112)
MARK = (255, 255, 255)

# Shapes in a unit square, y pointing down.
BADGE_CENTRE = (0.5, 0.5)
BADGE_RADIUS = 0.47
EDGE_WIDTH = 0.035
HOOK_CENTRE = (0.5, 0.37)
HOOK_RADIUS = 0.15
STROKE = 0.11
HOOK_FROM = math.radians(-90)   # below the centre, where the stem starts
HOOK_TO = math.radians(155)     # upper left, the free end
STEM = ((0.5, 0.52), (0.5, 0.62))
DOT_CENTRE = (0.5, 0.765)
DOT_RADIUS = 0.068


def segment_distance(p, a, b):
    ax, ay = a
    bx, by = b
    px, py = p
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def hook_distance(p):
    cx, cy = HOOK_CENTRE
    x, y = p[0] - cx, cy - p[1]  # y up for the angle
    angle = math.atan2(y, x)
    if HOOK_FROM <= angle <= HOOK_TO:
        return abs(math.hypot(x, y) - HOOK_RADIUS)
    ends = [(cx + HOOK_RADIUS * math.cos(a), cy - HOOK_RADIUS * math.sin(a)) for a in (HOOK_FROM, HOOK_TO)]
    return min(math.hypot(p[0] - ex, p[1] - ey) for ex, ey in ends)


def in_mark(p):
    if hook_distance(p) <= STROKE / 2:
        return True
    if segment_distance(p, *STEM) <= STROKE / 2:
        return True
    return math.hypot(p[0] - DOT_CENTRE[0], p[1] - DOT_CENTRE[1]) <= DOT_RADIUS


def sample(x, y):
    """Colour and coverage (0 or 1) of one sample point."""
    d = math.hypot(x - BADGE_CENTRE[0], y - BADGE_CENTRE[1])
    if d > BADGE_RADIUS:
        return (0, 0, 0), 0
    if in_mark((x, y)):
        return MARK, 1
    if d > BADGE_RADIUS - EDGE_WIDTH:
        return EDGE, 1
    t = y
    return tuple(round(a + (b - a) * t) for a, b in zip(TEAL_TOP, TEAL_BOTTOM)), 1


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            r = g = b = covered = 0
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    colour, c = sample((i + (si + 0.5) / SAMPLES) / size, (j + (sj + 0.5) / SAMPLES) / size)
                    if c:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered, covered * 255 // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def main():
    images = []
    for size in SIZES:
        rows = draw(size)
        images.append((size, icon_file.png(rows) if size >= 256 else icon_file.dib(rows)))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'hview.ico')
    with open(out, 'wb') as f:
        f.write(icon_file.ico(images))


if __name__ == '__main__':
    main()
