"""The 23 board tiles, drawn from geometry.

Every tile is 24 x 24 design units, drawn at 1 pixel per unit (24 x 24
pixels) and at 2 pixels per unit (48 x 48 pixels) from the same shapes, on
the board's pure green. Outlines are one pixel wide at 1x and two at 2x.

Crawler pieces are a yellow disc 22 units across (one unit of green around
it). A piece joins a neighbour with a stub at the middle of the facing edge:
units 9 to 15 along the edge, whose outer unit on each side is outline, so
at 1x pixels 9 and 14 are black and 10 to 13 yellow (2x: 18-19 and 28-29
black, 20 to 27 yellow). Stubs of neighbouring pieces meet edge to edge, so
the chain reads as one body.

Light falls from the upper left on every piece, whatever way it faces: a
soft highlight up there and a darker crescent on the lower right.
"""

from shapes import (Box, Capsule, Disc, Ellipse, Mapped, PixelCanvas, Polygon, arc, polyline)

# --- colours -----------------------------------------------------------------
GREEN = (0, 255, 0)          # the board; an empty cell is filled with it
BLACK = (0, 0, 0)
YELLOW = (255, 226, 24)      # crawler body
YELLOW_LIGHT = (255, 248, 168)
YELLOW_SHADE = (226, 164, 0)
NOSE = (204, 124, 0)
CREASE = (150, 84, 0)
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

SIZE = 24      # units per tile side
C = 12.0       # tile centre
R = 11.0       # disc radius: 22 across, one unit of green around

# Stubs: from the disc centre out past the tile edge (the rasteriser looks a
# little beyond the edge, so the stub's outline stops at the edge itself).
STUB = {
    "left": Box(-4, 9, C, 15),
    "right": Box(C, 9, SIZE + 4, 15),
    "top": Box(9, -4, 15, C),
    "bottom": Box(9, C, 15, SIZE + 4),
}
# The lit core of a stub, kept free of shading so the neck stays bright.
STUB_CORE = {
    "left": Box(-4, 10, C, 14),
    "right": Box(C, 10, SIZE + 4, 14),
    "top": Box(10, -4, 14, C),
    "bottom": Box(10, C, 14, SIZE + 4),
}


def crawler_piece(cv, joins):
    """A yellow disc with stubs towards ``joins`` (edge names)."""
    body = Disc(C, C, R)
    for edge in joins:
        body = body | STUB[edge]
    mask = cv.outlined(body, YELLOW)
    inner = mask.eroded(cv.scale)
    lit = cv.mask(Disc(C - 1.2, C - 1.2, R - 1.5))
    shade = inner - lit
    for edge in joins:
        shade = shade - cv.mask(STUB_CORE[edge])
    cv.paint(shade, YELLOW_SHADE)
    cv.paint(arc(C - 0.5, C - 0.5, 7.6, 7.6, 198, 252, 1.8, steps=6), YELLOW_LIGHT)


def eye(cv, x, y):
    """A shiny black oval eye with a glint at its upper left. Features sit
    on the unit grid (centres on whole units, thin lines on half units) so
    that they come out crisp at 1x."""
    cv.paint(Ellipse(x, y, 1.8, 2.6), BLACK)
    cv.paint(Box(x - 1.5, y - 1.5, x - 0.5, y - 0.5), WHITE)


def ink(cv, shape):
    cv.paint(shape, BLACK)


# --- heads ---------------------------------------------------------------------
# Side heads are drawn facing right (joined on the left) and mirrored for
# facing left; the mirror maps the left stub onto the right one exactly.
# Frowning faces keep the layout of the happy ones but shut the eyes to
# dashes under worried brows and turn the mouth down.

def side_head(cv, facing, frown):
    flip = (lambda s: s) if facing == "right" else (lambda s: Mapped(s, "flip_x", SIZE))
    crawler_piece(cv, ["left" if facing == "right" else "right"])
    inside = Disc(C, C, R - 0.6)
    if not frown:
        # the mirror must not swap the glint to the other side of the eye
        if facing == "right":
            eye(cv, 16.5, 8.0)
        else:
            eye(cv, 7.5, 8.0)
        # open mouth: an oval cut off by the front of the head
        mouth = Ellipse(20.4, 15.5, 7.6, 3.9) & inside
        cv.outlined(flip(mouth), MOUTH)
        cv.paint(flip(Ellipse(19.0, 18.6, 3.4, 1.6) & mouth.grown(-1.0)), TONGUE)
    else:
        ink(cv, flip(Capsule(13.5, 8.5, 18.5, 8.5, 1.2)))            # shut eye
        ink(cv, flip(Capsule(13.5, 5.5, 18.0, 4.0, 1.2)))            # worried brow
        ink(cv, flip(arc(16.5, 18.5, 3.2, 2.2, 195, 345, 1.2)))      # mouth turned down


def front_head(cv, joins, frown, eyes_y):
    crawler_piece(cv, joins)
    if frown:
        for x0, x1 in ((5.5, 10.5), (13.5, 18.5)):
            ink(cv, Capsule(x0, eyes_y + 0.5, x1, eyes_y + 0.5, 1.2))
        ink(cv, Capsule(5.5, eyes_y - 2.0, 9.5, eyes_y - 3.5, 1.2))
        ink(cv, Capsule(14.5, eyes_y - 3.5, 18.5, eyes_y - 2.0, 1.2))
    else:
        eye(cv, 8.5, eyes_y)
        eye(cv, 15.5, eyes_y)


def head_down(cv, frown):
    front_head(cv, ["top"], frown, 10.0)
    cv.paint(Ellipse(C, 14.2, 1.6, 1.1), NOSE)
    if frown:
        ink(cv, arc(C, 20.5, 4.0, 2.6, 200, 340, 1.2))
    else:
        ink(cv, arc(C, 14.5, 6.0, 4.0, 20, 160, 1.2))


def head_up(cv, frown):
    front_head(cv, ["bottom"], frown, 12.0)
    if frown:
        ink(cv, arc(C, 6.5, 2.8, 2.0, 200, 340, 1.2))
    else:
        cv.outlined(Ellipse(C, 5.0, 2.6, 1.5), MOUTH)


def start_face(cv):
    """The crawler before its first move: a round smiling face."""
    crawler_piece(cv, [])
    eye(cv, 8.5, 9.0)
    eye(cv, 15.5, 9.0)
    cv.paint(Ellipse(5.4, 14.0, 1.8, 1.1), CHEEK)
    cv.paint(Ellipse(18.6, 14.0, 1.8, 1.1), CHEEK)
    mouth = Disc(C, 12.5, 6.4) & Box(4, 13.5, 20, 20)
    cv.outlined(mouth, MOUTH)
    cv.paint(Disc(C, 21.0, 3.2) & mouth.grown(-1.0), TONGUE)


# --- tails: the free end carries a small crease near its edge ---------------------

def tail(cv, joined):
    crawler_piece(cv, [joined])
    # drawn for a tail joined on the left, then turned into place
    turn = {"left": "id", "right": "flip_x", "top": "transpose", "bottom": "rot_ccw"}[joined]
    crease = polyline([(17.5, 9.0), (18.5, 10.5), (18.5, 13.5), (17.5, 15.0)], 1.1)
    cv.paint(Mapped(crease, turn, SIZE), CREASE)


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
        ink(cv, Box(x - 0.5, 16.5, x + 0.5, 19.0))


def dropping(cv):
    lump = Ellipse(C, 15.0, 4.8, 2.9) | Ellipse(12.3, 12.2, 3.3, 2.6) | Disc(13.0, 10.0, 1.4)
    cv.outlined(lump, DUNG)
    inner = lump.grown(-1.0)
    cv.paint((arc(11.8, 12.8, 2.4, 1.8, 185, 265, 1.1, steps=4) | Capsule(8.5, 14.5, 9.5, 14.5, 1.0)) & inner,
             DUNG_LIGHT)
    for (x, y) in ((13.0, 12.0), (10.0, 16.0), (14.0, 15.0), (12.0, 14.0)):
        cv.paint(Box(x, y, x + 1, y + 1) & inner, SPECK)


def apple(cv):
    body = (Disc(9.4, 14.2, 6.9) | Disc(14.6, 14.2, 6.9)
            | Ellipse(C, 16.6, 6.6, 5.4))
    leaf = Polygon([(12.8, 6.4), (14.2, 3.8), (17.0, 2.2), (20.4, 2.2), (19.0, 4.6), (16.4, 6.4)])
    cv.outlined(leaf, LEAF)
    cv.paint(Capsule(14.4, 5.6, 18.4, 3.0, 0.8) & leaf.grown(-0.9), LEAF_LIGHT)
    cv.outlined(Capsule(11.6, 8.6, 12.6, 2.6, 2.2), STEM)
    cv.outlined(body, RED)
    cv.paint((Disc(C + 1.4, 14.2, 8.2) - Disc(C - 0.6, 13.0, 8.4)) & body.grown(-1.0), RED_SHADE)
    cv.paint(Ellipse(7.8, 12.4, 1.4, 2.4), RED_LIGHT)
    cv.paint(Box(7.0, 10.0, 8.0, 11.0), WHITE)


def coin(cv):
    cv.outlined(Disc(C, C, 10.4), GOLD_RIM)
    cv.paint(Disc(C, C, 8.2), GOLD)
    cv.paint(Disc(C, C, 8.2) - Disc(C - 1.0, C - 1.0, 8.0), GOLD_LIGHT)
    # dollar sign: an S on a bar
    s_curve = polyline([(15.0, 7.6), (13.6, 6.6), (10.6, 6.6), (8.8, 8.2), (9.2, 10.4), (C, 11.8),
                        (14.8, 13.2), (15.2, 15.6), (13.4, 17.4), (10.4, 17.4), (8.8, 16.2)], 1.8)
    cv.paint(s_curve | Box(11.0, 4.0, 13.0, 20.0), DARK_RED)


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


def render(draw, scale):
    cv = PixelCanvas(SIZE * scale, SIZE * scale, scale, GREEN)
    draw(cv)
    return cv.px
