# SPDX-License-Identifier: GPL-3.0-or-later
"""Preview sheets for reviewing the art by eye (not part of the build).

    python3 res/gen/preview.py [OUTDIR [TILE ...]]   (default /tmp/coilix-preview)

Writes, from freshly drawn tiles (not the committed files):
  board_<R>x.png      a sample board in play (a winding crawler with every
                      piece, every item) as a screen at device pixel ratio R
                      shows it, for R = 1, 1.25, 1.5, 2 and 3: drawn from the
                      tiles of 24 x R pixels
  board_<R>x_mag.png  the same, magnified (nearest neighbour) to about four
                      times the 1x board, to look at pixel by pixel
  tiles_<N>.png       every tile of N pixels, magnified to about 192 pixels
  sizes_<GROUP>.png   the tiles of one group (crawler, heads, tails, items)
                      at every size side by side, each magnified 2 times
  toolbar_x8.png      the toolbar images (1x magnified 8, 2x magnified 4) on grey
  icons.png           the application icon at every size, on light and dark grounds
  closeup_<TILE>.png  for each tile named: every size magnified to about 288
                      pixels, side by side
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # keep the source tree free of caches

import pngio  # noqa: E402
import tiles  # noqa: E402

GREY = (96, 96, 96)
RATIOS = [(1, "1"), (1.25, "1.25"), (1.5, "1.5"), (2, "2"), (3, "3")]
GROUPS = [
    ("crawler", [1, 2, 11, 12, 13, 14]),
    ("heads", [3, 4, 5, 6, 7, 8, 9, 10, 23]),
    ("tails", [15, 16, 17, 18]),
    ("items", [19, 20, 21, 22]),
]

_cache = {}


def tile(ct, size):
    """The tile of cell type ``ct`` at ``size`` pixels (drawn once)."""
    key = (ct, size)
    if key not in _cache:
        draw = [t[4] for t in tiles.TILES if t[0] == ct][0]
        _cache[key] = tiles.render(draw, size)
    return _cache[key]


def board_pixels(n, cells):
    tile_px = {t[0]: tile(t[0], n) for t in tiles.TILES}
    h, w = len(cells), len(cells[0])
    out = [[tiles.GREEN] * (w * n) for _ in range(h * n)]
    for cy in range(h):
        for cx in range(w):
            ct = cells[cy][cx]
            if ct == 0:
                continue
            src = tile_px[ct]
            for y in range(n):
                out[cy * n + y][cx * n:(cx + 1) * n] = src[y]
    return out


def magnify(pixels, k):
    out = []
    for row in pixels:
        big = [p for p in row for _ in range(k)]
        for _ in range(k):
            out.append(list(big))
    return out


def sheet(size, k, per_row=8, gap=4):
    n = size * k
    cols = per_row
    rows = (len(tiles.TILES) + cols - 1) // cols
    out = [[GREY] * (cols * (n + gap) + gap) for _ in range(rows * (n + gap) + gap)]
    for i, t in enumerate(tiles.TILES):
        px = magnify(tile(t[0], size), k)
        ox = gap + (i % cols) * (n + gap)
        oy = gap + (i // cols) * (n + gap)
        for y in range(n):
            out[oy + y][ox:ox + n] = px[y]
    return out


def write_rgb(path, pixels):
    with open(path, "wb") as f:
        f.write(pngio.encode_rgba([[p[:3] + (255,) for p in row] for row in pixels]))


def demo_cells():
    # A hand-laid chain that uses every crawler piece and every item.
    t = {name: ct for ct, name, *_ in tiles.TILES}
    g = [[0] * 12 for _ in range(9)]

    def put(x, y, name):
        g[y][x] = t[name]

    # main crawler: tail at (4,3) going down... laid out along a path
    path = [(4, 2), (4, 3), (4, 4), (4, 5), (5, 5), (6, 5), (7, 5), (8, 5), (8, 4), (8, 3),
            (9, 3), (10, 3), (10, 2), (10, 1), (9, 1), (8, 1), (7, 1), (6, 1), (5, 1), (4, 1),
            (3, 1), (2, 1), (2, 2), (2, 3), (2, 4), (2, 5), (3, 5)]
    # tail first, head last
    for i, (x, y) in enumerate(path):
        prev = path[i - 1] if i > 0 else None
        nxt = path[i + 1] if i + 1 < len(path) else None
        sides = set()
        for other in (prev, nxt):
            if other is None:
                continue
            dx, dy = other[0] - x, other[1] - y
            sides.add({(-1, 0): "left", (1, 0): "right", (0, -1): "top", (0, 1): "bottom"}[(dx, dy)])
        if prev is None:
            name = {"left": "tail_left", "right": "tail_right", "top": "tail_up",
                    "bottom": "tail_down"}[sides.pop()]
        elif nxt is None:
            came = {"left": "head_right", "right": "head_left", "top": "head_down",
                    "bottom": "head_up"}[sides.pop()]
            name = came
        else:
            name = {
                frozenset(("left", "right")): "body_horz",
                frozenset(("top", "bottom")): "body_vert",
                frozenset(("top", "right")): "body_up_right",
                frozenset(("right", "bottom")): "body_down_right",
                frozenset(("left", "bottom")): "body_down_left",
                frozenset(("top", "left")): "body_up_left",
            }[frozenset(sides)]
        put(x, y, name)
    # a second, short crawler showing the other heads and tails
    # (each joined to its neighbour as in a game)
    put(0, 7, "frown_left"); put(1, 7, "body_horz"); put(2, 7, "tail_left")
    put(5, 7, "tail_right"); put(6, 7, "head_right")
    put(0, 4, "head_up"); put(0, 5, "tail_up")
    put(11, 5, "tail_down"); put(11, 6, "frown_down")
    put(11, 7, "frown_up"); put(11, 8, "tail_up")
    put(7, 7, "tail_right"); put(8, 7, "frown_right")
    put(9, 0, "head_left"); put(10, 0, "tail_left")
    put(6, 3, "start")
    put(0, 0, "apple"); put(7, 0, "coin"); put(5, 8, "skull"); put(2, 8, "dropping")
    put(11, 2, "dropping"); put(0, 2, "coin"); put(9, 8, "apple"); put(3, 3, "skull")
    return g


def paste(canvas, img, ox, oy):
    for y, row in enumerate(img):
        canvas[oy + y][ox:ox + len(row)] = row


def side_by_side(images, gap=8, ground=GREY):
    """Images in a row, top-aligned, on a grey ground."""
    w = sum(len(i[0]) for i in images) + gap * (len(images) + 1)
    h = max(len(i) for i in images) + 2 * gap
    out = [[ground] * w for _ in range(h)]
    x = gap
    for img in images:
        paste(out, img, x, gap)
        x += len(img[0]) + gap
    return out


def stacked(images, gap=8, ground=GREY):
    w = max(len(i[0]) for i in images) + 2 * gap
    h = sum(len(i) for i in images) + gap * (len(images) + 1)
    out = [[ground] * w for _ in range(h)]
    y = gap
    for img in images:
        paste(out, img, gap, y)
        y += len(img) + gap
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/coilix-preview"
    os.makedirs(out, exist_ok=True)
    cells = demo_cells()
    for ratio, label in RATIOS:
        size = int(24 * ratio)
        b = board_pixels(size, cells)
        write_rgb(os.path.join(out, "board_%sx.png" % label), b)
        write_rgb(os.path.join(out, "board_%sx_mag.png" % label), magnify(b, max(1, round(96 / size))))
    for size in tiles.PIXEL_SIZES:
        write_rgb(os.path.join(out, "tiles_%d.png" % size), sheet(size, max(1, round(192 / size))))
    for group, cts in GROUPS:
        rows = [side_by_side([magnify(tile(ct, n), 2) for n in tiles.PIXEL_SIZES], gap=6) for ct in cts]
        write_rgb(os.path.join(out, "sizes_%s.png" % group), stacked(rows, gap=0))
    for name in sys.argv[2:]:
        ct = [t[0] for t in tiles.TILES if t[1] == name][0]
        imgs = [magnify(tile(ct, n), max(1, 288 // n)) for n in tiles.PIXEL_SIZES]
        rows = [side_by_side(imgs[:5]), side_by_side(imgs[5:])]
        write_rgb(os.path.join(out, "closeup_%s.png" % name), stacked(rows, gap=0))
    import toolbar
    toolbar_sheet(out, toolbar)
    try:
        import icons
    except ImportError:
        return
    icon_sheet(out, icons)


def composite(p, bg):
    r, g, b, a = p
    return tuple((c * a + k * (255 - a) + 127) // 255 for c, k in zip((r, g, b), bg))


def toolbar_sheet(out, toolbar):
    grey = (212, 208, 200)
    ones = [magnify(img, 8) for _, img in toolbar.images(1)]
    twos = [magnify(img, 4) for _, img in toolbar.images(2)]
    w = sum(len(i[0]) + 8 for i in ones) + 8
    h = len(ones[0]) + len(twos[0]) + 24
    canvas = [[grey] * w for _ in range(h)]
    x = 8
    for a, b in zip(ones, twos):
        for y, row in enumerate(a):
            canvas[8 + y][x:x + len(row)] = [composite(p, grey) for p in row]
        for y, row in enumerate(b):
            canvas[16 + len(a) + y][x:x + len(row)] = [composite(p, grey) for p in row]
        x += len(a[0]) + 8
    write_rgb(os.path.join(out, "toolbar_x8.png"), canvas)


def icon_sheet(out, icons):
    sizes = icons.SIZES
    imgs = [icons.render(s) for s in sizes]
    w = sum(sizes) + 8 * (len(sizes) + 1)
    h = 2 * max(sizes) + 24
    canvas = [[(240, 240, 240)] * w for _ in range(h // 2)] + [[(40, 44, 52)] * w for _ in range(h - h // 2)]
    for half in (0, 1):
        x = 8
        for s, img in zip(sizes, imgs):
            oy = 8 + half * (h // 2)
            for y, row in enumerate(img):
                canvas[oy + y][x:x + s] = [composite(p, canvas[oy + y][x + i]) for i, p in enumerate(row)]
            x += s + 8
    write_rgb(os.path.join(out, "icons.png"), canvas)
    write_rgb(os.path.join(out, "icons_small_x8.png"),
              magnify([[composite(p, (240, 240, 240)) for p in row] for row in imgs[0]], 8))


if __name__ == "__main__":
    main()
