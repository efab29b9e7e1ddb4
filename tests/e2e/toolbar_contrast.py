#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How well each toolbar image stands out on a screenshot of the window.

usage: toolbar_contrast.py SCREENSHOT.rgb WIDTH HEIGHT SCALE IMAGE.rgba...

SCREENSHOT.rgb is the window's pixels (raw 8-bit RGB), each IMAGE.rgba a
toolbar image as drawn for this scale (raw 8-bit RGBA, SCALE * 16 pixels
wide), named after the image. Each image is found on the screenshot where
every opaque pixel of it shows unchanged, and measured against the
toolbar's background there (the colour most of its transparent pixels show).

An image is legible when its outline can be seen: every pixel on the edge
of its shape has, within one design unit (SCALE pixels), a pixel of the
image whose contrast with the background is at least 3:1 (the contrast
ratio of relative luminances, as for graphical objects in WCAG 2). A dark
outline alone vanishes on a dark toolbar; a fill that stands out on either
palette keeps the shape.

Prints one line per image; exits 3 when an image is missing, else 1 when
one is not legible.
"""

import collections
import os
import sys

MIN_CONTRAST = 3.0
WIDTH_UNITS, HEIGHT_UNITS = 16, 15
TOP_ROWS = 120  # at scale 1: the menu bar and the toolbar docked under it


def luminance(rgb):
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def read_rgb(path, width, height, channels, rows=None):
    """The first rows (all by default) of a raw image, as lists of tuples."""
    data = open(path, "rb").read()
    if len(data) != width * height * channels:
        raise SystemExit(f"{path}: {len(data)} bytes, not {width} x {height} x {channels}")
    return [[tuple(data[(y * width + x) * channels:(y * width + x + 1) * channels])
             for x in range(width)] for y in range(min(height, rows or height))]


def find(shot, image):
    """The top left corner where every opaque pixel of image shows, or None."""
    opaque = [(x, y, p[:3]) for y, row in enumerate(image) for x, p in enumerate(row)
              if p[3] == 255]
    ax, ay, anchor = opaque[0]
    h, w = len(image), len(image[0])
    for y in range(ay, len(shot) - (h - ay) + 1):
        row = shot[y]
        for x in range(ax, len(row) - (w - ax) + 1):
            if row[x] != anchor:
                continue
            ox, oy = x - ax, y - ay
            if all(shot[oy + py][ox + px] == c for px, py, c in opaque):
                return ox, oy
    return None


def legibility(shot, image, at, scale):
    """(share of edge pixels near a pixel that stands out, background, best contrast)."""
    ox, oy = at
    h, w = len(image), len(image[0])
    ground = collections.Counter(shot[oy + y][ox + x] for y in range(h) for x in range(w)
                                 if image[y][x][3] == 0)
    background = ground.most_common(1)[0][0]

    def opaque(x, y):
        return 0 <= x < w and 0 <= y < h and image[y][x][3] == 255

    visible = [(x, y) for y in range(h) for x in range(w)
               if opaque(x, y) and contrast(image[y][x], background) >= MIN_CONTRAST]
    edge = [(x, y) for y in range(h) for x in range(w) if opaque(x, y) and
            not all(opaque(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
    seen = sum(1 for ex, ey in edge
               if any(abs(ex - vx) <= scale and abs(ey - vy) <= scale for vx, vy in visible))
    best = max((contrast(image[y][x], background) for x, y in visible), default=1.0)
    return seen / len(edge), background, best


def main(argv):
    if len(argv) < 6:
        print(__doc__, file=sys.stderr)
        return 2
    shot_path, width, height, scale = argv[1], int(argv[2]), int(argv[3]), int(argv[4])
    # The toolbar is at the top of the window, under the menu bar.
    shot = read_rgb(shot_path, width, height, 3, rows=TOP_ROWS * scale)
    failed = missing = 0
    for path in argv[5:]:
        name = os.path.basename(path).rsplit(".", 1)[0]
        image = read_rgb(path, WIDTH_UNITS * scale, HEIGHT_UNITS * scale, 4)
        at = find(shot, image)
        if at is None:
            print(f"FAIL {name}: not on the toolbar as drawn (disabled, scaled or recoloured?)")
            missing += 1
            continue
        share, background, best = legibility(shot, image, at, scale)
        ok = share == 1.0
        failed += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {name} at {at}: {share:.0%} of its outline within "
              f"{scale} px of a pixel at {MIN_CONTRAST}:1 or more against "
              f"#{bytes(background).hex()} (best {best:.1f}:1)")
    return 3 if missing else 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
