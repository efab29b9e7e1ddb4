# SPDX-License-Identifier: GPL-3.0-or-later
"""The 23 board tiles, drawn from geometry.

Every tile is 24 x 24 design units, drawn from the same shapes at each size
in PIXEL_SIZES (24 to 72 pixels: 1 to 3 pixels per unit in steps of 0.25),
on the board's pure green. Outlines are a whole number of pixels: the
density rounded half up (1 px at 24 and 30, 2 px from 36 to 54, 3 px from
60 to 72). Eyes, lines, dots and stubs are laid on each size's pixel grid,
so they come out even and symmetric at fractional densities too.

Crawler pieces are a yellow disc 22 units across (one unit of green around
it). A piece joins a neighbour with a stub at the middle of the facing edge,
over the pixels whose centres lie within units 9 to 15 along the edge; its
outer outline width on each side is black (see stub_pixels): at 24 px
pixels 9 and 14 are black and 10 to 13 yellow, at 48 px 18-19 and 28-29 are
black and 20 to 27 yellow. Stubs of neighbouring pieces meet edge to edge,
so the chain reads as one body.

Light falls from the upper left on every piece, whatever way it faces: a
soft highlight up there and a darker crescent on the lower right. Happy
heads have big shiny eyes; frowning heads shut them to dashes with blue
tears running down, so the two sets differ at a glance; the tail's free end
is a darker tip behind a black crease.
"""

import math

from shapes import (Box, Capsule, Disc, Ellipse, Mapped, PixelCanvas, Polygon, arc, arc_points,
                    map_point)

# --- colours -----------------------------------------------------------------
GREEN = (0, 255, 0)          # the board; an empty cell is filled with it
BLACK = (0, 0, 0)
YELLOW = (255, 226, 24)      # crawler body
YELLOW_LIGHT = (255, 248, 168)
YELLOW_SHADE = (226, 164, 0)
NOSE = (204, 124, 0)
WHITE = (255, 255, 255)
DARK_RED = (136, 0, 8)
MOUTH = (120, 0, 16)
TONGUE = (250, 104, 112)
CHEEK = (255, 150, 90)
RED = (222, 28, 28)
RED_LIGHT = (255, 150, 140)
RED_SHADE = (164, 0, 12)
STEM = (112, 64, 16)
LEAF = (0, 128, 24)
LEAF_LIGHT = (96, 200, 64)
GOLD = (255, 204, 0)
GOLD_RIM = (206, 138, 0)
GOLD_LIGHT = (255, 244, 160)
BONE_LIGHT = (196, 64, 56)
SPECK = (255, 214, 180)
DUNG = (120, 22, 10)
DUNG_LIGHT = (176, 52, 28)
TEAR = (40, 140, 255)        # tears on a frowning head

SIZE = 24      # units per tile side
C = 12.0       # tile centre
R = 11.0       # disc radius: 22 across, one unit of green around

# Every tile is drawn at each of these sizes in pixels: 24 x the device pixel
# ratios 1, 1.25, 1.5, ... 3, so a screen at any of those ratios gets tiles
# drawn for its own density rather than resampled ones.
PIXEL_SIZES = [24, 30, 36, 42, 48, 54, 60, 66, 72]


def stub_pixels(size):
    """Where a join's stub lies along a tile edge at ``size`` pixels.

    Returns (first, last, line): the stub covers pixels first..last of the
    edge, the ones whose centres lie within units 9 to 15, and the outer
    ``line`` pixels on each side (the outline width) are black, the rest
    yellow. The span is symmetric about the middle of the edge, so the stub
    on one tile's right edge lines up with the stub on its neighbour's left
    edge pixel for pixel. 24 px: 9..14 with 9 and 14 black; 48 px: 18..29
    with 18-19 and 28-29 black.
    """
    scale = size / SIZE
    first = math.ceil(9 * scale - 0.5)       # the first pixel centre at unit 9 or after
    line = max(1, math.floor(scale + 0.5))   # as PixelCanvas.lw
    return first, size - 1 - first, line


def _stub(cv, edge, inset):
    """The stub box towards ``edge``, ``inset`` pixels narrower on each side,
    from the disc centre out past the tile edge (the rasteriser looks a little
    beyond the edge, so the stub's outline stops at the edge itself). Its
    sides lie on pixel edges, so no pixel centre sits on its border."""
    first, last, _ = stub_pixels(cv.width)
    a = (first + inset) / cv.scale
    b = (last + 1 - inset) / cv.scale
    return {
        "left": Box(-4, a, C, b),
        "right": Box(C, a, SIZE + 4, b),
        "top": Box(a, -4, b, C),
        "bottom": Box(a, C, b, SIZE + 4),
    }[edge]


def crawler_piece(cv, joins):
    """A yellow disc with stubs towards ``joins`` (edge names)."""
    body = Disc(C, C, R)
    for edge in joins:
        body = body | _stub(cv, edge, 0)
    mask = cv.outlined(body, YELLOW)
    inner = mask.eroded(cv.lw)
    lit = cv.mask(Disc(C - 1.2, C - 1.2, R - 1.5))
    shade = inner - lit
    for edge in joins:
        # the lit core of a stub stays free of shading so the neck is bright
        shade = shade - cv.mask(_stub(cv, edge, cv.lw))
    cv.paint(shade, YELLOW_SHADE)
    cv.paint(arc(C - 0.5, C - 0.5, 7.6, 7.6, 198, 252, 1.8, steps=6), YELLOW_LIGHT)


def eye(cv, x, y, w=3.4, h=5.6):
    """A shiny black oval eye centred near (x, y), ``w`` by ``h`` units, with a
    glint at its upper left. The oval is laid out in whole pixels at each
    density (its size rounded, its centre on the pixel grid), so it comes
    out symmetric and the glint lands in the same place at every size."""
    pw, ph = cv.span(w), cv.span(h)
    cx, cy = cv.snap(x, pw), cv.snap(y, ph)
    s = cv.scale
    m = cv.mask(Ellipse(cx, cy, (pw / 2 + 0.05) / s, (ph / 2 + 0.05) / s))
    cv.paint(m, BLACK)
    x0 = int(round(cx * s - pw / 2))
    y0 = int(round(cy * s - ph / 2))
    gw, gh = max(1, pw // 4), max(2, int(ph / 5 + 0.5))
    gx, gy = x0 + (pw - 1) // 3, y0 + max(1, ph // 5)
    for py in range(gy, gy + gh):
        for px in range(gx, gx + gw):
            if (px, py) in m.px:
                cv.px[py][px] = WHITE


def speck(cv, x, y):
    """A square dot one outline width across, on the pixel grid near (x, y)."""
    n = cv.lw
    h = n / 2 / cv.scale
    cx, cy = cv.snap(x, n), cv.snap(y, n)
    return Box(cx - h, cy - h, cx + h, cy + h)


def ink(cv, points, k=1):
    """A black line ``k`` outline widths thick through ``points``."""
    cv.paint(cv.stroke(points, k), BLACK)


def tear(cv, x, y0, y1):
    """A blue tear running down from under a shut eye, from (x, y0) to
    (x, y1). Blue is on no happy face, so the frowning heads stand out from
    the happy ones at a glance."""
    w = cv.span(1.8)
    cx = cv.snap(x, w)
    m = cv.mask(Capsule(cx, y0, cx, y1, (w + 0.1) / cv.scale))
    cv.paint(m, TEAR)


# --- heads ---------------------------------------------------------------------
# Side heads are drawn facing right (joined on the left) and mirrored for
# facing left; the mirror maps the left stub onto the right one exactly.
# Happy faces carry big shiny eyes; frowning faces shut the eyes to dashes
# with tears running down and turn the mouth down (side faces also get a
# worried brow), so the two sets differ in shape and in colour.

def side_head(cv, facing, frown):
    flip = (lambda s: s) if facing == "right" else (lambda s: Mapped(s, "flip_x", SIZE))
    fx = (lambda x: x) if facing == "right" else (lambda x: SIZE - x)
    crawler_piece(cv, ["left" if facing == "right" else "right"])
    inside = Disc(C, C, R - 0.6)
    if not frown:
        eye(cv, fx(16.5), 8.0)
        # open mouth: an oval cut off by the front of the head
        mouth = cv.outlined(flip(Ellipse(20.4, 15.5, 7.6, 3.9) & inside), MOUTH)
        cv.paint(cv.mask(flip(Ellipse(19.0, 18.4, 3.6, 1.8))) & mouth.eroded(cv.lw), TONGUE)
    else:
        ink(cv, [(fx(14.0), 9.0), (fx(19.0), 9.0)])                    # shut eye
        ink(cv, [(fx(13.5), 6.0), (fx(17.5), 5.0)])                    # worried brow
        # mouth turned down
        ink(cv, [(fx(x), y) for x, y in ((13.5, 18.5), (15.0, 16.5), (18.0, 16.0), (20.0, 17.0))])
        tear(cv, fx(15.0), 10.0, 13.0)


def front_head(cv, joins, frown, eyes_y):
    crawler_piece(cv, joins)
    if frown:
        for x0, x1 in ((5.5, 10.0), (14.0, 18.5)):
            ink(cv, [(x0, eyes_y + 0.5), (x1, eyes_y + 0.5)])
            tear(cv, x0 + 1.5 if x0 < C else x1 - 1.5, eyes_y + 1.5, eyes_y + 4.5)
    else:
        eye(cv, 8.5, eyes_y)
        eye(cv, 15.5, eyes_y)


def head_down(cv, frown):
    front_head(cv, ["top"], frown, 10.0)
    nose = Ellipse(C, cv.snap(14.2, cv.span(2.2)), 1.6, 1.1)
    cv.paint(nose, NOSE)
    if frown:
        ink(cv, [(7.5, 20.0), (9.5, 17.5), (14.5, 17.5), (16.5, 20.0)])
    else:
        ink(cv, [(6.0, 16.0), (8.0, 18.5), (16.0, 18.5), (18.0, 16.0)])


def head_up(cv, frown):
    """Eyes low on the face below a mark at the top, an open mouth, which is
    the same on the frowning head and at every size."""
    front_head(cv, ["bottom"], frown, 12.0)
    cy = cv.snap(5.0, cv.span(4.0))
    cv.outlined(Ellipse(C, cy, 3.4, 2.0), MOUTH)


def start_face(cv):
    """The crawler before its first move: a round smiling face."""
    crawler_piece(cv, [])
    eye(cv, 8.5, 9.0)
    eye(cv, 15.5, 9.0)
    cv.paint(Ellipse(5.4, 14.0, 1.8, 1.1), CHEEK)
    cv.paint(Ellipse(18.6, 14.0, 1.8, 1.1), CHEEK)
    mouth = cv.outlined(Disc(C, 12.5, 6.4) & Box(4, 13.5, 20, 20), MOUTH)
    cv.paint(cv.mask(Disc(C, cv.snap(19.8, 2 * cv.span(3.6)), 3.6)) & mouth.eroded(cv.lw), TONGUE)


# --- tails: the free end is a darker tip behind a black crease -------------------

def tail(cv, joined):
    crawler_piece(cv, [joined])
    # drawn for a tail joined on the left, then turned into place
    turn = {"left": "id", "right": "flip_x", "top": "transpose", "bottom": "rot_ccw"}[joined]
    body = cv.mask(Disc(C, C, R))
    tip = cv.mask(Mapped(Disc(C, C, R) - Disc(2.0, C, 16.4), turn, SIZE))
    cv.paint((tip & body.eroded(cv.lw)), NOSE)
    crease = arc_points(2.0, C, 16.8, 16.8, -34, 34, steps=8)
    ink(cv, [map_point(turn, SIZE, x, y) for x, y in crease])


# --- items -----------------------------------------------------------------------

def bone(x0, y0, x1, y1):
    """A bone from end to end: a shaft with a pair of knobs at each end."""
    dx, dy = x1 - x0, y1 - y0
    n = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / n, dy / n
    px, py = -uy * 1.9, ux * 1.9
    shape = Capsule(x0 + ux, y0 + uy, x1 - ux, y1 - uy, 3.0)
    for (ex, ey, k) in ((x0, y0, 1), (x1, y1, -1)):
        bx, by = ex + ux * 1.2 * k, ey + uy * 1.2 * k
        shape = shape | Disc(bx + px, by + py, 1.55) | Disc(bx - px, by - py, 1.55)
    return shape


def skull(cv):
    # crossed bones behind the skull, their knobbly ends at the four corners
    cv.outlined(bone(3.0, 3.0, 21.0, 21.0) | bone(21.0, 3.0, 3.0, 21.0), DARK_RED)
    cv.paint(Capsule(4.5, 4.5, 7.0, 7.0, 0.8) | Capsule(17.0, 17.0, 19.5, 19.5, 0.8)
             | Capsule(17.0, 7.0, 19.5, 4.5, 0.8) | Capsule(4.5, 19.5, 7.0, 17.0, 0.8), BONE_LIGHT)
    head = Disc(C, 9.8, 7.4) | Box(8.0, 10.0, 16.0, 19.0, 1.5)
    cv.outlined(head, YELLOW)
    cv.paint(arc(C - 0.5, 9.8, 5.6, 5.6, 205, 255, 1.6, steps=5), YELLOW_LIGHT)
    cv.paint(Ellipse(9.0, 10.5, 2.1, 2.4), BLACK)
    cv.paint(Ellipse(15.0, 10.5, 2.1, 2.4), BLACK)
    cv.paint(Polygon([(C, 13.0), (10.8, 15.6), (13.2, 15.6)]), BLACK)
    for x in (10.5, 13.5):
        ink(cv, [(x, 17.0), (x, 18.5)])


def dropping(cv):
    lump = Ellipse(C, 15.0, 4.8, 2.9) | Ellipse(12.3, 12.2, 3.3, 2.6) | Disc(13.0, 10.0, 1.4)
    inner = cv.outlined(lump, DUNG).eroded(cv.lw)
    cv.paint(cv.mask(cv.stroke(arc_points(11.8, 12.8, 2.4, 1.8, 185, 265, steps=4))
                     | cv.stroke([(8.5, 14.5), (9.5, 14.5)])) & inner, DUNG_LIGHT)
    for (x, y) in ((13.5, 12.5), (10.5, 16.5), (14.5, 15.5), (12.5, 14.5)):
        cv.paint(cv.mask(speck(cv, x, y)) & inner, SPECK)


def apple(cv):
    body = (Disc(9.4, 14.2, 6.9) | Disc(14.6, 14.2, 6.9)
            | Ellipse(C, 16.6, 6.6, 5.4))
    leaf = Polygon([(12.8, 6.6), (14.0, 3.4), (17.0, 1.6), (20.8, 1.6), (19.6, 4.6), (16.6, 6.6)])
    leaf_in = cv.outlined(leaf, LEAF).eroded(cv.lw)
    # a vein one pixel thinner than the outline, so leaf green shows beside it
    vein = cv.stroke([(15.0, 5.0), (18.0, 3.5)], px=max(1, cv.lw - 1))
    cv.paint(cv.mask(vein) & leaf_in, LEAF_LIGHT)
    # the stem: a brown core at least one pixel wide inside its outline
    stem_px = 2 * cv.lw + cv.span(0.8)
    x0, y0, x1, y1 = (cv.snap(v, stem_px) for v in (11.6, 8.6, 12.6, 2.6))
    cv.outlined(Capsule(x0, y0, x1, y1, (stem_px + 0.1) / cv.scale), STEM)
    body_in = cv.outlined(body, RED).eroded(cv.lw)
    cv.paint(cv.mask(Disc(C + 1.4, 14.2, 8.2) - Disc(C - 0.6, 13.0, 8.4)) & body_in, RED_SHADE)
    cv.paint(Ellipse(7.8, 12.4, 1.4, 2.4), RED_LIGHT)
    cv.paint(speck(cv, 7.5, 10.5), WHITE)


def coin(cv):
    cv.outlined(Disc(C, C, 10.4), GOLD_RIM)
    cv.paint(Disc(C, C, 8.2), GOLD)
    cv.paint(Disc(C, C, 8.2) - Disc(C - 1.0, C - 1.0, 8.0), GOLD_LIGHT)
    # dollar sign: an S on a bar
    s_curve = cv.stroke([(15.0, 7.6), (13.6, 6.6), (10.6, 6.6), (8.8, 8.2), (9.2, 10.4), (C, 11.8),
                         (14.8, 13.2), (15.2, 15.6), (13.4, 17.4), (10.4, 17.4), (8.8, 16.2)],
                        px=cv.span(1.6))
    half = max(1, math.floor(cv.scale + 0.25)) / cv.scale    # an even number of pixels about the middle
    bar = Box(C - half, cv.snap(4.0, 2), C + half, cv.snap(20.0, 2))
    cv.paint(s_curve | bar, DARK_RED)


# --- the table -----------------------------------------------------------------
# (cell type, file name, bitmap resource id, edges joined, drawing)

def _piece(joins):
    return lambda cv: crawler_piece(cv, joins)


TILES = [
    (1, "body_horz", 142, ("left", "right"), _piece(["left", "right"])),
    (2, "body_vert", 141, ("top", "bottom"), _piece(["top", "bottom"])),
    (3, "head_right", 135, ("left",), lambda cv: side_head(cv, "right", False)),
    (4, "head_left", 136, ("right",), lambda cv: side_head(cv, "left", False)),
    (5, "head_down", 133, ("top",), lambda cv: head_down(cv, False)),
    (6, "head_up", 134, ("bottom",), lambda cv: head_up(cv, False)),
    (7, "frown_right", 150, ("left",), lambda cv: side_head(cv, "right", True)),
    (8, "frown_left", 151, ("right",), lambda cv: side_head(cv, "left", True)),
    (9, "frown_down", 152, ("top",), lambda cv: head_down(cv, True)),
    (10, "frown_up", 153, ("bottom",), lambda cv: head_up(cv, True)),
    (11, "body_up_right", 143, ("top", "right"), _piece(["top", "right"])),
    (12, "body_down_right", 144, ("right", "bottom"), _piece(["right", "bottom"])),
    (13, "body_down_left", 145, ("left", "bottom"), _piece(["left", "bottom"])),
    (14, "body_up_left", 146, ("top", "left"), _piece(["top", "left"])),
    (15, "tail_left", 139, ("left",), lambda cv: tail(cv, "left")),
    (16, "tail_right", 140, ("right",), lambda cv: tail(cv, "right")),
    (17, "tail_up", 137, ("top",), lambda cv: tail(cv, "top")),
    (18, "tail_down", 138, ("bottom",), lambda cv: tail(cv, "bottom")),
    (19, "skull", 132, (), skull),
    (20, "dropping", 149, (), dropping),
    (21, "apple", 130, (), apple),
    (22, "coin", 131, (), coin),
    (23, "start", 147, (), start_face),
]

CRAWLER_TYPES = set(range(1, 19)) | {23}


def render(draw, size):
    """The tile drawn at ``size`` x ``size`` pixels."""
    cv = PixelCanvas(size, size, size / SIZE, GREEN)
    draw(cv)
    return cv.px
